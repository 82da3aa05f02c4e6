#include "validation/ReportSheet.h"

#include <algorithm>
#include <exception>
#include <vector>

#include "workbook/ColorIndex.h"
#include "workbook/RangeAddress.h"

namespace telvainn {
namespace {

// Columns A to K hold every field of every layout.
constexpr int kDataColumns = 11;
// The walk goes at least 200 rows past the last data row, so a block of this size usually ends a
// small report in two calls.
constexpr int kRowsPerBlock = 512;
constexpr int kNormalColourRow = 12;
constexpr int kNormalColourColumn = 12;

}  // namespace

ReportSheet::ReportSheet(excel::Worksheet& sheet, SheetReading reading)
    : m_sheet(sheet), m_reading(reading) {}

ReportSheet::~ReportSheet() {
    Flush();
}

excel::CellValue ReportSheet::Cell(int row, int column) {
    if (m_reading == SheetReading::CellByCell || row < kFirstDataRow || column > kDataColumns) {
        return m_sheet.Cell(row, column);
    }
    if (m_rows.empty() || row < m_firstCachedRow ||
        row >= m_firstCachedRow + static_cast<int>(m_rows.size())) {
        try {
            loadRows(row);
        } catch (const std::exception&) {
            // Near the end of the sheet a whole block may not fit; the single cell then decides.
            m_rows.clear();
            return m_sheet.Cell(row, column);
        }
    }
    const auto& line = m_rows[static_cast<std::size_t>(row - m_firstCachedRow)];
    const auto index = static_cast<std::size_t>(column - 1);
    return index < line.size() ? line[index] : excel::CellValue();
}

void ReportSheet::loadRows(int row) {
    m_rows = m_sheet.ReadBlock(row, 1, std::min(kRowsPerBlock, excel::kMaxRows - row + 1), kDataColumns);
    m_firstCachedRow = row;
}

std::optional<int> ReportSheet::normalColour() {
    if (m_reading == SheetReading::Bulk && m_normalColourRead) {
        return m_normalColour;
    }
    std::optional<int> colour;
    try {
        colour = m_sheet.Cells(kNormalColourRow, kNormalColourColumn)->ColorIndex();
    } catch (const std::exception&) {
    }
    // A run colours only columns A to K and rows 1 to 7, so L12 keeps its fill for the whole run.
    m_normalColourRead = true;
    m_normalColour = colour;
    return colour;
}

void ReportSheet::Mark(const QString& address, bool passed) {
    if (address.isEmpty()) {
        return;
    }
    const std::optional<int> colour = passed ? normalColour() : std::optional<int>(excel::kColorIndexRed);
    if (!colour) {
        return;
    }
    if (m_reading == SheetReading::CellByCell) {
        try {
            m_sheet.GetRange(address)->SetColorIndex(*colour);
        } catch (const std::exception&) {
        }
        return;
    }
    const auto rects = excel::parseRangeAddress(address);
    if (!rects) {
        return;
    }
    for (const auto& rect : *rects) {
        for (int row = rect.firstRow; row <= rect.lastRow; ++row) {
            for (int column = rect.firstColumn; column <= rect.lastColumn; ++column) {
                m_marks[{row, column}] = *colour;
            }
        }
    }
}

void ReportSheet::Flush() {
    // Cells of one colour go to the engine together; LibreOffice joins neighbouring cells itself.
    std::map<int, std::vector<excel::CellRect>> byColour;
    for (const auto& [cell, colour] : m_marks) {
        byColour[colour].push_back({cell.first, cell.second, cell.first, cell.second});
    }
    m_marks.clear();
    for (const auto& [colour, cells] : byColour) {
        try {
            m_sheet.SetColorIndex(cells, colour);
        } catch (const std::exception&) {
        }
    }
}

}  // namespace telvainn
