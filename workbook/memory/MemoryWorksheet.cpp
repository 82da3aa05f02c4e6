#include "workbook/memory/MemoryWorksheet.h"

#include "core/Error.h"
#include "workbook/RangeAddress.h"
#include "workbook/memory/MemoryRange.h"

namespace telvainn::excel::memory {

MemoryWorksheet::MemoryWorksheet(std::shared_ptr<BookData> book, std::shared_ptr<SheetData> sheet)
    : m_book(std::move(book)), m_sheet(std::move(sheet)) {}

SheetData& MemoryWorksheet::sheet() {
    m_book->requireSheet(*m_sheet);
    return *m_sheet;
}

QString MemoryWorksheet::Name() {
    return sheet().name;
}

void MemoryWorksheet::SetName(const QString& name) {
    SheetData& data = sheet();
    checkSheetName(*m_book, name, &data);
    data.name = name;
}

void MemoryWorksheet::Activate() {
    m_book->activeSheet = m_book->indexOf(sheet());
}

void MemoryWorksheet::Protect() {
    sheet().isProtected = true;
}

void MemoryWorksheet::Unprotect() {
    sheet().isProtected = false;
}

bool MemoryWorksheet::IsProtected() {
    return sheet().isProtected;
}

CellValue MemoryWorksheet::Cell(int row, int column) {
    const SheetData& data = sheet();
    checkCellPosition(row, column);
    return data.value(row, column);
}

void MemoryWorksheet::SetCell(int row, int column, const CellValue& value) {
    SheetData& data = sheet();
    checkCellPosition(row, column);
    checkCellValue(value);
    data.update(row, column, [&](CellData& cell) { cell.value = value; });
}

std::unique_ptr<excel::Range> MemoryWorksheet::Cells(int row, int column) {
    sheet();
    checkCellPosition(row, column);
    return std::make_unique<MemoryRange>(m_book, m_sheet, std::vector{CellRect{row, column, row, column}});
}

// Like a spreadsheet, an address is tried first and anything else is looked up as a name; a name
// always means its own sheet's cells.
std::unique_ptr<excel::Range> MemoryWorksheet::GetRange(const QString& addressOrName) {
    sheet();
    if (auto rects = parseRangeAddress(addressOrName)) {
        return std::make_unique<MemoryRange>(m_book, m_sheet, std::move(*rects));
    }
    const NameData* name = m_book->findName(addressOrName.trimmed(), *m_sheet);
    if (name == nullptr) {
        throw Error(QStringLiteral("There is no range named '%1' in '%2'.").arg(addressOrName, m_book->name));
    }
    auto target = name->sheet.lock();
    if (!target || m_book->indexOf(*target) == 0) {
        throw Error(QStringLiteral("The range named '%1' refers to a worksheet that is no longer in '%2'.")
                        .arg(name->name, m_book->name));
    }
    return std::make_unique<MemoryRange>(m_book, std::move(target), name->rects);
}

Block MemoryWorksheet::ReadBlock(int firstRow, int firstColumn, int rowCount, int columnCount) {
    const SheetData& data = sheet();
    checkCellPosition(firstRow, firstColumn);
    if (rowCount < 1 || columnCount < 1 || rowCount > kMaxRows - firstRow + 1 ||
        columnCount > kMaxColumns - firstColumn + 1) {
        throw Error(QStringLiteral("A block of %1 by %2 cells at (%3, %4) does not fit in the worksheet.")
                        .arg(rowCount)
                        .arg(columnCount)
                        .arg(firstRow)
                        .arg(firstColumn));
    }
    Block block(static_cast<std::size_t>(rowCount),
                std::vector<CellValue>(static_cast<std::size_t>(columnCount)));
    // Only the cells the sheet holds are visited: the map keeps them row by row.
    const auto end = data.cells.lower_bound({firstRow + rowCount, 0});
    for (auto cell = data.cells.lower_bound({firstRow, 0}); cell != end; ++cell) {
        const auto [row, column] = cell->first;
        if (column >= firstColumn && column < firstColumn + columnCount) {
            block[static_cast<std::size_t>(row - firstRow)][static_cast<std::size_t>(column - firstColumn)] =
                cell->second.value;
        }
    }
    return block;
}

void MemoryWorksheet::WriteBlock(int firstRow, int firstColumn, const Block& values) {
    SheetData& data = sheet();
    checkCellPosition(firstRow, firstColumn);
    for (std::size_t r = 0; r < values.size(); ++r) {
        const auto& rowValues = values[r];
        if (!rowValues.empty()) {
            checkCellPosition(firstRow + static_cast<int>(r),
                              firstColumn + static_cast<int>(rowValues.size()) - 1);
        }
        for (const CellValue& value : rowValues) {
            checkCellValue(value);
        }
    }
    for (std::size_t r = 0; r < values.size(); ++r) {
        for (std::size_t c = 0; c < values[r].size(); ++c) {
            data.update(firstRow + static_cast<int>(r), firstColumn + static_cast<int>(c),
                        [&](CellData& cell) { cell.value = values[r][c]; });
        }
    }
}

void MemoryWorksheet::SetNumberFormat(int row, int column, const QString& format) {
    SheetData& data = sheet();
    checkCellPosition(row, column);
    data.update(row, column, [&](CellData& cell) { cell.numberFormat = format; });
}

void MemoryWorksheet::SetColorIndex(const std::vector<CellRect>& cells, int index) {
    if (cells.empty()) {
        return;
    }
    sheet();
    // Every rectangle is checked before any cell changes, as one call into an engine would.
    for (const CellRect& rect : cells) {
        checkCellPosition(rect.firstRow, rect.firstColumn);
        checkCellPosition(rect.lastRow, rect.lastColumn);
        if (rect.firstRow > rect.lastRow || rect.firstColumn > rect.lastColumn) {
            throw Error(QStringLiteral("Cells (%1, %2) to (%3, %4) are not a rectangle.")
                            .arg(rect.firstRow)
                            .arg(rect.firstColumn)
                            .arg(rect.lastRow)
                            .arg(rect.lastColumn));
        }
    }
    MemoryRange(m_book, m_sheet, cells).SetColorIndex(index);
}

}  // namespace telvainn::excel::memory
