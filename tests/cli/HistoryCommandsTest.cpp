#include <gtest/gtest.h>

#include <QCoreApplication>
#include <QDate>
#include <QDir>
#include <memory>

#include "app/HistoryTexts.h"
#include "core/ReportIdentity.h"
#include "core/Windows1252.h"
#include "support/CliRunner.h"
#include "transmission/BlowfishCipher.h"
#include "transmission/Envelope.h"

namespace {

using namespace telvainn;

const QString kXml = QStringLiteral(
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<DVRAPPORT \r\nNAVN=\"Sørlandet\" "
    "/>\r\n</DVRAPPORT>");

// The history is written beforehand by this process, as the desktop program would have written it.
class HistoryCommandsTest : public ::testing::Test {
  protected:
    // Qt loads its SQLite driver only with an application object.
    static void SetUpTestSuite() {
        static int argc = 1;
        static char name[] = "cli_tests";
        static char* argv[] = {name, nullptr};
        if (QCoreApplication::instance() == nullptr) {
            s_application = std::make_unique<QCoreApplication>(argc, argv);
        }
    }
    static void TearDownTestSuite() { s_application.reset(); }

    SendHistory& history() {
        if (!m_history) {
            m_history = std::make_unique<SendHistory>(cli.home.path(), [this] { return m_now; });
        }
        return *m_history;
    }

    qint64 record(HistoryEntry entry, const QDateTime& at, HistoryOutcome outcome = HistoryOutcome::Sent,
                  const QString& reply = QString()) {
        m_now = at;
        const qint64 id = history().begin(entry);
        history().complete(id, outcome, reply);
        return id;
    }

    static HistoryEntry entry(int regnr, int reportNumber, const QString& period,
                              HistoryKind kind = HistoryKind::Mail, const QByteArray& bytes = "konvolutt") {
        HistoryEntry e;
        e.kind = kind;
        e.identity = {123, regnr, reportNumber, period, QStringLiteral("N")};
        e.templateVersion = QStringLiteral("01.10.2009");
        e.recipient = QStringLiteral("telva@dalvora.no");
        e.transport = QStringLiteral("smtp");
        e.bytes = bytes;
        return e;
    }

    static QDateTime at(int year, int month, int day, int hour = 10) {
        return QDateTime(QDate(year, month, day), QTime(hour, 14), Qt::OffsetFromUTC, 3600);
    }

    QString missingHistoryMessage() const {
        return QStringLiteral("Ingen historikk over sendte rapporter: %1 finnes ikke.\n")
            .arg(sendHistoryPath(cli.home.path()));
    }

    static QString firstLine(const QString& text) { return text.section(QLatin1Char('\n'), 0, 0); }

    static inline std::unique_ptr<QCoreApplication> s_application;
    CliRunner cli;
    QDateTime m_now;
    std::unique_ptr<SendHistory> m_history;
};

}  // namespace

