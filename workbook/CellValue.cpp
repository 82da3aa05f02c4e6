#include "workbook/CellValue.h"

#include <cmath>

namespace telvainn::excel {

QString CellValue::generalText() const {
    if (isText()) {
        return text();
    }
    if (isError()) {
        return std::get<ErrorValue>(m_value).shown;
    }
    if (!isNumber()) {
        return QString();
    }
    const double value = number();
    if (value == std::trunc(value) && std::abs(value) < 1e15) {
        return QString::number(static_cast<long long>(value));
    }
    return QString::number(value, 'g', 15);
}

}  // namespace telvainn::excel
