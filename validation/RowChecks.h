#pragma once

#include <QString>
#include <optional>

#include "core/Locale.h"

namespace telvainn {

// Object ids whose naering must be found in "_naring" when their sektor lies between 550 and 810.
bool isIndustryCoded(int reportNumber, const QString& objektid);

// The code list report 60's land is searched in.
QString report60LandList(const QString& objektid, const QString& sektor);

// Report 51: whether the land must be found in "land" (else it must be "0000").
bool report51LandListed(const QString& objektid, const QString& sektor);

// An amount text read as a floating-point number in the locale: an optional sign, digits and one
// decimal separator. Raises when the text is not such a number.
double amountValue(const QString& verdi, const Locale& locale);

// "#,##0": rounded to whole units, thousands grouped with the locale's separator.
QString formatSum(double sum, const Locale& locale);

}  // namespace telvainn
