#include "app/SendHistorySchema.h"

#include <QSqlQuery>
#include <QSqlRecord>
#include <QStringList>
#include <QVariant>

namespace telvainn {
namespace {

struct Column {
    const char* name;
    const char* definition;
};

// Every column but the key has a default, so that a step can add it to a table that has rows.
constexpr Column kSendingColumnsV1[] = {
    {"id", "INTEGER PRIMARY KEY"},
    {"kind", "TEXT NOT NULL DEFAULT ''"},
    {"mode", "TEXT NOT NULL DEFAULT ''"},
    {"dsnr", "INTEGER NOT NULL DEFAULT 0"},
    {"regnr", "INTEGER NOT NULL DEFAULT 0"},
    {"report_number", "INTEGER NOT NULL DEFAULT 0"},
    {"period", "TEXT NOT NULL DEFAULT ''"},
    {"report_type", "TEXT NOT NULL DEFAULT ''"},
    {"template_version", "TEXT NOT NULL DEFAULT ''"},
    {"program_version", "TEXT NOT NULL DEFAULT ''"},
    {"recipient", "TEXT NOT NULL DEFAULT ''"},
    {"transport", "TEXT NOT NULL DEFAULT ''"},
    {"local_time", "TEXT NOT NULL DEFAULT ''"},
    {"utc_time", "TEXT NOT NULL DEFAULT ''"},
    {"sha256", "TEXT NOT NULL DEFAULT ''"},
    {"size", "INTEGER NOT NULL DEFAULT 0"},
    {"outcome", "TEXT NOT NULL DEFAULT ''"},
    {"reply", "TEXT NOT NULL DEFAULT ''"},
    {"completed_utc", "TEXT NOT NULL DEFAULT ''"},
    {"owner_host", "TEXT NOT NULL DEFAULT ''"},
    {"owner_process", "TEXT NOT NULL DEFAULT ''"},
};

// The list pages newest first through any of them without sorting: an index holds the rowid in order.
constexpr const char* kIndexesV1[] = {
    // The duplicate question and the overview of a company's year.
    "CREATE INDEX IF NOT EXISTS sending_report ON sending(regnr, period, report_number)",
    "CREATE INDEX IF NOT EXISTS sending_period ON sending(period)",
    "CREATE INDEX IF NOT EXISTS sending_outcome ON sending(outcome)",
};

QString latin1(const char* text) {
    return QString::fromLatin1(text);
}

// Runs the statements one after another; the first error, or none.
QSqlError run(QSqlDatabase& db, const QStringList& statements) {
    for (const QString& statement : statements) {
        QSqlQuery query(db);
        if (!query.exec(statement)) {
            return query.lastError();
        }
    }
    return {};
}

// Version 1, also from a table made before the layout was versioned that lacks some of its columns:
// those are added with their defaults and every row kept.
QSqlError toVersion1(QSqlDatabase& db) {
    QStringList columns;
    for (const Column& column : kSendingColumnsV1) {
        columns.append(latin1(column.name) + QLatin1Char(' ') + latin1(column.definition));
    }
    QStringList statements{
        QStringLiteral("CREATE TABLE IF NOT EXISTS sending (") + columns.join(QStringLiteral(", ")) +
            QLatin1Char(')'),
        // The bytes apart, so that the list never reads through them.
        QStringLiteral("CREATE TABLE IF NOT EXISTS envelope (sending_id INTEGER PRIMARY KEY, bytes BLOB NOT "
                       "NULL DEFAULT x'')")};
    if (const QSqlError error = run(db, statements); error.isValid()) {
        return error;
    }
    const QSqlRecord present = db.record(QStringLiteral("sending"));
    statements.clear();
    for (const Column& column : kSendingColumnsV1) {
        if (!present.contains(latin1(column.name))) {
            statements.append(QStringLiteral("ALTER TABLE sending ADD COLUMN ") + latin1(column.name) +
                              QLatin1Char(' ') + latin1(column.definition));
        }
    }
    for (const char* index : kIndexesV1) {
        statements.append(latin1(index));
    }
    return run(db, statements);
}

using Step = QSqlError (*)(QSqlDatabase&);
// Step i brings version i to version i + 1.
constexpr Step kSteps[kSendHistorySchemaVersion] = {&toVersion1};

}  // namespace

int sendHistorySchemaVersion(QSqlDatabase& db, QSqlError& error) {
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("PRAGMA user_version")) || !query.next()) {
        error = query.lastError();
        return -1;
    }
    return query.value(0).toInt();
}

QSqlError migrateSendHistory(QSqlDatabase& db) {
    // Small pages for a new file (an existing one keeps its own): the last page of an envelope is half
    // empty on average, which with SQLite's usual 4 KiB pages would cost 2 KiB an entry.
    if (QSqlError error = run(db, {QStringLiteral("PRAGMA page_size = 1024")}); error.isValid()) {
        return error;
    }
    // Immediate: two programs that open an old file at once take their turns instead of both reading
    // the old version and then failing to write.
    if (QSqlError error = run(db, {QStringLiteral("BEGIN IMMEDIATE")}); error.isValid()) {
        return error;
    }
    QSqlError error;
    int version = sendHistorySchemaVersion(db, error);
    for (; !error.isValid() && version >= 0 && version < kSendHistorySchemaVersion; ++version) {
        error = kSteps[version](db);
    }
    if (!error.isValid()) {
        error = run(db, {QStringLiteral("PRAGMA user_version = %1").arg(version), QStringLiteral("COMMIT")});
    }
    if (error.isValid()) {
        run(db, {QStringLiteral("ROLLBACK")});
    }
    return error;
}

}  // namespace telvainn
