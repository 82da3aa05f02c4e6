#pragma once

#include <QDateTime>
#include <QString>
#include <QVariant>

#include "app/SendHistory.h"

class QSqlQuery;

// How an entry is kept in the history file: the columns' texts for its kind, mode, outcome and times.
namespace telvainn {

const QString kSendHistoryColumns = QStringLiteral(
    "id, kind, mode, dsnr, regnr, report_number, period, report_type, template_version, program_version, "
    "recipient, transport, local_time, utc_time, sha256, size, outcome, reply, completed_utc, owner_host, "
    "owner_process");

// The driver binds a null string as NULL, which the columns refuse.
QVariant notNull(const QString& text);
QString kindText(HistoryKind kind);
QString modeText(const RunMode& mode);
// Only what a program wrote is stored; Unknown is what a reader makes of an entry nobody completes.
QString storedOutcomeText(HistoryOutcome outcome);
QString utcText(const QDateTime& time);
// The sender's clock reading with its offset from UTC.
QString localText(const QDateTime& time);
// A row of kSendHistoryColumns; an entry nobody completed is in progress or unknown as of `nowUtc`.
HistoryRecord recordFrom(const QSqlQuery& query, const QDateTime& nowUtc);

}  // namespace telvainn