TEST_F(HistoryCommandsTest, HistorikkListsTheEntriesNewestFirstAsATableOrTheCsvBytes) {
    const qint64 mail = record(entry(4567, 10, QStringLiteral("202410")), at(2026, 11, 12));
    HistoryEntry file = entry(4567, 21, QStringLiteral("202409"), HistoryKind::EncryptedFile);
    file.mode.test = true;
    file.recipient = QStringLiteral("/tmp/ut/Kryptert_fil.txt");
    file.transport.clear();
    const qint64 failed =
        record(file, at(2026, 11, 13), HistoryOutcome::Failed, QStringLiteral("Disken er full"));
    HistoryEntry data = entry(1234, 10, QStringLiteral("202410"), HistoryKind::DataFile);
    data.mode.dataFile = true;
    data.identity.Rapporttype = QStringLiteral("F");
    data.recipient = QStringLiteral("/tmp/ut/R10.txt");
    data.transport.clear();
    const qint64 dataFile = record(data, at(2026, 11, 14, 9));

    const CliRun all = cli.run({QStringLiteral("historikk")});
    EXPECT_EQ(all.exitCode, 0) << all.err.toStdString();
    EXPECT_EQ(all.err, QString());
    EXPECT_EQ(
        all.out,
        QStringLiteral("Id  Tid               Modus    Sendt som     Regnr  Rapport  Periode  Type  Utfall  "
                       "Mottaker\n"
                       "%3   14.11.2026 09:14  datafil  datafil       1234   10       202410   F     sendt   "
                       "/tmp/ut/R10.txt\n"
                       "%2   13.11.2026 10:14  test     kryptert fil  4567   21       202409   N     feilet  "
                       "/tmp/ut/Kryptert_fil.txt\n"
                       "%1   12.11.2026 10:14  normal   e-post        4567   10       202410   N     sendt   "
                       "telva@dalvora.no\n")
            .arg(mail)
            .arg(failed)
            .arg(dataFile));

    const CliRun filtered =
        cli.run({QStringLiteral("historikk"), QStringLiteral("--regnr"), QStringLiteral("4567"),
                 QStringLiteral("--fra"), QStringLiteral("202410")});
    EXPECT_EQ(filtered.exitCode, 0);
    EXPECT_EQ(filtered.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts).size(), 2);
    EXPECT_TRUE(filtered.out.contains(QStringLiteral("\n%1   12.11.2026 10:14").arg(mail)));
    const CliRun none =
        cli.run({QStringLiteral("historikk"), QStringLiteral("--rapport"), QStringLiteral("60")});
    EXPECT_EQ(none.exitCode, 0);
    EXPECT_EQ(none.out, QStringLiteral("Ingen oppføringer i historikken passer til valgene.\n"));

    const CliRun csv = cli.run({QStringLiteral("historikk"), QStringLiteral("--csv"), QStringLiteral("--til"),
                                QStringLiteral("202409")});
    EXPECT_EQ(csv.exitCode, 0);
    EXPECT_EQ(csv.rawOut, HistoryCsv({*history().record(failed)}));
    EXPECT_EQ(cli.run({QStringLiteral("historikk"), QStringLiteral("--csv")}).rawOut,
              HistoryCsv(history().list({})));

    const CliRun wrong =
        cli.run({QStringLiteral("historikk"), QStringLiteral("--fra"), QStringLiteral("2024")});
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_EQ(firstLine(wrong.err),
              QStringLiteral("Valget --fra skal være en periode på formen ÅÅÅÅMM, ikke \"2024\"."));
    const CliRun report =
        cli.run({QStringLiteral("historikk"), QStringLiteral("--rapport"), QStringLiteral("12")});
    EXPECT_EQ(report.exitCode, 2);
    EXPECT_EQ(firstLine(report.err),
              QStringLiteral(
                  "\"12\" er ikke et normalt rapport nr. Programmet kan dermed ikke behandle rapporten."));
    const CliRun regnr =
        cli.run({QStringLiteral("historikk"), QStringLiteral("--regnr"), QStringLiteral("-4")});
    EXPECT_EQ(regnr.exitCode, 2);
    EXPECT_EQ(firstLine(regnr.err), QStringLiteral("Valget --regnr skal være et helt tall, ikke \"-4\"."));
}

// Reading commands leave a folder without history as it is.
TEST_F(HistoryCommandsTest, WithoutAHistoryNothingIsCreated) {
    const CliRun list = cli.run({QStringLiteral("historikk")});
    EXPECT_EQ(list.exitCode, 0);
    EXPECT_EQ(list.out, missingHistoryMessage());
    const CliRun csv = cli.run({QStringLiteral("historikk"), QStringLiteral("--csv")});
    EXPECT_EQ(csv.exitCode, 0);
    EXPECT_EQ(csv.rawOut, HistoryCsv({}));
    EXPECT_EQ(csv.err, missingHistoryMessage());
    const CliRun overview =
        cli.run({QStringLiteral("oversikt"), QStringLiteral("--regnr"), QStringLiteral("4567")});
    EXPECT_EQ(overview.exitCode, 0);
    EXPECT_EQ(overview.out, missingHistoryMessage());
    const CliRun show = cli.run({QStringLiteral("vis-sendt"), QStringLiteral("1")});
    EXPECT_EQ(show.exitCode, 1);
    EXPECT_EQ(show.err, missingHistoryMessage());
    EXPECT_FALSE(QFile::exists(sendHistoryPath(cli.home.path())));
}

