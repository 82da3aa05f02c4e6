#pragma once

#include <QByteArray>
#include <QDateTime>
#include <QList>
#include <QString>
#include <QStringList>
#include <QVariant>
#include <functional>
#include <optional>

#include "app/HistoryOwner.h"
#include "core/ProgramInfo.h"
#include "core/ReportIdentity.h"
#include "core/RunMode.h"
#include "transmission/DepartureLog.h"

namespace telvainn {

// <program folder>/telvainn-historikk.db, beside telvainn.ini.
QString sendHistoryPath(const QString& programFolder);

// The warnings, %1 the file, %2 the reason.
inline const QString kHistoryUnavailableMessage = QStringLiteral(
    "Klarte ikke å åpne historikken over sendte rapporter:\r\n%1\r\n-> %2\r\nRapportene sendes og lagres "
    "som før, men blir ikke ført i historikken.");
inline const QString kHistoryNewerMessage = QStringLiteral(
    "Historikken over sendte rapporter er laget av en nyere versjon av programmet:\r\n%1\r\nRapportene "
    "sendes og lagres som før, men blir ikke ført i historikken.");
inline const QString kHistoryWriteFailedMessage = QStringLiteral(
    "Klarte ikke å føre rapporten i historikken over sendte rapporter:\r\n%1\r\n-> %2\r\nRapporten "
    "sendes og lagres som før; bare historikken mangler den.");
inline const QString kHistoryReadFailedMessage =
    QStringLiteral("Klarte ikke å lese historikken over sendte rapporter:\r\n%1\r\n-> %2");
// %1 the damaged file's new name.
inline const QString kHistorySetAsideMessage = QStringLiteral(
    "Historikken over sendte rapporter var skadet og er lagt til side som:\r\n%1\r\nEn ny historikk er "
    "startet.");

// How a report left the program.
using HistoryKind = DepartureKind;

enum class HistoryOutcome {
    InProgress,  // handed to the transport by a program that is still running
    Sent,        // accepted by the transport, or the file written
    Failed,
    Unknown,  // handed to the transport by a program that ended, or was lost, before it heard back
};

// What is known before a report is handed to the transport.
struct HistoryEntry {
    HistoryKind kind = HistoryKind::Mail;
    RunMode mode;
    TReportIdentity identity;  // its Rapporttype may also be "F", a report of a flat data file
    QString templateVersion;
    QString programVersion = kProgramVersion;
    QString recipient;  // the mail address, or the path of the file written
    QString transport;  // "smtp" or "sendmail"; empty for a file
    QByteArray bytes;   // exactly what left: the envelope, or the data file
};

struct HistoryRecord {
    qint64 id = 0;
    HistoryEntry entry;   // bytes only from SendHistory::record()
    QDateTime localTime;  // when the entry was begun, at the sender's offset from UTC
    QDateTime utcTime;
    QString sha256;  // of the bytes, lower-case hex
    qint64 size = 0;
    HistoryOutcome outcome = HistoryOutcome::InProgress;
    QString reply;  // the server's final reply or message ID, or the reason of a failure
    QDateTime completedUtc;
};

// A page of the list; a field left empty matches every entry.
struct HistoryFilter {
    QString periodFrom{};  // "ååååmm", inclusive
    QString periodTo{};
    std::optional<int> reportNumber{};
    std::optional<int> regnr{};
    // InProgress and Unknown both select the entries that were never completed, each then shown as it
    // is now.
    std::optional<HistoryOutcome> outcome{};
    int limit = 100;
    int offset = 0;
};

// What the history holds of one report number and period of a company.
struct PeriodHistory {
    int reportNumber = 0;
    QString period;
    QDateTime sent;           // local time of the last mail of type N or F accepted in normal mode
    QDateTime corrected;      // the same for type K
    QDateTime savedToFile;    // of the last encrypted file saved in normal mode
    bool sentInTest = false;  // a mail accepted in test mode
    bool failed = false;      // an attempt that failed or whose outcome is unknown
};

// The durable record of every report that left the program, in an SQLite file that several programs
// on one shared folder may write at once. History never costs a report: no call raises, a store that
// cannot be opened or written records nothing and says so once through takeWarning().
//
// Needs a QCoreApplication (Qt loads its SQLite driver through it); use one object from one thread.
class SendHistory {
  public:
    using Clock = std::function<QDateTime()>;

    explicit SendHistory(const QString& programFolder, Clock clock = &QDateTime::currentDateTime);
    ~SendHistory();
    SendHistory(const SendHistory&) = delete;
    SendHistory& operator=(const SendHistory&) = delete;

    bool available() const { return m_open; }
    QString path() const { return m_path; }

    // Records the entry as in progress before the transport has it; the id for complete(), 0 when it
    // could not be recorded.
    qint64 begin(const HistoryEntry& entry);
    // `reply`: the server's final reply or message ID when sent, the reason when failed. Does nothing
    // for id 0.
    void complete(qint64 id, HistoryOutcome outcome, const QString& reply);

    // Newest first.
    QList<HistoryRecord> list(const HistoryFilter& filter);
    // With its bytes.
    std::optional<HistoryRecord> record(qint64 id);
    // The last mail accepted in normal mode for the report; types N and F count as the same report,
    // a correction (K) never has one.
    std::optional<HistoryRecord> lastSent(int regnr, int reportNumber, const QString& period,
                                          const QString& reportType);
    // Every report number and period of the year the company has an entry for, in that order.
    QList<PeriodHistory> overview(int year, int regnr);
    // The report numbers the company has ever delivered, ascending: a mail of any type accepted in
    // normal mode, or an encrypted file saved in normal mode for the user to mail.
    QList<int> reportNumbersSent(int regnr);
    // Every Regnr the history holds an entry for, ascending.
    QList<int> companies();

    // The warnings gathered since the last call, as one text to show after the command's own outcome
    // message; empty when there are none.
    QString takeWarning();

  private:
    enum class Opened { Ok, Damaged, Newer, Failed };
    bool open();
    Opened openFile(QString& reason);
    bool setAside(QString& reason);
    void closeConnection();
    void warn(const QString& text);
    QList<HistoryRecord> select(const QString& sql, const QList<QVariant>& values);
    QList<int> selectNumbers(const QString& sql, const QList<QVariant>& values);

    QString m_path;
    QString m_connectionName;
    Clock m_clock;
    HistoryOwner m_owner;
    bool m_open = false;
    bool m_unavailableWarned = false;  // once per program: it says that nothing will be recorded
    QStringList m_warnings;
};

}  // namespace telvainn
