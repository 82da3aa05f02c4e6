#include <gtest/gtest.h>

#include <signal.h>
#include <unistd.h>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QSqlDatabase>
#include <QSqlError>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <memory>

#include "app/SendHistory.h"
#include "support/CoreApplication.h"
#include "support/FileSizeLimit.h"

using namespace telvainn;

namespace {

const QByteArray kEnvelope("Konvolutt\0\r\n\xe6\xf8\xe5\xff", 16);
const QString kEnvelopeSha256 =
    QStringLiteral("b47ee4b30d6370f3a83c7b8bd1f29f0c1dc5b19a92442bc2d86bafec5e11fea3");

HistoryEntry mail(int regnr, int reportNumber, const QString& period,
                  const QString& type = QStringLiteral("N")) {
    HistoryEntry entry;
    entry.identity.Dsnr = 123;
    entry.identity.Regnr = regnr;
    entry.identity.Rapportnr = reportNumber;
    entry.identity.Periode = period;
    entry.identity.Rapporttype = type;
    entry.recipient = QStringLiteral("telva@dalvora.no");
    entry.transport = QStringLiteral("smtp");
    entry.bytes = kEnvelope;
    return entry;
}

// Runs a statement on the history file beside the store, as another program or a person would.
bool execOn(const QString& path, const QStringList& statements) {
    bool ok = true;
    {
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("by-hand"));
        db.setDatabaseName(path);
        ok = db.open();
        for (const QString& statement : statements) {
            QSqlQuery query(db);
            if (ok && !query.exec(statement)) {
                ADD_FAILURE() << statement.toStdString() << ": " << query.lastError().text().toStdString();
                ok = false;
            }
        }
        db.close();
    }
    QSqlDatabase::removeDatabase(QStringLiteral("by-hand"));
    return ok;
}

class SendHistoryTest : public ::testing::Test {
  protected:
    // Qt loads its SQLite driver only with an application object.
    static void SetUpTestSuite() { ensureCoreApplication(); }

    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    std::unique_ptr<SendHistory> store() {
        return std::make_unique<SendHistory>(m_dir.path(), [this] { return m_now; });
    }
    QString path() const { return sendHistoryPath(m_dir.path()); }

    // Whether permission bits stop this user from writing into the folder (they do not stop root).
    bool folderPermissionsHold() {
        QFile probe(m_dir.filePath(QStringLiteral("probe")));
        if (!probe.open(QIODevice::WriteOnly)) {
            return true;
        }
        probe.close();
        probe.remove();
        return false;
    }
    QTemporaryDir m_dir;
    QDateTime m_now{QDate(2026, 11, 12), QTime(10, 14, 3, 250), Qt::OffsetFromUTC, 3600};
};

using SendHistoryRecordTest = SendHistoryTest;