// A damaged file is set aside by any program that opens it; the reader says so after its output.
TEST_F(HistoryCommandsTest, AWarningOfTheHistoryFollowsTheOutputAndFailsTheCommand) {
    QFile damaged(sendHistoryPath(cli.home.path()));
    ASSERT_TRUE(damaged.open(QIODevice::WriteOnly));
    damaged.write(QByteArray(4096, 'x'));
    damaged.close();
    const CliRun run = cli.run({QStringLiteral("historikk")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, QStringLiteral("Ingen oppføringer i historikken passer til valgene.\n"));
    const QStringList setAside =
        QDir(cli.home.path()).entryList({QStringLiteral("telvainn-historikk.db.skadet-*")}, QDir::Files);
    ASSERT_EQ(setAside.size(), 1);
    EXPECT_EQ(run.err,
              QStringLiteral("Historikken over sendte rapporter var skadet og er lagt til side som:\n%1\nEn "
                             "ny historikk er startet.\n")
                  .arg(cli.home.filePath(setAside.front())));
}

TEST_F(HistoryCommandsTest, OversiktShowsTheYearsGridAndFailsWhileSomethingDueIsOutstanding) {
    for (int month = 1; month <= 12; ++month) {
        if (month != 5) {
            const QString period = QStringLiteral("2024%1").arg(month, 2, 10, QLatin1Char('0'));
            record(entry(4567, 10, period), at(2024, month, 28));
        }
    }
    record(entry(4567, 20, QStringLiteral("202312")), at(2024, 1, 10), HistoryOutcome::Failed);
    record(entry(4567, 20, QStringLiteral("202412")), at(2025, 1, 10));
    HistoryEntry test = entry(4567, 21, QStringLiteral("202403"));
    test.mode.test = true;
    record(test, at(2024, 4, 2));

    const QString heading = QStringLiteral("Sendte rapporter for Regnr 4567 i 2024, per %1:\n\n")
                                .arg(QDate::currentDate().toString(QStringLiteral("dd.MM.yyyy")));
    // The columns are as wide as their widest cell; the annual report has December only.
    const QString grid =
        QStringLiteral(
            "Rapport  01                02                03                04                05       06    "
            "     "
            "       07                08                09                10                11               "
            " 12\n"
            "R10      sendt 28.01.2024  sendt 28.02.2024  sendt 28.03.2024  sendt 28.04.2024  mangler  sendt "
            "28.06.2024  sendt 28.07.2024  sendt 28.08.2024  sendt 28.09.2024  sendt 28.10.2024  sendt "
            "28.11.2024  "
            "sendt 28.12.2024\n"
            "R20") +
        QString(195, QLatin1Char(' ')) + QStringLiteral("sendt 10.01.2025\n");
    const CliRun missing =
        cli.run({QStringLiteral("oversikt"), QStringLiteral("--år"), QStringLiteral("2024"),
                 QStringLiteral("--regnr"), QStringLiteral("4567")});
    EXPECT_EQ(missing.exitCode, 1) << missing.err.toStdString();
    EXPECT_EQ(missing.err, QString());
    EXPECT_EQ(missing.out, heading + grid + QStringLiteral("\nNoe som er forfalt, er ikke sendt.\n"));

    record(entry(4567, 10, QStringLiteral("202405")), at(2024, 6, 3));
    // The company from telvainn.ini.
    cli.configure("[KONFIGURASJON]\r\nDSNR=123\r\nREGNR=4567\r\n");
    const CliRun complete =
        cli.run({QStringLiteral("oversikt"), QStringLiteral("--år"), QStringLiteral("2024")});
    EXPECT_EQ(complete.exitCode, 0) << complete.err.toStdString();
    EXPECT_EQ(
        complete.out,
        heading +
            QStringLiteral(
                "Rapport  01                02                03                04                05      "
                "          06                07                08                09                10     "
                "           11                12\n"
                "R10      sendt 28.01.2024  sendt 28.02.2024  sendt 28.03.2024  sendt 28.04.2024  sendt "
                "03.06.2024  sendt 28.06.2024  sendt 28.07.2024  sendt 28.08.2024  sendt 28.09.2024  sendt "
                "28.10.2024  sendt 28.11.2024  sendt 28.12.2024\n"
                "R20") +
            QString(204, QLatin1Char(' ')) +
            QStringLiteral("sendt 10.01.2025\n\nAlt som er forfalt, er sendt.\n"));
    EXPECT_TRUE(
        cli.run({QStringLiteral("oversikt")})
            .out.startsWith(
                QStringLiteral("Sendte rapporter for Regnr 4567 i %1, ").arg(QDate::currentDate().year())));

    const CliRun other =
        cli.run({QStringLiteral("oversikt"), QStringLiteral("--regnr"), QStringLiteral("1111")});
    EXPECT_EQ(other.exitCode, 0);
    EXPECT_TRUE(other.out.endsWith(QStringLiteral(":\n\nSelskapet har ikke sendt noen rapporter ennå.\n")));

    const CliRun year = cli.run({QStringLiteral("oversikt"), QStringLiteral("--år"), QStringLiteral("24")});
    EXPECT_EQ(year.exitCode, 2);
    EXPECT_EQ(firstLine(year.err),
              QStringLiteral("Valget --år skal være et år på formen ÅÅÅÅ, ikke \"24\"."));
    cli.configure("[KONFIGURASJON]\r\nDSNR=123\r\n");
    const CliRun unconfigured = cli.run({QStringLiteral("oversikt")});
    EXPECT_EQ(unconfigured.exitCode, 2);
    EXPECT_EQ(unconfigured.err,
              QStringLiteral("Regnr er ikke satt i telvainn.ini. Oppgi selskapet med --regnr.\n"));
}

TEST_F(HistoryCommandsTest, VisSendtGivesTheDecryptedReportOrTheDataFile) {
    const QStringList info = informationList({123, 4567, 10, QStringLiteral("202410"), QStringLiteral("N")},
                                             QStringLiteral("Annet"), QStringLiteral("01.10.2009"));
    const QByteArray envelope = BuildEncryptedReportText(info, BlowfishCipher().EncryptReportText(kXml));
    const qint64 mail =
        record(entry(4567, 10, QStringLiteral("202410"), HistoryKind::Mail, envelope), at(2026, 11, 1));
    const QByteArray dataBytes = "00123;4567;10;202410;N\r\nS\xF8r;1\r\n";
    HistoryEntry data = entry(4567, 10, QStringLiteral("202410"), HistoryKind::DataFile, dataBytes);
    data.mode.dataFile = true;
    const qint64 dataFile = record(data, at(2026, 11, 2));
    const qint64 broken = record(entry(4567, 11, QStringLiteral("202410")), at(2026, 11, 3));

    const CliRun shown = cli.run({QStringLiteral("vis-sendt"), QString::number(mail)});
    EXPECT_EQ(shown.exitCode, 0) << shown.err.toStdString();
    EXPECT_EQ(shown.rawOut, toWindows1252(kXml));
    EXPECT_EQ(shown.err, QString());

    const CliRun written =
        cli.run({QStringLiteral("vis-sendt"), QString::number(mail), QStringLiteral("--ut"),
                 cli.home.filePath(QStringLiteral("rapport.xml"))});
    EXPECT_EQ(written.exitCode, 0) << written.err.toStdString();
    EXPECT_EQ(written.rawOut, QByteArray());
    EXPECT_EQ(cli.read(QStringLiteral("rapport.xml")), toWindows1252(kXml));

    EXPECT_EQ(cli.run({QStringLiteral("vis-sendt"), QString::number(dataFile)}).rawOut, dataBytes);

    const CliRun unreadable = cli.run({QStringLiteral("vis-sendt"), QString::number(broken)});
    EXPECT_EQ(unreadable.exitCode, 1);
    EXPECT_EQ(unreadable.err, QStringLiteral("Klarte ikke å lese den krypterte rapporten i oppføring %1 i "
                                             "historikken:\nLinje 1: forventet 62 likhetstegn.\n")
                                  .arg(broken));
    const CliRun absent = cli.run({QStringLiteral("vis-sendt"), QStringLiteral("99")});
    EXPECT_EQ(absent.exitCode, 1);
    EXPECT_EQ(absent.err, QStringLiteral("Historikken har ingen oppføring 99.\n"));
    const CliRun wrong = cli.run({QStringLiteral("vis-sendt"), QStringLiteral("sju")});
    EXPECT_EQ(wrong.exitCode, 2);
    EXPECT_EQ(firstLine(wrong.err), QStringLiteral("ID skal være et helt tall, ikke \"sju\"."));
}
