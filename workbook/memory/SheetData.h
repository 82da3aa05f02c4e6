#pragma once

#include <QString>
#include <QtGlobal>
#include <map>
#include <optional>
#include <utility>
#include <vector>

#include "workbook/CellValue.h"
#include "workbook/RangeAddress.h"

namespace telvainn::excel::memory {

struct CellData {
    CellValue value;
    // RGB, as a spreadsheet file keeps a fill: a colour index is read from it, so palette duplicates read
    // back as the lowest index of their colour, as with a real file.
    std::optional<quint32> fill;
    QString numberFormat;  // kept and saved, never applied

    bool isBlank() const { return value.isEmpty() && !fill && numberFormat.isEmpty(); }
};

// A worksheet's contents. Blank cells are not stored, so a sheet costs what it holds.
struct SheetData {
    QString name;
    bool isProtected = false;
    std::map<std::pair<int, int>, CellData> cells;  // by (row, column): row by row, as Find walks them
    // Every cell is locked but where a later change here says otherwise: a data area unlocked down to
    // the sheet's last row costs one entry, not a cell each.
    std::vector<std::pair<CellRect, bool>> lockChanges;

    const CellData* find(int row, int column) const;
    CellValue value(int row, int column) const;
    bool locked(int row, int column) const;

    // Applies `change` to the cell's data and forgets the cell when that leaves it blank.
    template <typename Change>
    void update(int row, int column, Change&& change) {
        const auto key = std::pair{row, column};
        CellData& cell = cells[key];
        change(cell);
        if (cell.isBlank()) {
            cells.erase(key);
        }
    }
};

// Raises unless (row, column) lies on a worksheet.
void checkCellPosition(int row, int column);

}  // namespace telvainn::excel::memory
