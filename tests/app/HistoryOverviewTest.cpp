#include <gtest/gtest.h>

#include <QTemporaryDir>
#include <memory>

#include "app/HistoryOverview.h"
#include "support/CoreApplication.h"

using namespace telvainn;

namespace {

class HistoryOverviewTest : public ::testing::Test {
  protected:
    // Qt loads its SQLite driver only with an application object.
    static void SetUpTestSuite() { ensureCoreApplication(); }

    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        m_history = std::make_unique<SendHistory>(m_dir.path(), [this] { return m_now; });
        ASSERT_TRUE(m_history->available());
    }

    // Recorded on the given day of 2024 and completed with `outcome` (none: left in progress).
    void record(int regnr, int reportNumber, const QString& period, int dayOfYear,
                HistoryOutcome outcome = HistoryOutcome::Sent, const QString& type = QStringLiteral("N"),
                HistoryKind kind = HistoryKind::Mail, RunMode mode = {}) {
        HistoryEntry entry;
        entry.kind = kind;
        entry.mode = mode;
        entry.identity = {123, regnr, reportNumber, period, type};
        entry.bytes = "konvolutt";
        m_now = QDateTime(QDate(2024, 1, 1).addDays(dayOfYear - 1), QTime(9, 30), Qt::OffsetFromUTC, 3600);
        m_history->complete(m_history->begin(entry), outcome, QString());
    }

    // Each row as its report number followed by its cells' texts.
    static QList<QStringList> texts(const HistoryOverview& overview) {
        QList<QStringList> rows;
        for (const OverviewRow& row : overview.rows) {
            QStringList cells{QString::number(row.reportNumber)};
            for (const OverviewCell& cell : row.cells) {
                cells.append(cell.period + QLatin1Char('=') + overviewCellText(cell));
            }
            rows.append(cells);
        }
        return rows;
    }
    QTemporaryDir m_dir;
    QDateTime m_now;
    std::unique_ptr<SendHistory> m_history;
};

}  // namespace

TEST_F(HistoryOverviewTest, PeriodsFollowTheFrequencyAndEndWithTheirLastDay) {
    EXPECT_EQ(periodsOfYear(10, 2026),
              (QStringList{"202601", "202602", "202603", "202604", "202605", "202606", "202607", "202608",
                           "202609", "202610", "202611", "202612"}));
    EXPECT_EQ(periodsOfYear(21, 2026), (QStringList{"202603", "202606", "202609", "202612"}));
    EXPECT_EQ(periodsOfYear(20, 2026), (QStringList{"202612"}));
    EXPECT_EQ(periodsOfYear(60, 2026), (QStringList{"202612"}));

    EXPECT_FALSE(periodEnded(QStringLiteral("202402"), QDate(2024, 2, 29)));
    EXPECT_TRUE(periodEnded(QStringLiteral("202402"), QDate(2024, 3, 1)));
    EXPECT_FALSE(periodEnded(QStringLiteral("202412"), QDate(2024, 12, 31)));
    EXPECT_TRUE(periodEnded(QStringLiteral("202412"), QDate(2025, 1, 1)));
    EXPECT_FALSE(periodEnded(QStringLiteral("202501"), QDate(2024, 12, 31)));
    for (const QString& wrong : {QStringLiteral("202413"), QStringLiteral("202400"), QStringLiteral("20241"),
                                 QStringLiteral("2024x1"), QString()}) {
        EXPECT_FALSE(periodEnded(wrong, QDate(2030, 1, 1))) << wrong.toStdString();
    }
}

