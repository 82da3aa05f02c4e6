#pragma once

#include <QString>
#include <QStringView>
#include <optional>
#include <vector>

namespace telvainn::excel {

// One rectangle of cells, 1-based and inclusive.
struct CellRect {
    int firstRow = 1;
    int firstColumn = 1;
    int lastRow = 1;
    int lastColumn = 1;

    int cellCount() const { return (lastRow - firstRow + 1) * (lastColumn - firstColumn + 1); }
    friend bool operator==(const CellRect&, const CellRect&) = default;
};

inline constexpr int kMaxRows = 1048576;
inline constexpr int kMaxColumns = 16384;

// "B15", "$B$15", "B3:D7" and unions of them written "B15;C15" or "B15,C15". nullopt when the text
// is not an address, which makes it a name to look up.
std::optional<std::vector<CellRect>> parseRangeAddress(QStringView text);

QString columnLetters(int column);          // 1 -> "A", 27 -> "AA"
QString cellAddress(int row, int column);   // (15, 2) -> "B15"
QString rectAddress(const CellRect& rect);  // "B3:D7", or "B3" for one cell

}  // namespace telvainn::excel
