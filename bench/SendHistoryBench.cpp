#include <benchmark/benchmark.h>

#include <unistd.h>

#include <QCoreApplication>
#include <QCryptographicHash>
#include <QFile>
#include <QFileInfo>
#include <QRandomGenerator>
#include <QSqlDatabase>
#include <QSqlQuery>
#include <QTemporaryDir>
#include <QVariant>
#include <memory>

#include "app/HistoryOverview.h"
#include "app/SendHistory.h"
#include "core/ReportCatalogue.h"

using namespace telvainn;

namespace {

constexpr int kEntries = 100000;
constexpr int kCompanies = 50;
// Envelopes of 1 to 16 KiB, different in every entry.
QByteArray envelope(QRandomGenerator& generator) {
    QByteArray bytes(generator.bounded(1024, 16384), Qt::Uninitialized);
    for (char& byte : bytes) {
        byte = static_cast<char>(generator.bounded(256));
    }
    return bytes;
}

HistoryEntry mail(int regnr, int reportNumber, const QString& period) {
    HistoryEntry entry;
    entry.identity.Dsnr = 123;
    entry.identity.Regnr = regnr;
    entry.identity.Rapportnr = reportNumber;
    entry.identity.Periode = period;
    entry.identity.Rapporttype = QStringLiteral("N");
    entry.templateVersion = QStringLiteral("01.10.2009");
    entry.recipient = QStringLiteral("telva@dalvora.no");
    entry.transport = QStringLiteral("smtp");
    QRandomGenerator generator(7);
    entry.bytes = envelope(generator);
    return entry;
}

// A program folder whose history holds kEntries sends: kCompanies companies, each report number, month
// after month back from 2026, one in twenty failed and one in ten in test mode. Filled in one
// transaction, as recording them one by one would take the disk's flush time each.
class FilledHistory {
  public:
    static FilledHistory& get() {
        static FilledHistory filled;
        return filled;
    }

    QString folder() const { return m_dir.path(); }
    qint64 envelopeBytes() const { return m_envelopeBytes; }
    qint64 entries() const { return m_entries; }

  private:
    FilledHistory() {
        static int argc = 1;
        static char name[] = "telvainn-bench";
        static char* argv[] = {name, nullptr};
        if (QCoreApplication::instance() == nullptr) {
            m_application = std::make_unique<QCoreApplication>(argc, argv);
        }
        { SendHistory schema(m_dir.path()); }
        QSqlDatabase db = QSqlDatabase::addDatabase(QStringLiteral("QSQLITE"), QStringLiteral("fill"));
        db.setDatabaseName(sendHistoryPath(m_dir.path()));
        db.open();
        QRandomGenerator generator(42);
        {
            QSqlQuery query(db);
            query.exec(QStringLiteral("BEGIN"));
            query.prepare(QStringLiteral(
                "INSERT INTO sending (kind, mode, dsnr, regnr, report_number, period, report_type, "
                "template_version, program_version, recipient, transport, local_time, utc_time, sha256, "
                "size, "
                "outcome, reply, completed_utc, owner_host, owner_process) VALUES ('mail', ?, 123, ?, ?, ?, "
                "'N', '01.10.2009', '3.0.5', 'telva@dalvora.no', 'smtp', ?, ?, ?, ?, ?, ?, ?, 'maskin', "
                "'b71e11c1-9597-43ea-8c7f-156ead6cba0b/12345/3409299')"));
            QSqlQuery envelopeQuery(db);
            envelopeQuery.prepare(QStringLiteral("INSERT INTO envelope (sending_id, bytes) VALUES (?, ?)"));
            QDateTime time(QDate(2026, 12, 1), QTime(10, 0), Qt::OffsetFromUTC, 3600);
            for (int i = 0; i < kEntries; ++i) {
                const int regnr = 1000 + i % kCompanies;
                const int reportNumber = kReportNumbers[(i / kCompanies) % kReportNumbers.size()];
                const int month = i / (kCompanies * static_cast<int>(kReportNumbers.size()));
                const QDate periodDate = QDate(2026, 11, 1).addMonths(-month);
                const bool failed = i % 20 == 7;
                const QByteArray bytes = envelope(generator);
                time = time.addSecs(-60);
                query.addBindValue(i % 10 == 3 ? QStringLiteral("test") : QStringLiteral("normal"));
                query.addBindValue(regnr);
                query.addBindValue(reportNumber);
                query.addBindValue(periodDate.toString(QStringLiteral("yyyyMM")));
                query.addBindValue(time.toString(Qt::ISODateWithMs));
                query.addBindValue(time.toUTC().toString(Qt::ISODateWithMs));
                query.addBindValue(
                    QString::fromLatin1(QCryptographicHash::hash(bytes, QCryptographicHash::Sha256).toHex()));
                query.addBindValue(qint64{bytes.size()});
                query.addBindValue(failed ? QStringLiteral("failed") : QStringLiteral("sent"));
                query.addBindValue(failed ? QStringLiteral("Could not connect to server")
                                          : QStringLiteral("250 2.0.0 Ok: queued as 4F2A19C03E"));
                query.addBindValue(time.addSecs(2).toUTC().toString(Qt::ISODateWithMs));
                query.exec();
                envelopeQuery.addBindValue(query.lastInsertId());
                envelopeQuery.addBindValue(bytes);
                envelopeQuery.exec();
                m_envelopeBytes += bytes.size();
            }
            query.exec(QStringLiteral("COMMIT"));
            query.exec(QStringLiteral("SELECT count(*) FROM sending"));
            query.next();
            m_entries = query.value(0).toLongLong();
        }
        db.close();
        db = QSqlDatabase();
        QSqlDatabase::removeDatabase(QStringLiteral("fill"));
        // The fill's pages on their way to the disk would otherwise be waited for by the first flush
        // a recording makes.
        QFile file(sendHistoryPath(m_dir.path()));
        if (file.open(QIODevice::ReadOnly)) {
            ::fsync(file.handle());
        }
    }

