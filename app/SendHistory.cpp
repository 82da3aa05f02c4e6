#include "app/SendHistory.h"

#include <QCryptographicHash>
#include <QDir>
#include <QFile>
#include <QSqlQuery>
#include <QVariant>
#include <atomic>

#include "app/SendHistoryRows.h"
#include "app/SendHistorySchema.h"

namespace telvainn {
namespace {

// Another program on the folder may hold the file for a moment; longer than a send's own writes take.
constexpr int kBusyTimeoutMilliseconds = 5000;
constexpr int kSqliteCorrupt = 11;
constexpr int kSqliteNotADatabase = 26;

std::atomic<int> connectionCount{0};

bool isDamage(const QSqlError& error) {
    const int code = error.nativeErrorCode().toInt() & 0xff;
    return code == kSqliteCorrupt || code == kSqliteNotADatabase;
}

QString reasonOf(const QSqlError& error) {
    return error.databaseText().isEmpty() ? error.text() : error.databaseText();
}

bool exec(QSqlQuery& query, const QVariantList& values, QSqlError& error) {
    for (const QVariant& value : values) {
        query.addBindValue(value);
    }
    if (query.exec()) {
        return true;
    }
    error = query.lastError();
    return false;
}

// The entry and its bytes in one transaction; its id, or 0 and the error.
qint64 insert(QSqlDatabase& db, const HistoryEntry& e, const QDateTime& now, const HistoryOwner& owner,
              QSqlError& error) {
    QSqlQuery query(db);
    if (!query.exec(QStringLiteral("BEGIN IMMEDIATE"))) {
        error = query.lastError();
        return 0;
    }
    query.prepare(QStringLiteral(
        "INSERT INTO sending (kind, mode, dsnr, regnr, report_number, period, report_type, template_version, "
        "program_version, recipient, transport, local_time, utc_time, sha256, size, outcome, owner_host, "
        "owner_process) VALUES (?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?, ?)"));
    const QByteArray sha256 = QCryptographicHash::hash(e.bytes, QCryptographicHash::Sha256).toHex();
    qint64 id = 0;
    if (exec(query,
             {kindText(e.kind), modeText(e.mode), e.identity.Dsnr, e.identity.Regnr, e.identity.Rapportnr,
              notNull(e.identity.Periode), notNull(e.identity.Rapporttype), notNull(e.templateVersion),
              notNull(e.programVersion), notNull(e.recipient), notNull(e.transport), localText(now),
              utcText(now), QString::fromLatin1(sha256), qint64{e.bytes.size()},
              storedOutcomeText(HistoryOutcome::InProgress), notNull(owner.host), notNull(owner.process)},
             error)) {
        id = query.lastInsertId().toLongLong();
        QSqlQuery bytes(db);
        bytes.prepare(QStringLiteral("INSERT INTO envelope (sending_id, bytes) VALUES (?, ?)"));
        QSqlQuery commit(db);
        commit.prepare(QStringLiteral("COMMIT"));
        if (exec(bytes, {id, e.bytes.isNull() ? QByteArray("") : e.bytes}, error) &&
            exec(commit, {}, error)) {
            return id;
        }
    }
    QSqlQuery(db).exec(QStringLiteral("ROLLBACK"));
    return 0;
}

}  // namespace

QString sendHistoryPath(const QString& programFolder) {
    return QDir(programFolder).filePath(QStringLiteral("telvainn-historikk.db"));
}

SendHistory::SendHistory(const QString& programFolder, Clock clock)
    : m_path(sendHistoryPath(programFolder)), m_clock(std::move(clock)), m_owner(currentHistoryOwner()) {
    open();
}

SendHistory::~SendHistory() {
    closeConnection();
}

bool SendHistory::open() {
    QString reason;
    Opened opened = openFile(reason);
    if (opened == Opened::Damaged) {
        opened = setAside(reason) ? openFile(reason) : Opened::Failed;
    }
    if (opened == Opened::Ok) {
        m_open = true;
        return true;
    }
    closeConnection();
    if (!m_unavailableWarned) {
        m_unavailableWarned = true;
        const QString file = QDir::toNativeSeparators(m_path);
        warn(opened == Opened::Newer ? kHistoryNewerMessage.arg(file)
                                     : kHistoryUnavailableMessage.arg(file, reason));
    }
    return false;
}

SendHistory::Opened SendHistory::openFile(QString& reason) {
    closeConnection();
    m_connectionName = QStringLiteral("telvainn-historikk-%1").arg(++connectionCount);
    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), m_connectionName);
    db.setDatabaseName(m_path);
    db.setConnectOptions(QStringLiteral("QSQLITE_BUSY_TIMEOUT=%1").arg(kBusyTimeoutMilliseconds));
    if (!db.open()) {
        reason = reasonOf(db.lastError());
        return isDamage(db.lastError()) ? Opened::Damaged : Opened::Failed;
    }
    QSqlError error;
    {
        // The folder may be a network share, where a write-ahead log is not safe.
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral("PRAGMA journal_mode = DELETE"))) {
            error = query.lastError();
        }
    }
    const int version = error.isValid() ? -1 : sendHistorySchemaVersion(db, error);
    if (version > kSendHistorySchemaVersion) {
        return Opened::Newer;
    }
    if (!error.isValid() && version < kSendHistorySchemaVersion) {
        error = migrateSendHistory(db);
    }
    if (!error.isValid()) {
        // A file cut short shows when a table's pages are read.
        QSqlQuery query(db);
        if (!query.exec(QStringLiteral("SELECT id FROM sending ORDER BY id DESC LIMIT 1"))) {
            error = query.lastError();
        }
    }
    if (error.isValid()) {
        reason = reasonOf(error);
        return isDamage(error) ? Opened::Damaged : Opened::Failed;
    }
    return Opened::Ok;
}