TEST_F(SendHistoryRecordTest, EveryFieldAndTheExactBytesComeBackFromANewProgram) {
    HistoryEntry entry = mail(4567, 10, QStringLiteral("202410"));
    entry.mode.test = true;
    entry.templateVersion = QStringLiteral("01.10.2009");
    entry.programVersion = QStringLiteral("3.0.5");
    entry.recipient = QStringLiteral("UT:telva-test@dalvora.no");
    entry.transport = QStringLiteral("sendmail");
    qint64 id = 0;
    {
        const auto history = store();
        ASSERT_TRUE(history->available());
        id = history->begin(entry);
        ASSERT_GT(id, 0);
        m_now = m_now.addSecs(2);
        history->complete(id, HistoryOutcome::Sent, QStringLiteral("250 2.0.0 Ok: queued as 4F2A"));
        EXPECT_EQ(history->takeWarning(), QString());
    }
    const auto reopened = store();
    const std::optional<HistoryRecord> r = reopened->record(id);
    ASSERT_TRUE(r.has_value());
    EXPECT_EQ(r->id, id);
    EXPECT_EQ(r->entry.kind, HistoryKind::Mail);
    EXPECT_TRUE(r->entry.mode.test);
    EXPECT_FALSE(r->entry.mode.dataFile);
    EXPECT_EQ(r->entry.identity.Dsnr, 123);
    EXPECT_EQ(r->entry.identity.Regnr, 4567);
    EXPECT_EQ(r->entry.identity.Rapportnr, 10);
    EXPECT_EQ(r->entry.identity.Periode, QStringLiteral("202410"));
    EXPECT_EQ(r->entry.identity.Rapporttype, QStringLiteral("N"));
    EXPECT_EQ(r->entry.templateVersion, QStringLiteral("01.10.2009"));
    EXPECT_EQ(r->entry.programVersion, QStringLiteral("3.0.5"));
    EXPECT_EQ(r->entry.recipient, QStringLiteral("UT:telva-test@dalvora.no"));
    EXPECT_EQ(r->entry.transport, QStringLiteral("sendmail"));
    EXPECT_EQ(r->entry.bytes, kEnvelope);
    EXPECT_EQ(r->sha256, kEnvelopeSha256);
    EXPECT_EQ(r->size, 16);
    // The sender's own clock reading, offset included, and the same moment in UTC.
    EXPECT_EQ(r->localTime.toString(Qt::ISODateWithMs), QStringLiteral("2026-11-12T10:14:03.250+01:00"));
    EXPECT_EQ(r->utcTime.toString(Qt::ISODateWithMs), QStringLiteral("2026-11-12T09:14:03.250Z"));
    EXPECT_EQ(r->outcome, HistoryOutcome::Sent);
    EXPECT_EQ(r->reply, QStringLiteral("250 2.0.0 Ok: queued as 4F2A"));
    EXPECT_EQ(r->completedUtc.toString(Qt::ISODateWithMs), QStringLiteral("2026-11-12T09:14:05.250Z"));
    EXPECT_EQ(reopened->record(id + 1), std::nullopt);
}

TEST_F(SendHistoryRecordTest, EachKindOfDepartureKeepsItsKindModeAndOutcome) {
    const auto history = store();
    HistoryEntry file = mail(4567, 20, QStringLiteral("202409"));
    file.kind = HistoryKind::EncryptedFile;
    file.recipient = QStringLiteral("/home/ola/ut/Filnavn_4567_20.txt");
    file.transport.clear();
    HistoryEntry data = mail(4567, 20, QStringLiteral("202409"), QStringLiteral("F"));
    data.kind = HistoryKind::DataFile;
    data.mode.dataFile = true;
    data.bytes.clear();  // an empty file is still a file that was written
    const qint64 mailId = history->begin(mail(4567, 10, QStringLiteral("202410")));
    const qint64 fileId = history->begin(file);
    const qint64 dataId = history->begin(data);
    ASSERT_TRUE(mailId > 0 && fileId > 0 && dataId > 0) << history->takeWarning().toStdString();
    history->complete(mailId, HistoryOutcome::Failed, QStringLiteral("Could not connect to server"));
    history->complete(fileId, HistoryOutcome::Sent, QString());

    const auto m = history->record(mailId);
    const auto f = history->record(fileId);
    const auto d = history->record(dataId);
    ASSERT_TRUE(m && f && d);
    EXPECT_EQ(m->outcome, HistoryOutcome::Failed);
    EXPECT_EQ(m->reply, QStringLiteral("Could not connect to server"));
    EXPECT_FALSE(m->entry.mode.test || m->entry.mode.dataFile);
    EXPECT_EQ(f->entry.kind, HistoryKind::EncryptedFile);
    EXPECT_EQ(f->entry.recipient, QStringLiteral("/home/ola/ut/Filnavn_4567_20.txt"));
    EXPECT_EQ(f->entry.transport, QString());
    EXPECT_EQ(f->outcome, HistoryOutcome::Sent);
    EXPECT_EQ(d->entry.kind, HistoryKind::DataFile);
    EXPECT_TRUE(d->entry.mode.dataFile);
    EXPECT_EQ(d->entry.identity.Rapporttype, QStringLiteral("F"));
    EXPECT_EQ(d->entry.bytes, QByteArray());
    EXPECT_EQ(d->sha256, QStringLiteral("e3b0c44298fc1c149afbf4c8996fb92427ae41e4649b934ca495991b7852b855"));
    // Begun by this program, which is still running: not yet unknown.
    EXPECT_EQ(d->outcome, HistoryOutcome::InProgress);
}