// What left for each period decides its cell; only what was delivered in normal mode counts as sent.
TEST_F(HistoryOverviewTest, EachPeriodShowsWhatLeftForItAndWhatIsStillOutstanding) {
    const RunMode test{true, false};
    record(4567, 10, QStringLiteral("202401"), 35);
    record(4567, 10, QStringLiteral("202402"), 62, HistoryOutcome::Failed);
    record(4567, 10, QStringLiteral("202403"), 92, HistoryOutcome::Sent, QStringLiteral("N"),
           HistoryKind::Mail, test);
    record(4567, 10, QStringLiteral("202404"), 122);
    record(4567, 10, QStringLiteral("202404"), 130, HistoryOutcome::Sent, QStringLiteral("K"));
    record(4567, 10, QStringLiteral("202405"), 153, HistoryOutcome::Sent, QStringLiteral("N"),
           HistoryKind::EncryptedFile);
    record(4567, 10, QStringLiteral("202406"), 183, HistoryOutcome::Sent, QStringLiteral("N"),
           HistoryKind::EncryptedFile);
    record(4567, 10, QStringLiteral("202406"), 184);
    record(4567, 10, QStringLiteral("202407"), 214, HistoryOutcome::Sent, QStringLiteral("K"));
    record(4567, 10, QStringLiteral("202407"), 215, HistoryOutcome::Sent, QStringLiteral("F"));
    record(4567, 10, QStringLiteral("202408"), 245, HistoryOutcome::Sent, QStringLiteral("F"),
           HistoryKind::DataFile, {false, true});
    record(4567, 10, QStringLiteral("202411"), 310, HistoryOutcome::Failed);
    record(4567, 10, QStringLiteral("202412"), 311);  // early, yet sent
    // Sent once, in an earlier year: the report belongs to the grid.
    record(4567, 20, QStringLiteral("202312"), 20);
    record(4567, 51, QStringLiteral("202212"), 21, HistoryOutcome::Sent, QStringLiteral("N"),
           HistoryKind::EncryptedFile);
    // Never delivered in normal mode: not the company's reports.
    record(4567, 11, QStringLiteral("202401"), 40, HistoryOutcome::Sent, QStringLiteral("N"),
           HistoryKind::Mail, test);
    record(4567, 11, QStringLiteral("202402"), 70, HistoryOutcome::Failed);
    record(4567, 21, QStringLiteral("202403"), 100, HistoryOutcome::Sent, QStringLiteral("N"),
           HistoryKind::EncryptedFile, test);
    record(4567, 60, QStringLiteral("202312"), 45, HistoryOutcome::Sent, QStringLiteral("F"),
           HistoryKind::DataFile, {false, true});
    record(1111, 35, QStringLiteral("202312"), 50);  // another company's

    EXPECT_EQ(m_history->reportNumbersSent(4567), (QList<int>{10, 20, 51}));
    EXPECT_EQ(m_history->companies(), (QList<int>{1111, 4567}));

    const HistoryOverview overview = BuildHistoryOverview(*m_history, 2024, 4567, QDate(2024, 11, 15));
    EXPECT_EQ(overview.year, 2024);
    EXPECT_EQ(overview.regnr, 4567);
    EXPECT_EQ(texts(overview), (QList<QStringList>{
                                   {"10", "202401=sendt 04.02.2024", "202402=feilet", "202403=bare test",
                                    "202404=korrigert 09.05.2024", "202405=lagret 01.06.2024",
                                    "202406=sendt 02.07.2024", "202407=sendt 02.08.2024", "202408=mangler",
                                    "202409=mangler", "202410=mangler", "202411=", "202412=sendt 06.11.2024"},
                                   {"20", "202412="},
                                   {"51", "202412="},
                               }));
    const QList<OverviewCell>& cells = overview.rows[0].cells;
    EXPECT_EQ(cells[0].state, OverviewState::Sent);
    EXPECT_EQ(cells[0].when, QDateTime(QDate(2024, 2, 4), QTime(9, 30), Qt::OffsetFromUTC, 3600));
    EXPECT_EQ(cells[4].state, OverviewState::SavedToFile);
    EXPECT_EQ(cells[10].state, OverviewState::NotDue);
    QList<bool> outstanding;
    for (const OverviewCell& cell : cells) {
        outstanding.append(cell.outstanding());
    }
    EXPECT_EQ(outstanding,
              (QList<bool>{false, true, true, false, false, false, false, true, true, true, false, false}));
    EXPECT_TRUE(overview.anyOutstanding());

    const HistoryOverview none = BuildHistoryOverview(*m_history, 2024, 2222, QDate(2024, 11, 15));
    EXPECT_TRUE(none.rows.isEmpty());
    EXPECT_FALSE(none.anyOutstanding());
}

// December's report is due on New Year's Day, not before.
TEST_F(HistoryOverviewTest, TheYearsLastPeriodFallsDueAtTheYearBoundary) {
    record(4567, 20, QStringLiteral("202312"), 15);
    record(4567, 21, QStringLiteral("202403"), 100);
    record(4567, 21, QStringLiteral("202406"), 190);
    record(4567, 21, QStringLiteral("202409"), 280);

    const HistoryOverview december = BuildHistoryOverview(*m_history, 2024, 4567, QDate(2024, 12, 31));
    EXPECT_EQ(texts(december),
              (QList<QStringList>{{"20", "202412="},
                                  {"21", "202403=sendt 09.04.2024", "202406=sendt 08.07.2024",
                                   "202409=sendt 06.10.2024", "202412="}}));
    EXPECT_FALSE(december.anyOutstanding());

    const HistoryOverview newYear = BuildHistoryOverview(*m_history, 2024, 4567, QDate(2025, 1, 1));
    EXPECT_EQ(texts(newYear), (QList<QStringList>{{"20", "202412=mangler"},
                                                  {"21", "202403=sendt 09.04.2024", "202406=sendt 08.07.2024",
                                                   "202409=sendt 06.10.2024", "202412=mangler"}}));
    EXPECT_TRUE(newYear.anyOutstanding());
    // The year before is complete for the annual report and holds nothing for a quarterly one.
    EXPECT_EQ(
        texts(BuildHistoryOverview(*m_history, 2023, 4567, QDate(2025, 1, 1))),
        (QList<QStringList>{{"20", "202312=sendt 15.01.2024"},
                            {"21", "202303=mangler", "202306=mangler", "202309=mangler", "202312=mangler"}}));
}
