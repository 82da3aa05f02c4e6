#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QString>

#include "core/Locale.h"
#include "core/ReportIdentity.h"
#include "core/ReportXml.h"
#include "core/RowRecord.h"
#include "transmission/BlowfishCipher.h"
#include "transmission/Envelope.h"

namespace testsupport {

// The XML document of a report with one data row, as a report builds it when it is sent.
inline QString oneRowReportXml(const telvainn::TReportIdentity& identity, const QDateTime& built) {
    telvainn::Locale locale;
    locale.decimalSeparator = QLatin1Char(',');
    telvainn::XmlDocumentBuilder document(identity, built, locale);
    document.addRow(11, {QStringLiteral("Innskudd, Østlandet"), QStringLiteral("6001234"), QString(),
                         QStringLiteral("810"), QString(), QStringLiteral("NO"), QStringLiteral("NOK"),
                         QStringLiteral("1250")});
    return document.text().trimmed();
}

// The envelope the program mails or saves for the report: the clear-text block and the encrypted XML.
inline QByteArray envelopeOf(const telvainn::TReportIdentity& identity, const QString& xml) {
    return telvainn::BuildEncryptedReportText(
        telvainn::informationList(identity, QStringLiteral("Annet"), QStringLiteral("01.10.2009")),
        telvainn::BlowfishCipher().EncryptReportText(xml));
}

}  // namespace testsupport
