#pragma once

#include <ostream>

#include "workbook/CellValue.h"

namespace telvainn::excel {

// So that a failing comparison of cell values shows the values.
inline void PrintTo(const CellValue& value, std::ostream* os) {
    if (value.isEmpty()) {
        *os << "(empty)";
    } else if (value.isNumber()) {
        *os << value.number();
    } else {
        *os << '"' << value.text().toStdString() << '"';
    }
}

}  // namespace telvainn::excel
