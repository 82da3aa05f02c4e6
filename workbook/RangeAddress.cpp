#include "workbook/RangeAddress.h"

#include <algorithm>

namespace telvainn::excel {
namespace {

std::optional<std::pair<int, int>> parseCell(QStringView text) {
    qsizetype at = 0;
    const auto skipDollar = [&] {
        if (at < text.size() && text[at] == QLatin1Char('$')) {
            ++at;
        }
    };
    skipDollar();
    int column = 0;
    const qsizetype lettersStart = at;
    while (at < text.size() && text[at].isLetter() && text[at].unicode() < 128) {
        column = column * 26 + (text[at].toUpper().unicode() - 'A' + 1);
        if (column > kMaxColumns) {
            return std::nullopt;
        }
        ++at;
    }
    if (at == lettersStart) {
        return std::nullopt;
    }
    skipDollar();
    int row = 0;
    const qsizetype digitsStart = at;
    while (at < text.size() && text[at] >= QLatin1Char('0') && text[at] <= QLatin1Char('9')) {
        row = row * 10 + (text[at].unicode() - '0');
        if (row > kMaxRows) {
            return std::nullopt;
        }
        ++at;
    }
    if (at == digitsStart || at != text.size() || row == 0) {
        return std::nullopt;
    }
    return std::pair{row, column};
}

std::optional<CellRect> parseRect(QStringView text) {
    const qsizetype colon = text.indexOf(QLatin1Char(':'));
    const auto first = parseCell(colon < 0 ? text : text.left(colon));
    const auto last = colon < 0 ? first : parseCell(text.mid(colon + 1));
    if (!first || !last) {
        return std::nullopt;
    }
    return CellRect{std::min(first->first, last->first), std::min(first->second, last->second),
                    std::max(first->first, last->first), std::max(first->second, last->second)};
}

}  // namespace

std::optional<std::vector<CellRect>> parseRangeAddress(QStringView text) {
    std::vector<CellRect> rects;
    qsizetype start = 0;
    while (true) {
        qsizetype end = start;
        while (end < text.size() && text[end] != QLatin1Char(';') && text[end] != QLatin1Char(',')) {
            ++end;
        }
        const auto rect = parseRect(text.mid(start, end - start).trimmed());
        if (!rect) {
            return std::nullopt;
        }
        rects.push_back(*rect);
        if (end == text.size()) {
            return rects;
        }
        start = end + 1;
    }
}

QString columnLetters(int column) {
    QString letters;
    while (column > 0) {
        const int digit = (column - 1) % 26;
        letters.prepend(QChar(u'A' + digit));
        column = (column - 1) / 26;
    }
    return letters;
}

QString cellAddress(int row, int column) {
    return columnLetters(column) + QString::number(row);
}

QString rectAddress(const CellRect& rect) {
    const QString first = cellAddress(rect.firstRow, rect.firstColumn);
    if (rect.firstRow == rect.lastRow && rect.firstColumn == rect.lastColumn) {
        return first;
    }
    return first + QLatin1Char(':') + cellAddress(rect.lastRow, rect.lastColumn);
}

}  // namespace telvainn::excel
