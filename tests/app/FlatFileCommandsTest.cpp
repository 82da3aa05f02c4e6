#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "app/FlatFileCommands.h"
#include "core/TemplateVersion.h"
#include "support/DataLines.h"
#include "support/ScriptedPrompter.h"

using namespace telvainn;

namespace {

class FlatFileCommandsTest : public ::testing::Test {
  protected:
    QString writeFile(const QByteArray& bytes) {
        const QString path = dir.filePath(QStringLiteral("data.txt"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(bytes);
        return path;
    }

    QTemporaryDir dir;
};

const QString kQuestion123vs007 = QStringLiteral(
    "Den flate fila inneholder tall for datasentral <123>, mens du har konfigurert deg med datasentral "
    "nummer "
    "<007>.\n\rKanskje burde du endre filas første linje?\n\r\n\rØnsker du å sende fila slik den er?");

}  // namespace

TEST_F(FlatFileCommandsTest, DsnrCheckAsksOnlyWhenTheFileNamesAnotherDataCentre) {
    ScriptedPrompter silent;
    const QString same = writeFile("F007200906\r\n");
    EXPECT_TRUE(FlatFileDsnrCheck(same, 7, silent).goOn);
    EXPECT_EQ(FlatFileDsnrCheck(same, 7, silent).fileDsnr, QStringLiteral("007"));
    EXPECT_TRUE(FlatFileDsnrCheck(writeFile("F12\r\n"), 7, silent).goOn);  // too short to hold a Dsnr
    EXPECT_EQ(FlatFileDsnrCheck(writeFile("F12\r\n"), 7, silent).fileDsnr, QStringLiteral("000"));
    EXPECT_TRUE(FlatFileDsnrCheck(writeFile("FA23200906\r\n"), 7, silent).goOn);  // not digits
    EXPECT_TRUE(silent.questions.isEmpty());

    const QString other = writeFile("F123200906\r\n");
    ScriptedPrompter yes({Answer::Yes});
    EXPECT_TRUE(FlatFileDsnrCheck(other, 7, yes).goOn);
    EXPECT_EQ(yes.questions, QStringList{kQuestion123vs007});
    ScriptedPrompter no({Answer::No});
    const DsnrCheckResult stopped = FlatFileDsnrCheck(other, 7, no);
    EXPECT_FALSE(stopped.goOn);
    EXPECT_EQ(stopped.fileDsnr, QStringLiteral("123"));
}

TEST_F(FlatFileCommandsTest, SavingHoldsTheReportVersionAtFlatfilAndLeavesZero) {
    setTemplateVersionText(QStringLiteral("01.02.2009"));
    const QString data =
        writeFile(testdata::fileText({testdata::headerLine(), testdata::dataLine({})}).toLatin1());
    TSettings settings;
    settings.Dsnr = 123;
    ScriptedPrompter prompter;
    const SaveDataFileResult result = SaveDataFileEncrypted(data, dir.filePath(QStringLiteral("Filnavn")),
                                                            settings, RunMode{}, Locale{}, prompter);
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    EXPECT_EQ(templateVersionText(), QStringLiteral("0"));
    ASSERT_EQ(result.results.size(), 2);
    QFile saved(result.results[1]);
    ASSERT_TRUE(saved.open(QIODevice::ReadOnly));
    EXPECT_TRUE(saved.readAll().contains("\r\nRapportversjon:   FLATFIL\r\n"));
}

TEST_F(FlatFileCommandsTest, StoppingAtTheDsnrQuestionOrFailingSavesNothing) {
    const QString data =
        writeFile(testdata::fileText({testdata::headerLine(), testdata::dataLine({})}).toLatin1());
    TSettings settings;
    settings.Dsnr = 7;
    ScriptedPrompter no({Answer::No});
    const SaveDataFileResult stopped = SaveDataFileEncrypted(data, dir.filePath(QStringLiteral("Filnavn")),
                                                             settings, RunMode{}, Locale{}, no);
    EXPECT_FALSE(stopped.ok);
    EXPECT_TRUE(stopped.stopped);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("data.txt")});

    settings.Dsnr = 123;
    const QString bad = writeFile(
        testdata::fileText({testdata::headerLine(), testdata::dataLine({.report = 12})}).toLatin1());
    ScriptedPrompter silent;
    const SaveDataFileResult failed = SaveDataFileEncrypted(bad, dir.filePath(QStringLiteral("Filnavn")),
                                                            settings, RunMode{}, Locale{}, silent);
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(failed.message,
              QStringLiteral("Klarte ikke å generere krypterte filer!\n\rFunksjonen "
                             "\"TDataFileReports.GetReportIndex\" leter etter en index for rapport "
                             "nr 12, men kunne ikke finne det."));
    EXPECT_EQ(failed.outputs.Dsnr, QStringLiteral("123"));

    const SaveDataFileResult missing =
        SaveDataFileEncrypted(dir.filePath(QStringLiteral("borte.txt")), QStringLiteral("Filnavn"), settings,
                              RunMode{}, Locale{}, silent);
    EXPECT_EQ(missing.message, QStringLiteral("Klarte ikke å lese fila \"%1\": No such file or directory")
                                   .arg(dir.filePath(QStringLiteral("borte.txt"))));
}

TEST(FailedFileRows, NameTheReportOfAnErrorRowOnly) {
    EXPECT_EQ(failedFileRowText(QStringLiteral("ErrorOccured(21)")),
              QStringLiteral("Feilet ved generering av fila for rapport nr 21."));
    EXPECT_EQ(failedFileRowText(QStringLiteral("/tmp/Kryptert_fil_Periode200906_RegNr4567_R21.txt")),
              std::nullopt);
}