bool SendHistory::setAside(QString& reason) {
    closeConnection();
    const QString base =
        m_path + QStringLiteral(".skadet-") + m_clock().toString(QStringLiteral("yyyyMMdd-HHmmss"));
    QString target = base;
    for (int n = 2; QFile::exists(target); ++n) {
        target = base + QLatin1Char('-') + QString::number(n);
    }
    QFile file(m_path);
    if (!file.rename(target)) {
        reason = file.errorString();
        return false;
    }
    warn(kHistorySetAsideMessage.arg(QDir::toNativeSeparators(target)));
    return true;
}

void SendHistory::closeConnection() {
    m_open = false;
    if (m_connectionName.isEmpty()) {
        return;
    }
    QSqlDatabase::database(m_connectionName, false).close();
    QSqlDatabase::removeDatabase(m_connectionName);
    m_connectionName.clear();
}

void SendHistory::warn(const QString& text) {
    if (!m_warnings.contains(text)) {
        m_warnings.append(text);
    }
}

QString SendHistory::takeWarning() {
    const QString text = m_warnings.join(QStringLiteral("\r\n\r\n"));
    m_warnings.clear();
    return text;
}

qint64 SendHistory::begin(const HistoryEntry& entry) {
    for (int attempt = 0; attempt < 2; ++attempt) {
        if (!m_open && !open()) {
            return 0;
        }
        QSqlError error;
        qint64 id = 0;
        {
            QSqlDatabase db = QSqlDatabase::database(m_connectionName, false);
            id = insert(db, entry, m_clock(), m_owner, error);
        }
        if (id > 0) {
            return id;
        }
        QString reason = reasonOf(error);
        if (attempt == 0 && isDamage(error)) {
            if (setAside(reason)) {
                continue;
            }
        }
        warn(kHistoryWriteFailedMessage.arg(QDir::toNativeSeparators(m_path), reason));
        return 0;
    }
    return 0;
}

void SendHistory::complete(qint64 id, HistoryOutcome outcome, const QString& reply) {
    if (id <= 0 || !m_open) {
        return;
    }
    QSqlError error;
    {
        QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
        query.prepare(
            QStringLiteral("UPDATE sending SET outcome = ?, reply = ?, completed_utc = ? WHERE id = ?"));
        const HistoryOutcome stored = outcome == HistoryOutcome::Sent ? outcome : HistoryOutcome::Failed;
        if (exec(query, {storedOutcomeText(stored), notNull(reply), utcText(m_clock()), id}, error)) {
            return;
        }
    }
    warn(kHistoryWriteFailedMessage.arg(QDir::toNativeSeparators(m_path), reasonOf(error)));
}

QList<HistoryRecord> SendHistory::list(const HistoryFilter& filter) {
    if (!m_open && !open()) {
        return {};
    }
    QString sql =
        QStringLiteral("SELECT ") + kSendHistoryColumns + QStringLiteral(" FROM sending WHERE 1 = 1");
    QVariantList values;
    if (!filter.periodFrom.isEmpty()) {
        sql += QStringLiteral(" AND period >= ?");
        values.append(filter.periodFrom);
    }
    if (!filter.periodTo.isEmpty()) {
        sql += QStringLiteral(" AND period <= ?");
        values.append(filter.periodTo);
    }
    if (filter.reportNumber) {
        sql += QStringLiteral(" AND report_number = ?");
        values.append(*filter.reportNumber);
    }
    if (filter.regnr) {
        sql += QStringLiteral(" AND regnr = ?");
        values.append(*filter.regnr);
    }
    if (filter.outcome) {
        sql += QStringLiteral(" AND outcome = ?");
        values.append(storedOutcomeText(*filter.outcome));
    }
    sql += QStringLiteral(" ORDER BY id DESC LIMIT ? OFFSET ?");
    values.append(filter.limit);
    values.append(filter.offset);
    return select(sql, values);
}

std::optional<HistoryRecord> SendHistory::record(qint64 id) {
    if (!m_open && !open()) {
        return std::nullopt;
    }
    QSqlError error;
    {
        QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
        query.setForwardOnly(true);
        query.prepare(
            QStringLiteral("SELECT ") + kSendHistoryColumns +
            QStringLiteral(", bytes FROM sending LEFT JOIN envelope ON sending_id = id WHERE id = ?"));
        if (exec(query, {id}, error)) {
            if (!query.next()) {
                return std::nullopt;
            }
            HistoryRecord r = recordFrom(query, m_clock().toUTC());
            r.entry.bytes = query.value(21).toByteArray();
            return r;
        }
    }
    warn(kHistoryReadFailedMessage.arg(QDir::toNativeSeparators(m_path), reasonOf(error)));
    return std::nullopt;
}

