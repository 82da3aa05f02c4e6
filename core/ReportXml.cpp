#include "core/ReportXml.h"

#include "core/Error.h"
#include "core/Numbers.h"
#include "core/ProgramInfo.h"
#include "core/XmlEscape.h"

#include <optional>

namespace telvainn {
namespace {

const QString kCrLf = QStringLiteral("\r\n");

QString illegalCharactersMessage(const QString& verdi) {
    return QStringLiteral("Fant et beløp (verdi = ") + verdi +
           QStringLiteral(") som inneholder ulovlige tegn. Valider på nytt!");
}

QString tooManyDigitsMessage(const QString& rounded) {
    return QStringLiteral("Fant et beløp (verdi = ") + rounded +
           QStringLiteral(") som inneholder mer enn 10 siffer. Valider på nytt!");
}

// The amount as a whole number in decimal.
QString objectAmount(const QString& verdi, QChar separator) {
    const std::optional<QString> rounded =
        isNumber(verdi, separator) ? roundedAmountText(verdi, separator) : std::nullopt;
    if (!rounded) {
        throw Error(illegalCharactersMessage(verdi));
    }
    if (hasMoreThanTenDigits(*rounded)) {
        throw Error(tooManyDigitsMessage(*rounded));
    }
    return *rounded;
}

QString orDefault(const QString& code, const QString& empty) {
    return code.isEmpty() ? empty : code;
}

QString rootAttribute(const char* name, const QString& value) {
    return QLatin1Char(' ') + QLatin1String(name) + QLatin1String("=\"") + escapeXmlAttribute(value) +
           QLatin1String("\" ") + kCrLf;
}

}  // namespace

QString reportTimestamp(int dsnr, int regnr, const QDateTime& buildTime) {
    return dsnrText(dsnr) + QLatin1Char('-') + regnrText(regnr) + QLatin1Char('-') +
           buildTime.toString(QStringLiteral("yyyyMMddHHmmsszzz"));
}

QString reportDocumentHead(const ReportRootAttributes& root) {
    return QStringLiteral("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>") + kCrLf +
           QStringLiteral("<DVRAPPORT ") + kCrLf + rootAttribute("DSNR", root.dsnr) +
           rootAttribute("REGNR", root.regnr) + rootAttribute("RAPPORTID", root.rapportid) +
           rootAttribute("RAPPORTVERSJON", root.rapportversjon) + rootAttribute("PERIODE", root.periode) +
           rootAttribute("TYPE", root.type) + rootAttribute("PROGRAMVERSJON", kProgramVersion) +
           QStringLiteral(" TIDSSTEMPEL=\"") + escapeXmlAttribute(root.tidsstempel) + QStringLiteral("\" >") +
           kCrLf + QStringLiteral("<DATA>") + kCrLf;
}

QString FormatObjectElement(const RowRecord& row, const Locale& locale) {
    const QString verdi = objectAmount(row.verdi, locale.decimalSeparator);
    return QLatin1String("<OBJEKT text=\"") + escapeXmlAttribute(row.text) + QLatin1String("\" tillegg=\"") +
           orDefault(row.tillegg, QStringLiteral("000")) + QLatin1String("\" objektid=\"") + row.objektid +
           QLatin1String("\" sektor=\"") + orDefault(row.sektor, QStringLiteral("000")) +
           QLatin1String("\" naering=\"") + orDefault(row.naering, QStringLiteral("000")) +
           QLatin1String("\" land=\"") + orDefault(row.land, QStringLiteral("0000")) +
           QLatin1String("\" valuta=\"") + orDefault(row.valuta, QStringLiteral("00")) +
           QLatin1String("\" verdi=\"") + verdi + QLatin1String("\" />");
}

XmlDocumentBuilder::XmlDocumentBuilder(const TReportIdentity& identity, const QDateTime& buildTime,
                                       const Locale& locale)
    : m_locale(locale) {
    m_head =
        reportDocumentHead({QString::number(identity.Dsnr), QString::number(identity.Regnr),
                            QString::number(identity.Rapportnr), QStringLiteral("EXCEL"), identity.Periode,
                            identity.Rapporttype, reportTimestamp(identity.Dsnr, identity.Regnr, buildTime)});
}

QString xmlRowFailure(int rowNumber, const QString& reason) {
    return QStringLiteral("Klarte ikke formatere rapportens rad nr ") + QString::number(rowNumber) +
           QStringLiteral(" -> ") + reason;
}

void XmlDocumentBuilder::addRow(int rowNumber, const RowRecord& row, const QString& amountNote) {
    try {
        m_objectLines.append(FormatObjectElement(row, m_locale));
    } catch (const Error& e) {
        // Only the amount can make an element fail.
        throw Error(xmlRowFailure(rowNumber, e.message() + amountNote));
    }
}

QString XmlDocumentBuilder::text() const {
    if (m_objectLines.isEmpty()) {
        throw Error(kNoObjectLinesMessage);
    }
    QString text = m_head;
    for (const QString& line : m_objectLines) {
        text += line + kCrLf;
    }
    return text + QStringLiteral("</DATA>") + kCrLf + QStringLiteral("</DVRAPPORT>") + kCrLf;
}

}  // namespace telvainn
