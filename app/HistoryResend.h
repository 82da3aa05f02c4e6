#pragma once

#include <QString>

#include "app/RepeatedSends.h"
#include "app/ReportCommands.h"
#include "app/SendHistory.h"
#include "core/RunMode.h"
#include "transmission/ReportMail.h"

// What the history window does with an entry that already left: save its bytes again, or mail its
// stored envelope once more, unchanged.
namespace telvainn {

// Writes the entry's stored bytes, exactly, to `path`.
ReportResult SaveFromHistory(SendHistory& history, qint64 id, const QString& path);

// Mails the entry's stored envelope through `mailer` (which records the new send), after the repeat
// question when the entry's report was sent before in normal mode. Only mails and encrypted files can
// be sent again, and a test entry only in test mode, a normal one only outside it.
ReportResult ResendFromHistory(SendHistory& history, qint64 id, ReportMailer& mailer, const RunMode& mode,
                               const RepeatConfirmation& confirmRepeat, const QString& recipientName);

}  // namespace telvainn