using SendHistoryQueryTest = SendHistoryTest;

TEST_F(SendHistoryQueryTest, ListFiltersNewestFirstPageByPage) {
    const auto history = store();
    const qint64 a = history->begin(mail(4567, 10, QStringLiteral("202401")));
    const qint64 b = history->begin(mail(4567, 20, QStringLiteral("202403")));
    const qint64 c = history->begin(mail(1111, 10, QStringLiteral("202406")));
    const qint64 d = history->begin(mail(4567, 10, QStringLiteral("202412")));
    const qint64 e = history->begin(mail(4567, 10, QStringLiteral("202501")));
    history->complete(a, HistoryOutcome::Sent, QString());
    history->complete(b, HistoryOutcome::Failed, QStringLiteral("550"));
    history->complete(c, HistoryOutcome::Sent, QString());
    history->complete(d, HistoryOutcome::Sent, QString());
    const auto ids = [&](const HistoryFilter& filter) {
        QList<qint64> found;
        for (const HistoryRecord& r : history->list(filter)) {
            found.append(r.id);
        }
        return found;
    };
    EXPECT_EQ(ids({}), (QList<qint64>{e, d, c, b, a}));
    EXPECT_EQ(ids({.periodFrom = QStringLiteral("202403"), .periodTo = QStringLiteral("202412")}),
              (QList<qint64>{d, c, b}));
    EXPECT_EQ(ids({.reportNumber = 10}), (QList<qint64>{e, d, c, a}));
    EXPECT_EQ(ids({.reportNumber = 10, .regnr = 4567}), (QList<qint64>{e, d, a}));
    EXPECT_EQ(ids({.outcome = HistoryOutcome::Sent}), (QList<qint64>{d, c, a}));
    EXPECT_EQ(ids({.outcome = HistoryOutcome::Failed}), (QList<qint64>{b}));
    EXPECT_EQ(ids({.outcome = HistoryOutcome::Unknown}), (QList<qint64>{e}));
    EXPECT_EQ(ids({.limit = 2}), (QList<qint64>{e, d}));
    EXPECT_EQ(ids({.limit = 2, .offset = 2}), (QList<qint64>{c, b}));
    EXPECT_EQ(ids({.limit = 2, .offset = 4}), (QList<qint64>{a}));
    // The list leaves the bytes in the file.
    EXPECT_EQ(history->list({}).first().entry.bytes, QByteArray());
    EXPECT_EQ(history->takeWarning(), QString());
}

TEST_F(SendHistoryQueryTest, LastSentIsTheNewestMailAcceptedInNormalModeOfTypeNOrF) {
    const auto history = store();
    const QString period = QStringLiteral("202410");
    const auto sent = [&](HistoryEntry entry, HistoryOutcome outcome = HistoryOutcome::Sent) {
        const qint64 id = history->begin(entry);
        history->complete(id, outcome, QString());
        return id;
    };
    EXPECT_EQ(history->lastSent(4567, 10, period, QStringLiteral("N")), std::nullopt);
    HistoryEntry test = mail(4567, 10, period);
    test.mode.test = true;
    sent(test);
    HistoryEntry file = mail(4567, 10, period);
    file.kind = HistoryKind::EncryptedFile;
    sent(file);
    sent(mail(4567, 10, period), HistoryOutcome::Failed);
    history->begin(mail(4567, 10, period));  // never completed
    sent(mail(4567, 10, period, QStringLiteral("K")));
    sent(mail(4567, 11, period));
    sent(mail(4567, 10, QStringLiteral("202409")));
    sent(mail(1111, 10, period));
    EXPECT_EQ(history->lastSent(4567, 10, period, QStringLiteral("N")), std::nullopt);

    m_now = QDateTime(QDate(2026, 11, 12), QTime(10, 14), Qt::OffsetFromUTC, 3600);
    const qint64 first = sent(mail(4567, 10, period, QStringLiteral("F")));
    const auto found = history->lastSent(4567, 10, period, QStringLiteral("N"));
    ASSERT_TRUE(found.has_value());
    EXPECT_EQ(found->id, first);
    EXPECT_EQ(found->localTime.toString(QStringLiteral("dd.MM.yyyy 'kl.' HH:mm")),
              QStringLiteral("12.11.2026 kl. 10:14"));
    const qint64 second = sent(mail(4567, 10, period));
    EXPECT_EQ(history->lastSent(4567, 10, period, QStringLiteral("F"))->id, second);
    // A correction is meant to follow the report, so nothing is asked for it.
    EXPECT_EQ(history->lastSent(4567, 10, period, QStringLiteral("K")), std::nullopt);
}

