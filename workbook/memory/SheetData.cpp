#include "workbook/memory/SheetData.h"

#include "core/Error.h"
#include "workbook/RangeAddress.h"

namespace telvainn::excel::memory {

const CellData* SheetData::find(int row, int column) const {
    const auto it = cells.find(std::pair{row, column});
    return it == cells.end() ? nullptr : &it->second;
}

CellValue SheetData::value(int row, int column) const {
    const CellData* cell = find(row, column);
    return cell ? cell->value : CellValue();
}

bool SheetData::locked(int row, int column) const {
    for (auto change = lockChanges.rbegin(); change != lockChanges.rend(); ++change) {
        const CellRect& rect = change->first;
        if (row >= rect.firstRow && row <= rect.lastRow && column >= rect.firstColumn &&
            column <= rect.lastColumn) {
            return change->second;
        }
    }
    return true;
}

void checkCellPosition(int row, int column) {
    if (row < 1 || row > kMaxRows || column < 1 || column > kMaxColumns) {
        throw Error(QStringLiteral("Cell (%1, %2) is outside the worksheet.").arg(row).arg(column));
    }
}

}  // namespace telvainn::excel::memory
