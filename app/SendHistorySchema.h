#pragma once

#include <QSqlDatabase>
#include <QSqlError>

namespace telvainn {

// The history database's layout, in PRAGMA user_version. A program meets only versions up to its own;
// a newer file is left alone.
inline constexpr int kSendHistorySchemaVersion = 1;

// The user_version of the open database, -1 when it cannot be read.
int sendHistorySchemaVersion(QSqlDatabase& db, QSqlError& error);

// Brings the open database up to kSendHistorySchemaVersion in one write transaction, one step per
// version; a database that another program brought up meanwhile is left as it is. Returns the first
// error, or no error.
QSqlError migrateSendHistory(QSqlDatabase& db);

}  // namespace telvainn