TEST_F(SendHistoryQueryTest, OverviewGathersEveryReportAndPeriodOfTheCompanysYear) {
    const auto history = store();
    const auto at = [&](int day) {
        return QDateTime(QDate(2024, 2, day), QTime(9, 0), Qt::OffsetFromUTC, 3600);
    };
    const auto send = [&](HistoryEntry entry, int day, HistoryOutcome outcome = HistoryOutcome::Sent) {
        m_now = at(day);
        history->complete(history->begin(entry), outcome, QString());
    };
    send(mail(4567, 10, QStringLiteral("202401")), 1, HistoryOutcome::Failed);
    send(mail(4567, 10, QStringLiteral("202401")), 2);
    send(mail(4567, 10, QStringLiteral("202401"), QStringLiteral("K")), 3);
    send(mail(4567, 10, QStringLiteral("202401")), 4);
    HistoryEntry test = mail(4567, 20, QStringLiteral("202403"));
    test.mode.test = true;
    send(test, 5);
    HistoryEntry file = mail(4567, 60, QStringLiteral("202412"));
    file.kind = HistoryKind::EncryptedFile;
    send(file, 6);
    HistoryEntry data = mail(4567, 60, QStringLiteral("202412"), QStringLiteral("F"));
    data.kind = HistoryKind::DataFile;
    data.mode.dataFile = true;
    send(data, 7);
    send(mail(4567, 10, QStringLiteral("202301")), 8);  // another year
    send(mail(1111, 10, QStringLiteral("202401")), 9);  // another company

    const QList<PeriodHistory> year = history->overview(2024, 4567);
    ASSERT_EQ(year.size(), 3);
    EXPECT_EQ(year[0].reportNumber, 10);
    EXPECT_EQ(year[0].period, QStringLiteral("202401"));
    EXPECT_EQ(year[0].sent, at(4));
    EXPECT_EQ(year[0].corrected, at(3));
    EXPECT_FALSE(year[0].savedToFile.isValid());
    EXPECT_FALSE(year[0].sentInTest);
    EXPECT_TRUE(year[0].failed);
    EXPECT_EQ(year[1].reportNumber, 20);
    EXPECT_EQ(year[1].period, QStringLiteral("202403"));
    EXPECT_TRUE(year[1].sentInTest);
    EXPECT_FALSE(year[1].sent.isValid() || year[1].failed);
    EXPECT_EQ(year[2].reportNumber, 60);
    EXPECT_EQ(year[2].savedToFile, at(6));
    EXPECT_FALSE(year[2].sent.isValid() || year[2].sentInTest || year[2].failed);
    EXPECT_TRUE(history->overview(2025, 4567).isEmpty());
}

using SendHistorySchemaTest = SendHistoryTest;

