#include "app/HistoryResend.h"

#include "app/HistoryTexts.h"
#include "core/Error.h"
#include "core/FileIo.h"
#include "transmission/Envelope.h"
#include "transmission/EnvelopeParser.h"

namespace telvainn {
namespace {

const QString kNoEntryMessage = QStringLiteral("Historikken har ingen oppføring %1.");

// The entry with its bytes, checked to be what was recorded.
HistoryRecord storedEntry(SendHistory& history, qint64 id) {
    const std::optional<HistoryRecord> record = history.record(id);
    if (!record) {
        throw Error(kNoEntryMessage.arg(id));
    }
    RequireIntactBytes(*record);
    return *record;
}

}  // namespace

ReportResult SaveFromHistory(SendHistory& history, qint64 id, const QString& path) {
    try {
        writeFileBytes(path, storedEntry(history, id).entry.bytes);
        return {ReportResult::Done, {}, path, {}};
    } catch (const std::exception& error) {
        return {ReportResult::Failed,
                QStringLiteral("Klarte ikke å lagre rapporten:\r\n") + errorText(error),
                path,
                {}};
    }
}

ReportResult ResendFromHistory(SendHistory& history, qint64 id, ReportMailer& mailer, const RunMode& mode,
                               const RepeatConfirmation& confirmRepeat, const QString& recipientName) {
    ReportResult result{ReportResult::Failed, {}, {}, recipientName};
    try {
        const HistoryRecord record = storedEntry(history, id);
        if (record.entry.kind == HistoryKind::DataFile) {
            throw Error(
                QStringLiteral("En datafil sendes ikke med e-post. Lagre den igjen og send den "
                               "slik du sendte den første gang."));
        }
        if (record.entry.mode.test != mode.test) {
            throw Error(record.entry.mode.test
                            ? QStringLiteral("Rapporten ble sendt i testmodus, og kan bare sendes igjen når "
                                             "programmet kjører i testmodus.")
                            : QStringLiteral("Rapporten ble sendt i vanlig modus, og kan ikke sendes igjen "
                                             "når programmet kjører i testmodus."));
        }
        // An encrypted file carries one CR LF after the envelope, which the mail does not.
        QByteArray envelope = record.entry.bytes;
        if (record.entry.kind == HistoryKind::EncryptedFile && envelope.endsWith("\r\n")) {
            envelope.chop(2);
        }
        const ParsedEnvelope parsed = ParseEncryptedReportText(envelope);
        if (!MaySend({&history, mode, confirmRepeat}, parsed.info)) {
            result.outcome = ReportResult::Cancelled;
            return result;
        }
        if (!mailer.SendReportMail(parsed.info, envelope, BuildClearTextBlock(parsed.info))) {
            result.outcome = ReportResult::Cancelled;
            result.message = kCancelledByUserMessage;
            return result;
        }
        result.outcome = ReportResult::Done;
        result.message = SentMessage(recipientName);
    } catch (const std::exception& error) {
        result.message = SendFailedMessage(errorText(error));
    }
    return result;
}

}  // namespace telvainn
