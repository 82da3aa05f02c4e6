#include "app/HistoryTexts.h"

#include <QCryptographicHash>

#include "core/Error.h"
#include "core/ReportIdentity.h"
#include "core/Windows1252.h"
#include "transmission/BlowfishCipher.h"
#include "transmission/Envelope.h"
#include "transmission/EnvelopeParser.h"

namespace telvainn {
namespace {

const QString kSpreadsheetTime = QStringLiteral("yyyy-MM-dd HH:mm:ss");

// A field with the separator, a quote or a line break in it is quoted, its quotes doubled.
QString csvField(const QString& text) {
    if (!text.contains(QLatin1Char(';')) && !text.contains(QLatin1Char('"')) &&
        !text.contains(QLatin1Char('\r')) && !text.contains(QLatin1Char('\n'))) {
        return text;
    }
    QString quoted = text;
    quoted.replace(QLatin1Char('"'), QStringLiteral("\"\""));
    return QLatin1Char('"') + quoted + QLatin1Char('"');
}

QString csvRow(const QStringList& fields) {
    QStringList quoted;
    for (const QString& field : fields) {
        quoted.append(csvField(field));
    }
    return quoted.join(QLatin1Char(';')) + QStringLiteral("\r\n");
}

// Lines 1 to 12 with their line ends; the parser has made sure each of them ends with CR LF.
QByteArrayView clearTextBlock(QByteArrayView envelope) {
    qsizetype end = 0;
    for (int line = 0; line < envelope::kClearTextLineCount; ++line) {
        end = envelope.indexOf(QByteArrayView("\r\n"), end) + 2;
    }
    return envelope.first(end);
}

}  // namespace

QString historyOutcomeText(HistoryOutcome outcome) {
    switch (outcome) {
        case HistoryOutcome::Sent:
            return QStringLiteral("sendt");
        case HistoryOutcome::Failed:
            return QStringLiteral("feilet");
        case HistoryOutcome::InProgress:
            return QStringLiteral("pågår");
        case HistoryOutcome::Unknown:
            break;
    }
    return QStringLiteral("ukjent");
}

QString historyKindText(HistoryKind kind) {
    switch (kind) {
        case HistoryKind::EncryptedFile:
            return QStringLiteral("kryptert fil");
        case HistoryKind::DataFile:
            return QStringLiteral("datafil");
        case HistoryKind::Mail:
            break;
    }
    return QStringLiteral("e-post");
}

QString historyModeText(const RunMode& mode) {
    if (mode.dataFile) {
        return QStringLiteral("datafil");
    }
    return mode.test ? QStringLiteral("test") : QStringLiteral("normal");
}

QString historyTimeText(const QDateTime& localTime) {
    return localTime.toString(QStringLiteral("dd.MM.yyyy HH:mm"));
}

QByteArray HistoryCsv(const QList<HistoryRecord>& records) {
    QString text =
        csvRow({QStringLiteral("Lokal tid"), QStringLiteral("UTC-tid"), QStringLiteral("Sendt som"),
                QStringLiteral("Modus"), QStringLiteral("Dsnr"), QStringLiteral("Regnr"),
                QStringLiteral("Rapportnr"), QStringLiteral("Periode"), QStringLiteral("Rapporttype"),
                QStringLiteral("Malversjon"), QStringLiteral("Programversjon"), QStringLiteral("Mottaker"),
                QStringLiteral("Transport"), QStringLiteral("Utfall"), QStringLiteral("Svar"),
                QStringLiteral("SHA-256"), QStringLiteral("Id")});
    for (const HistoryRecord& r : records) {
        const HistoryEntry& e = r.entry;
        text +=
            csvRow({r.localTime.toString(kSpreadsheetTime), r.utcTime.toUTC().toString(kSpreadsheetTime),
                    historyKindText(e.kind), historyModeText(e.mode), dsnrText(e.identity.Dsnr),
                    regnrText(e.identity.Regnr), QString::number(e.identity.Rapportnr), e.identity.Periode,
                    e.identity.Rapporttype, e.templateVersion, e.programVersion, e.recipient, e.transport,
                    historyOutcomeText(r.outcome), r.reply, r.sha256, QString::number(r.id)});
    }
    return QByteArray("\xEF\xBB\xBF") + text.toUtf8();
}

void RequireIntactBytes(const HistoryRecord& record) {
    if (QString::fromLatin1(
            QCryptographicHash::hash(record.entry.bytes, QCryptographicHash::Sha256).toHex()) !=
        record.sha256) {
        throw Error(QStringLiteral("Oppføring %1 i historikken stemmer ikke med kontrollsummen (SHA-256) som "
                                   "ble lagret da den ble sendt. Innholdet er endret eller skadet.")
                        .arg(record.id));
    }
}

SentReportContent ReadSentReport(const HistoryRecord& record) {
    const QByteArray& bytes = record.entry.bytes;
    RequireIntactBytes(record);
    if (record.entry.kind == HistoryKind::DataFile) {
        return {fromWindows1252(bytes), QString()};
    }
    try {
        const ParsedEnvelope envelope = ParseEncryptedReportText(bytes);
        const QByteArray report = BlowfishCipher().DecryptReportText(envelope.base64);
        return {fromWindows1252(clearTextBlock(bytes)), fromWindows1252(report)};
    } catch (const Error& e) {
        throw Error(
            QStringLiteral("Klarte ikke å lese den krypterte rapporten i oppføring %1 i historikken:\r\n")
                .arg(record.id) +
            e.message());
    }
}

}  // namespace telvainn