TEST_F(SendHistorySchemaTest, AnOlderLayoutIsBroughtUpKeepingItsRows) {
    // Before the layout had a version: no template version, no owner, and no index.
    ASSERT_TRUE(
        execOn(path(), {QStringLiteral("CREATE TABLE sending (id INTEGER PRIMARY KEY, kind TEXT, mode TEXT, "
                                       "dsnr INTEGER, regnr INTEGER, report_number INTEGER, period TEXT, "
                                       "report_type TEXT, program_version TEXT, recipient TEXT, "
                                       "transport TEXT, local_time TEXT, utc_time TEXT, sha256 TEXT, "
                                       "size INTEGER, outcome TEXT, reply TEXT, completed_utc TEXT)"),
                        QStringLiteral("INSERT INTO sending VALUES (7, 'mail', 'normal', 123, 4567, 10, "
                                       "'202312', 'N', '3.0.4', 'telva@dalvora.no', 'smtp', "
                                       "'2024-01-05T08:00:00.000+01:00', '2024-01-05T07:00:00.000Z', "
                                       "'abc', 3, 'sent', '250 OK', '2024-01-05T07:00:01.000Z')")}));
    const auto history = store();
    ASSERT_TRUE(history->available()) << history->takeWarning().toStdString();
    const auto old = history->record(7);
    ASSERT_TRUE(old.has_value());
    EXPECT_EQ(old->entry.programVersion, QStringLiteral("3.0.4"));
    EXPECT_EQ(old->entry.templateVersion, QString());
    EXPECT_EQ(old->entry.bytes, QByteArray());
    EXPECT_EQ(old->outcome, HistoryOutcome::Sent);
    EXPECT_EQ(history->lastSent(4567, 10, QStringLiteral("202312"), QStringLiteral("N"))->id, 7);
    HistoryEntry entry = mail(4567, 10, QStringLiteral("202401"));
    entry.templateVersion = QStringLiteral("01.10.2009");
    const qint64 id = history->begin(entry);
    EXPECT_EQ(id, 8);
    EXPECT_EQ(history->record(id)->entry.templateVersion, QStringLiteral("01.10.2009"));
    EXPECT_EQ(history->takeWarning(), QString());

    QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("check"));
    db.setDatabaseName(path());
    ASSERT_TRUE(db.open());
    {
        QSqlQuery query(db);
        ASSERT_TRUE(query.exec(QStringLiteral("PRAGMA user_version")) && query.next());
        EXPECT_EQ(query.value(0).toInt(), 1);
        ASSERT_TRUE(query.exec(QStringLiteral("PRAGMA journal_mode")) && query.next());
        EXPECT_EQ(query.value(0).toString(), QStringLiteral("delete"));
        ASSERT_TRUE(
            query.exec(QStringLiteral("SELECT count(*) FROM sqlite_master WHERE type = 'index' AND name "
                                      "LIKE 'sending_%'")) &&
            query.next());
        EXPECT_EQ(query.value(0).toInt(), 3);
    }
    db.close();
    db = QSqlDatabase();
    QSqlDatabase::removeDatabase(QStringLiteral("check"));
}

TEST_F(SendHistorySchemaTest, ANewerLayoutIsLeftAlone) {
    ASSERT_TRUE(execOn(path(), {QStringLiteral("CREATE TABLE sending (id INTEGER PRIMARY KEY, future TEXT)"),
                                QStringLiteral("PRAGMA user_version = 2")}));
    QFile file(path());
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const QByteArray before = file.readAll();
    file.close();
    const auto history = store();
    EXPECT_FALSE(history->available());
    EXPECT_EQ(history->begin(mail(4567, 10, QStringLiteral("202410"))), 0);
    EXPECT_EQ(
        history->takeWarning(),
        QStringLiteral("Historikken over sendte rapporter er laget av en nyere versjon av programmet:\r\n") +
            path() +
            QStringLiteral("\r\nRapportene sendes og lagres som før, men blir ikke ført i historikken."));
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.readAll(), before);
}

using SendHistoryFailureTest = SendHistoryTest;

const QString kSetAsideText = QStringLiteral(
    "Historikken over sendte rapporter var skadet og er lagt til side som:\r\n%1\r\nEn ny historikk er "
    "startet.");