std::optional<HistoryRecord> SendHistory::lastSent(int regnr, int reportNumber, const QString& period,
                                                   const QString& reportType) {
    if (reportType != QLatin1String("N") && reportType != QLatin1String("F")) {
        return std::nullopt;
    }
    if (!m_open && !open()) {
        return std::nullopt;
    }
    const QList<HistoryRecord> found =
        select(QStringLiteral("SELECT ") + kSendHistoryColumns +
                   QStringLiteral(
                       " FROM sending WHERE regnr = ? AND period = ? AND report_number = ? AND report_type "
                       "IN ('N', 'F') AND mode = 'normal' AND kind = 'mail' AND outcome = 'sent' ORDER BY "
                       "id DESC LIMIT 1"),
               {regnr, period, reportNumber});
    return found.isEmpty() ? std::nullopt : std::optional<HistoryRecord>(found.first());
}

QList<PeriodHistory> SendHistory::overview(int year, int regnr) {
    if (!m_open && !open()) {
        return {};
    }
    const QString from = QStringLiteral("%1").arg(year, 4, 10, QLatin1Char('0'));
    const QList<HistoryRecord> records =
        select(QStringLiteral("SELECT ") + kSendHistoryColumns +
                   QStringLiteral(" FROM sending WHERE regnr = ? AND period >= ? AND period <= ? ORDER BY "
                                  "report_number, period, id"),
               {regnr, from + QStringLiteral("01"), from + QStringLiteral("12")});
    QList<PeriodHistory> periods;
    for (const HistoryRecord& r : records) {
        const TReportIdentity& identity = r.entry.identity;
        if (periods.isEmpty() || periods.last().reportNumber != identity.Rapportnr ||
            periods.last().period != identity.Periode) {
            periods.append({identity.Rapportnr, identity.Periode, {}, {}, {}, false, false});
        }
        PeriodHistory& p = periods.last();
        if (r.outcome == HistoryOutcome::Failed || r.outcome == HistoryOutcome::Unknown) {
            p.failed = true;
        }
        if (r.outcome != HistoryOutcome::Sent || r.entry.mode.dataFile) {
            continue;
        }
        if (r.entry.kind == HistoryKind::Mail && r.entry.mode.test) {
            p.sentInTest = true;
        } else if (r.entry.kind == HistoryKind::Mail) {
            (identity.Rapporttype == QLatin1String("K") ? p.corrected : p.sent) = r.localTime;
        } else if (r.entry.kind == HistoryKind::EncryptedFile && !r.entry.mode.test) {
            p.savedToFile = r.localTime;
        }
    }
    return periods;
}

QList<int> SendHistory::reportNumbersSent(int regnr) {
    // "+outcome" keeps SQLite off the outcome index, which holds nearly every entry as sent; the
    // company's own entries are far fewer.
    return selectNumbers(
        QStringLiteral("SELECT DISTINCT report_number FROM sending WHERE regnr = ? AND mode = "
                       "'normal' AND +outcome = 'sent' AND kind IN ('mail', 'encrypted-file') "
                       "ORDER BY report_number"),
        {regnr});
}

QList<int> SendHistory::companies() {
    return selectNumbers(QStringLiteral("SELECT DISTINCT regnr FROM sending ORDER BY regnr"), {});
}

QList<int> SendHistory::selectNumbers(const QString& sql, const QVariantList& values) {
    if (!m_open && !open()) {
        return {};
    }
    QSqlError error;
    {
        QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
        query.setForwardOnly(true);
        query.prepare(sql);
        if (exec(query, values, error)) {
            QList<int> numbers;
            while (query.next()) {
                numbers.append(query.value(0).toInt());
            }
            if (!query.lastError().isValid()) {
                return numbers;
            }
            error = query.lastError();
        }
    }
    warn(kHistoryReadFailedMessage.arg(QDir::toNativeSeparators(m_path), reasonOf(error)));
    return {};
}

QList<HistoryRecord> SendHistory::select(const QString& sql, const QVariantList& values) {
    QSqlError error;
    QList<HistoryRecord> records;
    {
        QSqlQuery query(QSqlDatabase::database(m_connectionName, false));
        query.setForwardOnly(true);
        query.prepare(sql);
        if (exec(query, values, error)) {
            const QDateTime nowUtc = m_clock().toUTC();
            while (query.next()) {
                records.append(recordFrom(query, nowUtc));
            }
            if (!query.lastError().isValid()) {
                return records;
            }
            error = query.lastError();
        }
    }
    warn(kHistoryReadFailedMessage.arg(QDir::toNativeSeparators(m_path), reasonOf(error)));
    return {};
}

}  // namespace telvainn
