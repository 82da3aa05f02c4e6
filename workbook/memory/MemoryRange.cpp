#include "workbook/memory/MemoryRange.h"

#include <cmath>

#include "core/Error.h"
#include "workbook/ColorIndex.h"

namespace telvainn::excel::memory {

MemoryRange::MemoryRange(std::shared_ptr<BookData> book, std::shared_ptr<SheetData> sheet,
                         std::vector<CellRect> rects)
    : m_book(std::move(book)), m_sheet(std::move(sheet)), m_rects(std::move(rects)) {}

SheetData& MemoryRange::sheet() {
    m_book->requireSheet(*m_sheet);
    return *m_sheet;
}

bool MemoryRange::contains(int row, int column) const {
    for (const CellRect& rect : m_rects) {
        if (row >= rect.firstRow && row <= rect.lastRow && column >= rect.firstColumn &&
            column <= rect.lastColumn) {
            return true;
        }
    }
    return false;
}

int MemoryRange::Count() {
    sheet();
    int count = 0;
    for (const CellRect& rect : m_rects) {
        count += rect.cellCount();
    }
    return count;
}

CellValue MemoryRange::Value() {
    const CellRect& first = m_rects.front();
    return sheet().value(first.firstRow, first.firstColumn);
}

void MemoryRange::SetValue(const CellValue& value) {
    checkCellValue(value);
    SheetData& data = sheet();
    for (const CellRect& rect : m_rects) {
        for (int row = rect.firstRow; row <= rect.lastRow; ++row) {
            for (int column = rect.firstColumn; column <= rect.lastColumn; ++column) {
                data.update(row, column, [&](CellData& cell) { cell.value = value; });
            }
        }
    }
}

Block MemoryRange::Values() {
    const SheetData& data = sheet();
    const CellRect& first = m_rects.front();
    Block block;
    for (int row = first.firstRow; row <= first.lastRow; ++row) {
        auto& values = block.emplace_back();
        for (int column = first.firstColumn; column <= first.lastColumn; ++column) {
            values.push_back(data.value(row, column));
        }
    }
    return block;
}

// An empty text finds nothing: a code that is missing is never in a list.
std::optional<CellPosition> MemoryRange::Find(const QString& text) {
    const SheetData& data = sheet();
    if (text.isEmpty()) {
        return std::nullopt;
    }
    for (const auto& [position, cell] : data.cells) {
        if (contains(position.first, position.second) &&
            cell.value.generalText().compare(text, Qt::CaseInsensitive) == 0) {
            return CellPosition{position.first, position.second};
        }
    }
    return std::nullopt;
}

int MemoryRange::ColorIndex() {
    const CellRect& first = m_rects.front();
    const CellData* cell = sheet().find(first.firstRow, first.firstColumn);
    return colorIndexForRgb(cell ? cell->fill : std::nullopt);
}

void MemoryRange::SetColorIndex(int index) {
    const std::optional<quint32> rgb = rgbForColorIndex(index);
    if (!rgb && index != kColorIndexNone) {
        throw Error(
            QStringLiteral(
                "Unable to set the ColorIndex property of the Interior class: %1 is not a colour index.")
                .arg(index));
    }
    SheetData& data = sheet();
    for (const CellRect& rect : m_rects) {
        for (int row = rect.firstRow; row <= rect.lastRow; ++row) {
            for (int column = rect.firstColumn; column <= rect.lastColumn; ++column) {
                data.update(row, column, [&](CellData& cell) { cell.fill = rgb; });
            }
        }
    }
}

bool MemoryRange::Locked() {
    const CellRect& first = m_rects.front();
    return sheet().locked(first.firstRow, first.firstColumn);
}

void MemoryRange::SetLocked(bool locked) {
    SheetData& data = sheet();
    for (const CellRect& rect : m_rects) {
        data.lockChanges.emplace_back(rect, locked);
    }
}

void checkCellValue(const CellValue& value) {
    if (value.isNumber() && !std::isfinite(value.number())) {
        throw Error(QStringLiteral("A cell cannot hold the number %1.").arg(value.number()));
    }
}

}  // namespace telvainn::excel::memory