TEST_F(SendHistoryFailureTest, AFileThatIsNoDatabaseIsSetAsideAndANewOneStarted) {
    {
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QByteArray(4096, 'x'));
    }
    const auto history = store();
    ASSERT_TRUE(history->available());
    const QString setAside = path() + QStringLiteral(".skadet-20261112-101403");
    EXPECT_EQ(QFile(setAside).size(), 4096);
    EXPECT_GT(history->begin(mail(4567, 10, QStringLiteral("202410"))), 0);
    EXPECT_EQ(history->takeWarning(), kSetAsideText.arg(setAside));
    EXPECT_EQ(history->takeWarning(), QString());
    EXPECT_EQ(history->list({}).size(), 1);
}

TEST_F(SendHistoryFailureTest, ATruncatedFileIsSetAsideAndANewOneStarted) {
    {
        const auto history = store();
        HistoryEntry entry = mail(4567, 10, QStringLiteral("202410"));
        entry.bytes = QByteArray(20000, 'e');
        for (int i = 0; i < 10; ++i) {
            history->begin(entry);
        }
    }
    QFile file(path());
    const qint64 size = file.size();
    ASSERT_GT(size, 10 * 20000);
    ASSERT_TRUE(file.resize(size / 2));
    // Again later the same day: an earlier set-aside file keeps its name.
    QFile(path() + QStringLiteral(".skadet-20261112-101403")).open(QIODevice::WriteOnly);
    const auto history = store();
    ASSERT_TRUE(history->available());
    const QString setAside = path() + QStringLiteral(".skadet-20261112-101403-2");
    EXPECT_EQ(QFile(setAside).size(), size / 2);
    EXPECT_EQ(history->takeWarning(), kSetAsideText.arg(setAside));
    EXPECT_TRUE(history->list({}).isEmpty());
    EXPECT_GT(history->begin(mail(4567, 10, QStringLiteral("202410"))), 0);
}

TEST_F(SendHistoryFailureTest, DamageFoundWhileOpenIsReportedByReadsAndSetAsideByTheNextSend) {
    const auto history = store();
    for (int i = 0; i < 10; ++i) {
        history->begin(mail(4567, 10, QStringLiteral("202410")));
    }
    {
        // Another program's write as SQLite sees it (a new change counter), but of garbage past the
        // first page.
        QFile file(path());
        ASSERT_TRUE(file.open(QIODevice::ReadWrite));
        ASSERT_TRUE(file.seek(24));
        file.write("\x7f\x7f\x7f\x7f");
        ASSERT_TRUE(file.seek(1024));
        file.write(QByteArray(static_cast<int>(file.size()) - 1024, '\xee'));
    }
    EXPECT_TRUE(history->list({}).isEmpty());
    EXPECT_EQ(history->record(1), std::nullopt);
    EXPECT_EQ(history->takeWarning(),
              QStringLiteral("Klarte ikke å lese historikken over sendte rapporter:\r\n") + path() +
                  QStringLiteral("\r\n-> database disk image is malformed"));
    const qint64 id = history->begin(mail(4567, 10, QStringLiteral("202411")));
    EXPECT_EQ(id, 1);
    EXPECT_EQ(history->takeWarning(), kSetAsideText.arg(path() + QStringLiteral(".skadet-20261112-101403")));
    history->complete(id, HistoryOutcome::Sent, QString());
    EXPECT_EQ(history->list({}).size(), 1);
}

const QString kWriteFailedText = QStringLiteral(
    "Klarte ikke å føre rapporten i historikken over sendte rapporter:\r\n%1\r\n-> %2\r\nRapporten sendes og "
    "lagres som før; bare historikken mangler den.");

TEST_F(SendHistoryFailureTest, AFullDiskWarnsAndTheNextWriteAfterSpaceIsFreedLands) {
    const auto history = store();
    const qint64 first = history->begin(mail(4567, 10, QStringLiteral("202409")));
    ASSERT_GT(first, 0);
    HistoryEntry big = mail(4567, 10, QStringLiteral("202410"));
    big.bytes = QByteArray(1 << 20, 'b');
    {
        // A file that may not grow fails with EFBIG, which SQLite reports as an I/O error; a full disk
        // (ENOSPC) reads "database or disk is full".
        const FileSizeLimit full(QFile(path()).size() + 4096);
        EXPECT_EQ(history->begin(big), 0);
    }
    EXPECT_EQ(history->takeWarning(), kWriteFailedText.arg(path(), QStringLiteral("disk I/O error")));
    EXPECT_EQ(history->list({}).size(), 1);
    const qint64 next = history->begin(big);
    ASSERT_GT(next, 0);
    EXPECT_EQ(history->record(next)->entry.bytes, big.bytes);
    EXPECT_EQ(history->takeWarning(), QString());
}

