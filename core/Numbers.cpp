#include "core/Numbers.h"

#include "core/Error.h"

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

QString notAnIntegerMessage(QStringView text) {
    return QStringLiteral("\"%1\" er ikke et gyldig heltall.").arg(text);
}

std::int64_t toInteger(QStringView text) {
    const bool negative = text.startsWith(QLatin1Char('-'));
    const QStringView digits = negative || text.startsWith(QLatin1Char('+')) ? text.mid(1) : text;
    if (!isDigitsOnly(digits)) {
        throw Error(notAnIntegerMessage(text));
    }
    // The most negative value has no positive counterpart, so its magnitude gets one more.
    const std::uint64_t limit =
        static_cast<std::uint64_t>(std::numeric_limits<std::int64_t>::max()) + (negative ? 1 : 0);
    std::uint64_t magnitude = 0;
    for (const QChar ch : digits) {
        const unsigned digit = ch.unicode() - u'0';
        if (magnitude > (limit - digit) / 10) {
            throw Error(notAnIntegerMessage(text));
        }
        magnitude = magnitude * 10 + digit;
    }
    return static_cast<std::int64_t>(negative ? 0 - magnitude : magnitude);
}

std::optional<AmountParts> splitAmount(QStringView text, QChar decimalSeparator) {
    AmountParts parts;
    qsizetype pos = 0;
    if (pos < text.size() && (text[pos] == QLatin1Char('+') || text[pos] == QLatin1Char('-'))) {
        parts.negative = text[pos] == QLatin1Char('-');
        ++pos;
    }
    const qsizetype separator = text.indexOf(decimalSeparator, pos);
    parts.whole = text.mid(pos, separator < 0 ? -1 : separator - pos);
    parts.fraction = separator < 0 ? QStringView() : text.mid(separator + 1);
    const auto digitsOrEmpty = [](QStringView part) { return part.isEmpty() || isDigitsOnly(part); };
    if ((parts.whole.isEmpty() && parts.fraction.isEmpty()) || !digitsOrEmpty(parts.whole) ||
        !digitsOrEmpty(parts.fraction)) {
        return std::nullopt;
    }
    return parts;
}

std::optional<std::int64_t> roundAmountHalfEven(QStringView text, QChar decimalSeparator) {
    const std::optional<AmountParts> parts = splitAmount(text, decimalSeparator);
    if (!parts) {
        return std::nullopt;
    }
    const auto [negative, whole, fraction] = *parts;

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

std::optional<QString> roundedAmountText(QStringView text, QChar decimalSeparator) {
    if (const std::optional<std::int64_t> amount = roundAmountHalfEven(text, decimalSeparator)) {
        return QString::number(*amount);
    }
    const std::optional<AmountParts> parts = splitAmount(text, decimalSeparator);
    if (!parts) {
        return std::nullopt;
    }
    qsizetype firstSignificant = 0;
    while (firstSignificant < parts->whole.size() - 1 && parts->whole[firstSignificant] == QLatin1Char('0')) {
        ++firstSignificant;
    }
    return (parts->negative ? QStringLiteral("-") : QString()) +
           parts->whole.mid(firstSignificant).toString();
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

std::int32_t toInteger32(QStringView text) {
    const std::int64_t value = toInteger(text);
    if (value < std::numeric_limits<std::int32_t>::min() ||
        value > std::numeric_limits<std::int32_t>::max()) {
        throw Error(notAnIntegerMessage(text));
    }
    return static_cast<std::int32_t>(value);
}

}  // namespace telvainn
