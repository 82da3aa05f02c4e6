#pragma once

#include <QChar>
#include <QString>
#include <QStringView>
#include <cstdint>
#include <optional>

namespace telvainn {

// A text "is a number" when it is not empty and holds only decimal digits, "+", "-" and the locale's
// decimal separator. It says nothing about the order of those characters.
bool isNumber(QStringView text, QChar decimalSeparator);

// Not empty and only the digits 0-9.
bool isDigitsOnly(QStringView text);

// "\"<text>\" er ikke et gyldig heltall.": the failure of toInteger, which other messages wrap.
QString notAnIntegerMessage(QStringView text);

// An optional sign followed by decimal digits, nothing else (no surrounding blanks), as a 64-bit
// integer; raises notAnIntegerMessage otherwise, also when the value does not fit 64 bits.
std::int64_t toInteger(QStringView text);
// The same for a 32-bit integer, such as a report number: a larger value fails the same way.
std::int32_t toInteger32(QStringView text);

// An amount taken apart: an optional sign, the digits before the locale's separator and those after
// it; at least one digit in all. Nothing when the text is not written that way.
struct AmountParts {
    bool negative = false;
    QStringView whole;
    QStringView fraction;
};
std::optional<AmountParts> splitAmount(QStringView text, QChar decimalSeparator);

// Reads an amount written with an optional sign, digits and an optional decimal part after the
// locale's separator, and rounds it to whole units, halves to the even neighbour (2.5 -> 2,
// 3.5 -> 4, -2.5 -> -2). The rounding works on the decimal digits themselves, so no binary fraction
// can tip a half either way. Nothing when the text is not such an amount or does not fit 64 bits.
std::optional<std::int64_t> roundAmountHalfEven(QStringView text, QChar decimalSeparator);

// The amount rounded to whole units, halves to the even neighbour, in decimal with "-" when negative.
// A well-written amount too large for 64 bits is still only far too long: it keeps its whole-number
// digits (without leading zeros). Nothing when the text is not an amount.
std::optional<QString> roundedAmountText(QStringView text, QChar decimalSeparator);

// More digits than an amount may have in the agency's files: ten, and the minus sign.
inline bool hasMoreThanTenDigits(const QString& roundedAmount) {
    return roundedAmount.size() > (roundedAmount.startsWith(QLatin1Char('-')) ? 11 : 10);
}

// Removes leading and trailing blanks and control characters (every character up to U+0020), the way
// lines and cell texts are trimmed throughout the program.
QStringView trimBlanks(QStringView text);
inline QString trimmed(QStringView text) {
    return trimBlanks(text).toString();
}

// "%0Nd" of an integer: zero-padded to at least `width` digits, a minus sign in front when negative.
QString zeroPadded(std::int64_t value, int width);

}  // namespace telvainn