TEST_F(SendHistoryFailureTest, UnwritableFolderLeavesTheHistoryUnavailableWithOneWarning) {
    const QFileDevice::Permissions readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
    ASSERT_TRUE(QFile::setPermissions(m_dir.path(), readOnly));
    if (!folderPermissionsHold()) {
        QFile::setPermissions(m_dir.path(), readOnly | QFileDevice::WriteOwner);
        GTEST_SKIP() << "folder permissions do not stop this user from writing";
    }
    const auto history = store();
    EXPECT_FALSE(history->available());
    EXPECT_EQ(history->begin(mail(4567, 10, QStringLiteral("202410"))), 0);
    history->complete(0, HistoryOutcome::Sent, QString());
    EXPECT_TRUE(history->list({}).isEmpty());
    EXPECT_EQ(
        history->takeWarning(),
        QStringLiteral("Klarte ikke å åpne historikken over sendte rapporter:\r\n") + path() +
            QStringLiteral("\r\n-> unable to open database file\r\nRapportene sendes og lagres som før, men "
                           "blir ikke ført i historikken."));
    // Said once: the next command's sending is not followed by it again.
    EXPECT_EQ(history->begin(mail(4567, 10, QStringLiteral("202411"))), 0);
    EXPECT_EQ(history->takeWarning(), QString());
    QFile::setPermissions(m_dir.path(), readOnly | QFileDevice::WriteOwner);
    EXPECT_FALSE(QFile::exists(path()));
}

TEST_F(SendHistoryFailureTest, ReadOnlyFolderKeepsEarlierEntriesReadable) {
    qint64 earlier = 0;
    {
        const auto history = store();
        earlier = history->begin(mail(4567, 10, QStringLiteral("202409")));
        history->complete(earlier, HistoryOutcome::Sent, QStringLiteral("250 OK"));
    }
    const QFileDevice::Permissions readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
    ASSERT_TRUE(QFile::setPermissions(m_dir.path(), readOnly));
    if (!folderPermissionsHold()) {
        QFile::setPermissions(m_dir.path(), readOnly | QFileDevice::WriteOwner);
        GTEST_SKIP() << "folder permissions do not stop this user from writing";
    }
    const auto history = store();
    EXPECT_TRUE(history->available());
    EXPECT_EQ(history->begin(mail(4567, 10, QStringLiteral("202410"))), 0);
    const QString warning = history->takeWarning();
    QFile::setPermissions(m_dir.path(), readOnly | QFileDevice::WriteOwner);
    // No journal can be made beside the file.
    EXPECT_EQ(warning, kWriteFailedText.arg(path(), QStringLiteral("attempt to write a readonly database")));
    const QList<HistoryRecord> all = history->list({});
    ASSERT_EQ(all.size(), 1);
    EXPECT_EQ(all[0].id, earlier);
    EXPECT_EQ(all[0].outcome, HistoryOutcome::Sent);
}

// The second program on the folder, started from the helper beside the tests.
class Writer {
  public:
    Writer(const QString& folder, const QString& command, const QString& recipient) {
        m_process.start(QStringLiteral(TELVAINN_HISTORY_WRITER), {folder, command, recipient});
    }
    ~Writer() {
        if (m_process.state() != QProcess::NotRunning) {
            m_process.kill();
            m_process.waitForFinished();
        }
    }

