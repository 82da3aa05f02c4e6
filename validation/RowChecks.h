#pragma once

#include <QString>
#include <optional>

#include "core/Locale.h"

namespace telvainn {

// An amount text read as a floating-point number in the locale: an optional sign, digits and one
// decimal separator. Raises when the text is not such a number.
double amountValue(const QString& verdi, const Locale& locale);

// "#,##0": rounded to whole units, thousands grouped with the locale's separator.
QString formatSum(double sum, const Locale& locale);

}  // namespace telvainn
