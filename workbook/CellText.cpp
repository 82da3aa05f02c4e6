#include "workbook/CellText.h"

#include <QDate>
#include <cmath>

namespace telvainn::excel {

QString cellText(const CellValue& value, const Locale& locale) {
    QString text = value.generalText();
    if (value.isNumber()) {
        text.replace(QLatin1Char('.'), locale.decimalSeparator);
    }
    return text;
}

std::optional<QString> shortDateOfSerial(double serial, const Locale& locale) {
    constexpr double kFirstDateSerial = -657434;
    constexpr double kLastDateSerial = 2958466;
    if (!(serial >= kFirstDateSerial && serial < kLastDateSerial)) {
        return std::nullopt;
    }
    const QDate date = QDate(1899, 12, 30).addDays(static_cast<qint64>(std::floor(serial)));
    return locale.formatShortDate(date);
}

}  // namespace telvainn::excel
