#include <gtest/gtest.h>
#include <QDir>
#include <QFile>
#include <QProcess>
#include <QTemporaryDir>

#include "core/ProfileFile.h"
#include "support/SampleTemplates.h"

namespace {

struct CliRun {
    int exitCode = -1;
    QString out;
    QString err;
};

// The built telvainn-cli with its program folder in a temporary directory holding the sample
// templates the build made, and its office profiles in a cache folder of its own.
class CliExcelCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_NO_FATAL_FAILURE(testsupport::copySampleTemplates(home.path())); }

    CliRun cli(const QStringList& args, const QString& soffice = {}) {
        QProcess process;
        QProcessEnvironment env = QProcessEnvironment::systemEnvironment();
        env.insert(QStringLiteral("TELVAINN_HOME"), home.path());
        env.insert(QStringLiteral("XDG_CACHE_HOME"), cache.path());
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("C"));
        if (!soffice.isEmpty()) {
            env.insert(QStringLiteral("TELVAINN_SOFFICE"), soffice);
        }
        process.setProcessEnvironment(env);
        process.start(QStringLiteral(TELVAINN_BIN_DIR "/telvainn-cli"), args);
        EXPECT_TRUE(process.waitForFinished(120000));
        CliRun run;
        run.exitCode = process.exitStatus() == QProcess::NormalExit ? process.exitCode() : -1;
        run.out = QString::fromUtf8(process.readAllStandardOutput());
        run.err = QString::fromUtf8(process.readAllStandardError());
        return run;
    }

    QString recorded(const QString& key) {
        return telvainn::ProfileFile::load(home.filePath(QStringLiteral("telvainn.ini")))
            .readString(u"VERSJONER", key);
    }

    QTemporaryDir home;
    QTemporaryDir cache;
};

TEST_F(CliExcelCommandsTest, VersjonerRecordsTheVersionOfEveryTemplate) {
    const CliRun run = cli({QStringLiteral("versjoner")});
    EXPECT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.err, QString());
    const QStringList lines = run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts);
    ASSERT_EQ(lines.size(), 9) << run.out.toStdString();
    EXPECT_EQ(lines.front(), QStringLiteral("R10=25.02.2009"));  // the version date of the r10 source
    EXPECT_EQ(lines.back(), QStringLiteral("programversion=25.02.2009"));
    EXPECT_EQ(recorded(QStringLiteral("R20")), QStringLiteral("01.12.2008"));
}

TEST_F(CliExcelCommandsTest, VersjonerNamesAMissingTemplateAndRecordsTheOthers) {
    ASSERT_TRUE(QFile::remove(home.filePath(QStringLiteral("maler/r35.xls"))));
    const CliRun run = cli({QStringLiteral("versjoner")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, QStringLiteral("Programmet klarte ikke åpne og lese versjonsinformasjon fra følgende "
                                      "rapportmaler:\nR35\n\n"));
    EXPECT_EQ(run.out.split(QLatin1Char('\n'), Qt::SkipEmptyParts).size(), 8)
        << "seven templates and the program";
    EXPECT_EQ(recorded(QStringLiteral("R35")), QString());
    EXPECT_EQ(recorded(QStringLiteral("R60")), QStringLiteral("02.02.2009"));
}

TEST_F(CliExcelCommandsTest, VersjonerWithoutASpreadsheetFailsAtOnceAndWritesNothing) {
    const CliRun run = cli({QStringLiteral("versjoner")}, QStringLiteral("/bin/false"));
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.err, QStringLiteral("LibreOffice avsluttet under oppstart (kode 1).\n"));
    EXPECT_EQ(run.out, QString());
    EXPECT_EQ(recorded(QStringLiteral("programversion")), QString());
}

TEST_F(CliExcelCommandsTest, TestExcelTellsWhetherTheSpreadsheetCanBeDriven) {
    const CliRun reachable = cli({QStringLiteral("test-excel")});
    EXPECT_EQ(reachable.exitCode, 0);
    EXPECT_EQ(reachable.out, QStringLiteral("Programmet kan snakke med excel\n"));

    const CliRun unreachable = cli({QStringLiteral("test-excel")}, QStringLiteral("/bin/false"));
    EXPECT_EQ(unreachable.exitCode, 1);
    EXPECT_EQ(unreachable.out, QStringLiteral("Programmet kan ikke snakke med excel\n"));
}

}  // namespace
