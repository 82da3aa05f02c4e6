#pragma once

#include <QString>
#include <optional>

#include "core/Locale.h"
#include "workbook/CellValue.h"

namespace telvainn::excel {

// A cell's value converted to text the way the user's regional settings write it: a number with the
// locale's decimal separator ("12,5" in Norway), a text unchanged, an empty cell as the empty text.
QString cellText(const CellValue& value, const Locale& locale);

// The short date of a date serial (days since 30 December 1899, the fraction being the time of day);
// nothing for a number outside the dates a spreadsheet can show (1 January 100 to 31 December 9999).
std::optional<QString> shortDateOfSerial(double serial, const Locale& locale);

}  // namespace telvainn::excel
