#pragma once

#include <QString>
#include <array>

#include "core/ReportIdentity.h"
#include "core/RowRecord.h"

namespace telvainn {

// Where one template generation keeps a report number's fields.
struct Layout {
    // 1-based column of each field (by Field); 0 = not read for this report.
    std::array<int, kFieldCount> columns{};
    // The cells to colour for each field, "Å" standing for the row ("BÅ", "BÅ;CÅ"); empty = the field
    // is not validated.
    std::array<QString, kFieldCount> cellTemplates;
    int textColumn = 1;  // 0 = no text

    int column(Field field) const { return columns[static_cast<std::size_t>(field)]; }
    const QString& cellTemplate(Field field) const { return cellTemplates[static_cast<std::size_t>(field)]; }
};

// Current and older templates, from the report-number table; the correction form has a fixed composite
// layout instead. A number outside the table reads nothing.
Layout currentLayout(int reportNumber);
Layout olderLayout(int reportNumber);

// The correction form: columns A to K, each read with its width unless the report leaves it out.
struct CorrectionLayout {
    std::array<bool, 11> columnRead{};  // A .. K
    std::array<QString, kFieldCount> cellTemplates;

    bool reads(int column) const { return columnRead[static_cast<std::size_t>(column - 1)]; }
};
CorrectionLayout correctionLayout(int reportNumber);

// ReadCell: a cell's trimmed text as one field. Width -1 keeps the text; otherwise a digits-only text
// is zero-padded to at least `width` digits, any other non-empty text is left-padded with "0" when
// `pad` is set and empty otherwise. Raises when digits overflow a 64-bit integer.
QString fieldText(const QString& cellText, int width, bool pad);

// Field widths of the row record.
inline constexpr int kKeepText = -1;
inline constexpr int kObjektidWidth = 7;
inline constexpr int kTilleggWidth = 2;
inline constexpr int kSektorWidth = 3;
inline constexpr int kNaeringWidth = 3;
inline constexpr int kLandWidth = 4;
inline constexpr int kValutaWidth = 2;

// "BÅ;CÅ" for row 15 -> "B15;C15".
QString cellsOfRow(const QString& cellTemplate, int row);

}  // namespace telvainn