    std::unique_ptr<QCoreApplication> m_application;
    QTemporaryDir m_dir;
    qint64 m_envelopeBytes = 0;
    qint64 m_entries = 0;
};

// One send as the program records it: begun before the transport, completed after; two transactions.
void BM_SendHistory_RecordOneSend(benchmark::State& state) {
    SendHistory history(FilledHistory::get().folder());
    const HistoryEntry entry = mail(1001, 10, QStringLiteral("202611"));
    for (auto _ : state) {
        const qint64 id = history.begin(entry);
        history.complete(id, HistoryOutcome::Sent, QStringLiteral("250 2.0.0 Ok: queued as 4F2A19C03E"));
        if (id == 0) {
            state.SkipWithError(history.takeWarning().toUtf8().constData());
            return;
        }
    }
}

// The list's first page, the store opened for it as a window opening would.
void BM_SendHistory_OpenAndFirstPage(benchmark::State& state) {
    HistoryFilter filter;
    if (state.range(0) != 0) {
        filter.regnr = 1017;
        filter.periodFrom = QStringLiteral("202301");
        filter.periodTo = QStringLiteral("202412");
    }
    for (auto _ : state) {
        SendHistory history(FilledHistory::get().folder());
        const QList<HistoryRecord> page = history.list(filter);
        if (page.size() != filter.limit) {
            state.SkipWithError("the page is not full");
            return;
        }
    }
}

void BM_SendHistory_OverviewOfAYear(benchmark::State& state) {
    SendHistory history(FilledHistory::get().folder());
    for (auto _ : state) {
        const QList<PeriodHistory> year = history.overview(2024, 1017);
        if (year.size() != static_cast<qsizetype>(kReportNumbers.size()) * 12) {
            state.SkipWithError("the overview misses periods");
            return;
        }
    }
}

// The grid the window and `oversikt` show: the year's periods and the report numbers ever sent.
void BM_SendHistory_OverviewGrid(benchmark::State& state) {
    SendHistory history(FilledHistory::get().folder());
    for (auto _ : state) {
        const HistoryOverview overview = BuildHistoryOverview(history, 2024, 1017, QDate(2026, 12, 10));
        // The company's every other report number has only ever failed, so it is not in the grid.
        if (overview.rows.size() != static_cast<qsizetype>(kReportNumbers.size()) / 2) {
            state.SkipWithError("the grid misses report numbers");
            return;
        }
    }
}

void BM_SendHistory_LastSent(benchmark::State& state) {
    SendHistory history(FilledHistory::get().folder());
    for (auto _ : state) {
        benchmark::DoNotOptimize(history.lastSent(1017, 10, QStringLiteral("202405"), QStringLiteral("N")));
    }
}

// The file's size beyond the envelopes it holds, per entry; one pass, the figure is in the counter.
void BM_SendHistory_SizePerEntry(benchmark::State& state) {
    const FilledHistory& filled = FilledHistory::get();
    for (auto _ : state) {
        const qint64 size = QFileInfo(sendHistoryPath(filled.folder())).size();
        state.counters["bytes_per_entry_beyond_envelope"] =
            static_cast<double>(size - filled.envelopeBytes()) / static_cast<double>(filled.entries());
        state.counters["entries"] = static_cast<double>(filled.entries());
    }
}

}  // namespace

BENCHMARK(BM_SendHistory_SizePerEntry)->Iterations(1);
BENCHMARK(BM_SendHistory_RecordOneSend)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SendHistory_OpenAndFirstPage)->Arg(0)->Arg(1)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SendHistory_OverviewOfAYear)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SendHistory_OverviewGrid)->Unit(benchmark::kMillisecond)->UseRealTime();
BENCHMARK(BM_SendHistory_LastSent)->Unit(benchmark::kMicrosecond)->UseRealTime();
