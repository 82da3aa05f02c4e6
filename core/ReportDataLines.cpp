#include "core/ReportDataLines.h"

#include "core/Error.h"
#include "core/Numbers.h"
#include "core/Windows1252.h"

#include <optional>

namespace telvainn {
namespace {

const QString kCrLf = QStringLiteral("\r\n");
constexpr qsizetype kFixedPointDecimals = 4;

// Whether dropping `dropped` after the kept digit `lastKept` rounds up, halves to the even neighbour.
bool roundsUpHalfEven(QChar lastKept, QStringView dropped) {
    const QChar first = dropped.front();
    bool restNonZero = false;
    for (const QChar ch : dropped.mid(1)) {
        restNonZero = restNonZero || ch != QLatin1Char('0');
    }
    const bool lastOdd = (lastKept.unicode() - u'0') % 2 == 1;
    return first > QLatin1Char('5') || (first == QLatin1Char('5') && (restNonZero || lastOdd));
}

// Adds one to a text of decimal digits.
void increment(QString& digits) {
    for (qsizetype i = digits.size() - 1; i >= 0; --i) {
        if (digits[i] != QLatin1Char('9')) {
            digits[i] = QChar(digits[i].unicode() + 1);
            return;
        }
        digits[i] = QLatin1Char('0');
    }
    digits.prepend(QLatin1Char('1'));
}

// The amount in whole units. It passes through a fixed-point value of four decimals first, so a longer
// fraction is rounded twice: 3,49995 becomes 3,5000 and then 4, where rounding once would give 3.
std::int64_t dataLineAmount(QStringView verdi, QChar separator) {
    const std::optional<AmountParts> parts = splitAmount(verdi, separator);
    if (!parts) {
        throw Error(notAnAmountMessage(verdi));
    }
    std::optional<std::int64_t> amount;
    if (parts->fraction.size() <= kFixedPointDecimals) {
        amount = roundAmountHalfEven(verdi, separator);
    } else {
        QString digits = parts->whole.toString();
        digits += parts->fraction.left(kFixedPointDecimals);
        if (roundsUpHalfEven(digits.back(), parts->fraction.mid(kFixedPointDecimals))) {
            increment(digits);
        }
        const qsizetype wholeSize = digits.size() - kFixedPointDecimals;
        const QString fixedPoint = (parts->negative ? QStringLiteral("-") : QString()) +
                                   digits.left(wholeSize) + separator + digits.mid(wholeSize);
        amount = roundAmountHalfEven(fixedPoint, separator);
    }
    if (!amount) {
        throw Error(notAnAmountMessage(verdi));
    }
    return *amount;
}

QString codeField(const QString& code, int width) {
    return zeroPadded(code.isEmpty() ? 0 : toInteger(code), width);
}

QString landField(const QString& land) {
    return land.size() > 4 ? land.left(4) : land.rightJustified(4, QLatin1Char('0'));
}

}  // namespace

QString notAnAmountMessage(QStringView verdi) {
    return QStringLiteral("\"%1\" er ikke et gyldig beløp.").arg(verdi);
}

QString formatDataLine(const TReportIdentity& identity, const RowRecord& row, const Locale& locale) {
    // The amount is read before the codes, and the fields left to right, so a row with several faults
    // always reports the same one.
    const std::int64_t amount = dataLineAmount(row.verdi, locale.decimalSeparator);
    QString line = zeroPadded(identity.Regnr, 4) + zeroPadded(identity.Rapportnr, 2);
    line += zeroPadded(toInteger(trimBlanks(identity.Periode)), 6);
    line += codeField(row.tillegg, 3);
    line += codeField(row.objektid, 7);
    line += codeField(row.sektor, 3);
    line += codeField(row.naering, 3);
    line += landField(row.land);
    line += codeField(row.valuta, 2);
    line += amount < 0 ? QLatin1Char('1') : QLatin1Char('0');
    line += zeroPadded(amount < 0 ? -amount : amount, 10);
    return line;
}

QString formatDataHeaderLine(const TReportIdentity& identity, int dataLineCount) {
    const bool correction = identity.Rapporttype.toUpper() == QLatin1String("K");
    return (correction ? QStringLiteral("K") : QStringLiteral("F")) + zeroPadded(identity.Dsnr, 3) +
           trimmed(identity.Periode) + zeroPadded(dataLineCount, 6) + QString::number(identity.Rapportnr) +
           QStringLiteral("00000000000000");
}

DataLinesBuilder::DataLinesBuilder(const TReportIdentity& identity, const Locale& locale)
    : m_identity(identity), m_locale(locale) {}

QString dataLineRowFailure(int rowNumber, const QString& reason) {
    return QStringLiteral("Klarte ikke formatere rapportens rad nr ") + QString::number(rowNumber) + kCrLf +
           reason;
}

void DataLinesBuilder::addRow(int rowNumber, const RowRecord& row, const QString& amountNote) {
    // The line reads the amount first, so a bad amount is the failure the row reports.
    try {
        dataLineAmount(row.verdi, m_locale.decimalSeparator);
    } catch (const Error& e) {
        throw Error(dataLineRowFailure(rowNumber, e.message() + amountNote));
    }
    try {
        m_lines.append(formatDataLine(m_identity, row, m_locale));
    } catch (const Error& e) {
        throw Error(dataLineRowFailure(rowNumber, e.message()));
    }
}

QString DataLinesBuilder::text() const {
    if (m_lines.isEmpty()) {
        throw Error(kNoDataLinesMessage);
    }
    QString text = formatDataHeaderLine(m_identity, static_cast<int>(m_lines.size())) + kCrLf;
    for (const QString& line : m_lines) {
        text += line + kCrLf;
    }
    return text;
}

QByteArray dataFileBytes(const QString& dataLinesText) {
    return toWindows1252(trimBlanks(dataLinesText).toString() + kCrLf);
}

}  // namespace telvainn