    // The next line it writes; empty when it ends first.
    QByteArray line() {
        while (!m_process.canReadLine()) {
            if (!m_process.waitForReadyRead(30000)) {
                ADD_FAILURE() << "the writer ended: " << m_process.readAllStandardError().toStdString();
                return {};
            }
        }
        return m_process.readLine().trimmed();
    }
    void go() {
        m_process.write("go\n");
        m_process.waitForBytesWritten();
    }
    QProcess& process() { return m_process; }

  private:
    QProcess m_process;
};

using SendHistoryProcessesTest = SendHistoryTest;

TEST_F(SendHistoryProcessesTest, TwoProgramsOnOneFolderBothRecordWhileOneHoldsTheLock) {
    const auto history = store();
    ASSERT_TRUE(history->available());
    Writer other(m_dir.path(), QStringLiteral("hold"), QStringLiteral("annen@eksempel.no"));
    ASSERT_EQ(other.line(), QByteArray("holding"));
    // Let go and write at once: this write meets the other program's lock and waits for it.
    other.go();
    HistoryEntry entry = mail(4567, 10, QStringLiteral("202410"));
    entry.recipient = QStringLiteral("denne@eksempel.no");
    const qint64 id = history->begin(entry);
    history->complete(id, HistoryOutcome::Sent, QStringLiteral("250 OK"));
    EXPECT_GT(id, 0);
    EXPECT_EQ(history->takeWarning(), QString());
    EXPECT_TRUE(other.line().startsWith("recorded "));
    ASSERT_TRUE(other.process().waitForFinished(30000));
    EXPECT_EQ(other.process().exitCode(), 0) << other.process().readAllStandardError().toStdString();

    QStringList recipients;
    for (const HistoryRecord& r : history->list({})) {
        EXPECT_EQ(r.outcome, HistoryOutcome::Sent);
        recipients.append(r.entry.recipient);
    }
    recipients.sort();
    EXPECT_EQ(recipients,
              (QStringList{QStringLiteral("annen@eksempel.no"), QStringLiteral("denne@eksempel.no")}));
}

TEST_F(SendHistoryProcessesTest, ASendWhoseProgramDiedIsUnknownWhileOneStillRunningIsInProgress) {
    const auto history = store();
    Writer dies(m_dir.path(), QStringLiteral("begin"), QStringLiteral("doer@eksempel.no"));
    Writer lives(m_dir.path(), QStringLiteral("begin"), QStringLiteral("lever@eksempel.no"));
    const QByteArray diesLine = dies.line();
    const QByteArray livesLine = lives.line();
    ASSERT_TRUE(diesLine.startsWith("begun ") && livesLine.startsWith("begun "));
    const qint64 diesId = diesLine.mid(6).toLongLong();
    const qint64 livesId = livesLine.mid(6).toLongLong();
    EXPECT_EQ(history->record(diesId)->outcome, HistoryOutcome::InProgress);

    ::kill(static_cast<pid_t>(dies.process().processId()), SIGKILL);
    ASSERT_TRUE(dies.process().waitForFinished(30000));
    EXPECT_EQ(history->record(diesId)->outcome, HistoryOutcome::Unknown);
    EXPECT_EQ(history->record(livesId)->outcome, HistoryOutcome::InProgress);
    EXPECT_EQ(history->list({.outcome = HistoryOutcome::Unknown}).size(), 2);
    EXPECT_EQ(history->lastSent(4567, 10, QStringLiteral("202410"), QStringLiteral("N")), std::nullopt);
    EXPECT_TRUE(history->overview(2024, 4567).first().failed);
}

TEST_F(SendHistoryProcessesTest, AnotherMachinesSendIsUnknownOnceOlderThanAnySendTakes) {
    const auto history = store();
    const qint64 id = history->begin(mail(4567, 10, QStringLiteral("202410")));
    ASSERT_TRUE(execOn(path(), {QStringLiteral("UPDATE sending SET owner_host = 'annen-maskin'")}));
    m_now = m_now.addSecs(59 * 60);
    EXPECT_EQ(history->record(id)->outcome, HistoryOutcome::InProgress);
    m_now = m_now.addSecs(60);
    EXPECT_EQ(history->record(id)->outcome, HistoryOutcome::Unknown);
}

}  // namespace
