#pragma once

#include <QString>
#include <map>
#include <optional>
#include <utility>

#include "core/Locale.h"
#include "workbook/Excel.h"

namespace telvainn {

// How a validation run or an output walk reaches the spreadsheet. Bulk reads data rows and code lists
// in whole blocks and applies colours in one batch at the end; CellByCell makes one engine call per
// cell, per code-list lookup and per colour change. Both give the same log, outputs and colours; the
// plain path is kept for comparison and for diagnosing an engine.
enum class SheetReading { Bulk, CellByCell };

inline constexpr int kFirstDataRow = 11;

// The report sheet as the validator's rules see it during one run or walk: cell values, and the
// colouring of checked cells. Colours of a Bulk run reach the sheet at Flush.
class ReportSheet {
  public:
    ReportSheet(excel::Worksheet& sheet, SheetReading reading);
    ~ReportSheet();  // flushes
    ReportSheet(const ReportSheet&) = delete;
    ReportSheet& operator=(const ReportSheet&) = delete;

    excel::Worksheet& worksheet() { return m_sheet; }
    SheetReading reading() const { return m_reading; }

    // Cells.Item(row, column).Value
    excel::CellValue Cell(int row, int column);

    // MarkCell's colouring: the cells of `address` take the normal colour, the fill of L12, when
    // passed, and red when not. An engine failure is ignored; the check result stands.
    void Mark(const QString& address, bool passed);

    // Applies the colours a Bulk run has gathered; engine failures are ignored as in Mark.
    void Flush();

  private:
    std::optional<int> normalColour();
    void loadRows(int row);

    excel::Worksheet& m_sheet;
    SheetReading m_reading;

    // Bulk reading: a block of data rows, columns A to K, read in one call.
    excel::Block m_rows;
    int m_firstCachedRow = 0;

    // Bulk colouring: the last colour given to each cell, by (row, column).
    std::map<std::pair<int, int>, int> m_marks;
    bool m_normalColourRead = false;
    std::optional<int> m_normalColour;
};

}  // namespace telvainn
