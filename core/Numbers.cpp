#include "core/Numbers.h"

#include <limits>

namespace telvainn {

bool isNumber(QStringView text, QChar decimalSeparator) {
    if (text.isEmpty()) {
        return false;
    }
    for (const QChar ch : text) {
        const bool allowed = (ch >= QLatin1Char('0') && ch <= QLatin1Char('9')) || ch == QLatin1Char('+') ||
                             ch == QLatin1Char('-') || ch == decimalSeparator;
        if (!allowed) {
            return false;
        }
    }
    return true;
}

bool isDigitsOnly(QStringView text) {
    if (text.isEmpty()) {
        return false;
    }
    for (const QChar ch : text) {
        if (ch < QLatin1Char('0') || ch > QLatin1Char('9')) {
            return false;
        }
    }
    return true;
}

std::optional<std::int64_t> roundAmountHalfEven(QStringView text, QChar decimalSeparator) {
    qsizetype pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == QLatin1Char('+') || text[pos] == QLatin1Char('-'))) {
        negative = text[pos] == QLatin1Char('-');
        ++pos;
    }
    const qsizetype separator = text.indexOf(decimalSeparator, pos);
    const QStringView whole = text.mid(pos, separator < 0 ? -1 : separator - pos);
    const QStringView fraction = separator < 0 ? QStringView() : text.mid(separator + 1);
    const auto digitsOrEmpty = [](QStringView part) { return part.isEmpty() || isDigitsOnly(part); };
    if ((whole.isEmpty() && fraction.isEmpty()) || !digitsOrEmpty(whole) || !digitsOrEmpty(fraction)) {
        return std::nullopt;
    }

    constexpr std::uint64_t limit = std::numeric_limits<std::int64_t>::max();
    std::uint64_t magnitude = 0;
    for (const QChar ch : whole) {
        const unsigned digit = ch.unicode() - u'0';
        if (magnitude > (limit - digit) / 10) {
            return std::nullopt;
        }
        magnitude = magnitude * 10 + digit;
    }

    bool roundUp = false;
    if (!fraction.isEmpty()) {
        const unsigned first = fraction[0].unicode() - u'0';
        bool restNonZero = false;
        for (const QChar ch : fraction.mid(1)) {
            restNonZero = restNonZero || ch != QLatin1Char('0');
        }
        roundUp = first > 5 || (first == 5 && (restNonZero || magnitude % 2 == 1));
    }
    if (roundUp) {
        if (magnitude == limit) {
            return std::nullopt;
        }
        ++magnitude;
    }
    const auto value = static_cast<std::int64_t>(magnitude);
    return negative ? -value : value;
}

QStringView trimBlanks(QStringView text) {
    qsizetype begin = 0;
    qsizetype end = text.size();
    while (begin < end && text[begin].unicode() <= 0x20) {
        ++begin;
    }
    while (end > begin && text[end - 1].unicode() <= 0x20) {
        --end;
    }
    return text.mid(begin, end - begin);
}

QString zeroPadded(std::int64_t value, int width) {
    const QString digits =
        QString::number(value < 0 ? -static_cast<std::uint64_t>(value) : static_cast<std::uint64_t>(value));
    QString padded = digits.rightJustified(width, QLatin1Char('0'));
    return value < 0 ? QLatin1Char('-') + padded : padded;
}

}  // namespace telvainn
