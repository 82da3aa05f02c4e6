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
    TemplateVersion version;
};

const QString kQuestion123vs007 = QStringLiteral(
    "Den flate fila inneholder tall for datasentral <123>, mens du har konfigurert deg med datasentral "
    "nummer "
    "<007>.\n\rKanskje burde du endre filas første linje?\n\r\n\rØnsker du å sende fila slik den er?");

}  // namespace

TEST_F(FlatFileCommandsTest, DsnrCheckAsksOnlyWhenTheFileNamesAnotherDataCentre) {
    ScriptedPrompter silent;
    const QString same = QStringLiteral("F007200906");
    EXPECT_TRUE(FlatFileDsnrCheck(same, 7, silent).goOn);
    EXPECT_EQ(FlatFileDsnrCheck(same, 7, silent).fileDsnr, QStringLiteral("007"));
    EXPECT_TRUE(FlatFileDsnrCheck(QStringLiteral("F12"), 7, silent).goOn);  // too short to hold a Dsnr
    EXPECT_EQ(FlatFileDsnrCheck(QStringLiteral("F12"), 7, silent).fileDsnr, QStringLiteral("000"));
    EXPECT_TRUE(FlatFileDsnrCheck(QStringLiteral("FA23200906"), 7, silent).goOn);  // not digits
    EXPECT_TRUE(silent.questions.isEmpty());

    const QString other = QStringLiteral("F123200906");
    ScriptedPrompter yes({Answer::Yes});
    EXPECT_TRUE(FlatFileDsnrCheck(other, 7, yes).goOn);
    EXPECT_EQ(yes.questions, QStringList{kQuestion123vs007});
    ScriptedPrompter no({Answer::No});
    const DsnrCheckResult stopped = FlatFileDsnrCheck(other, 7, no);
    EXPECT_FALSE(stopped.goOn);
    EXPECT_EQ(stopped.fileDsnr, QStringLiteral("123"));
}

TEST_F(FlatFileCommandsTest, SavingHoldsTheReportVersionAtFlatfilAndLeavesZero) {
    version.set(QStringLiteral("01.02.2009"));
    const QString data =
        writeFile(testdata::fileText({testdata::headerLine(), testdata::dataLine({})}).toLatin1());
    TSettings settings;
    settings.Dsnr = 123;
    ScriptedPrompter prompter;
    const SaveDataFileResult result = SaveDataFileEncrypted(data, dir.filePath(QStringLiteral("Filnavn")),
                                                            settings, RunMode{}, Locale{}, prompter, version);
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    EXPECT_EQ(version.text(), QStringLiteral("0"));
    ASSERT_EQ(result.outputs.reports.size(), 1u);
    QFile saved(result.outputs.reports[0].path);
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
                                                             settings, RunMode{}, Locale{}, no, version);
    EXPECT_FALSE(stopped.ok);
    EXPECT_TRUE(stopped.stopped);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("data.txt")});

    settings.Dsnr = 123;
    const QString bad = writeFile(
        testdata::fileText({testdata::headerLine(), testdata::dataLine({.report = 12})}).toLatin1());
    ScriptedPrompter silent;
    const SaveDataFileResult failed = SaveDataFileEncrypted(bad, dir.filePath(QStringLiteral("Filnavn")),
                                                            settings, RunMode{}, Locale{}, silent, version);
    EXPECT_FALSE(failed.ok);
    EXPECT_EQ(failed.message,
              QStringLiteral("Klarte ikke å generere krypterte filer!\n\rFunksjonen "
                             "\"TDataFileReports.GetReportIndex\" leter etter en index for rapport "
                             "nr 12, men kunne ikke finne det."));
    EXPECT_EQ(failed.outputs.Dsnr, QStringLiteral("123"));

    const SaveDataFileResult missing =
        SaveDataFileEncrypted(dir.filePath(QStringLiteral("borte.txt")), QStringLiteral("Filnavn"), settings,
                              RunMode{}, Locale{}, silent, version);
    EXPECT_EQ(missing.message, QStringLiteral("Klarte ikke å lese fila \"%1\": No such file or directory")
                                   .arg(dir.filePath(QStringLiteral("borte.txt"))));
}

TEST(EncryptedFileRows, AFileNotWrittenNamesItsReportCompanyPathAndReason) {
    const QString path = QStringLiteral("/tmp/Kryptert_fil_Periode200906_RegNr4567_R21.txt");
    const EncryptedFileRow written =
        encryptedFileRow({QStringLiteral("21"), QStringLiteral("4567"), path, QString(), true, false});
    EXPECT_EQ(written.text, path);
    EXPECT_EQ(written.path, path);
    EXPECT_TRUE(written.ok);

    const EncryptedFileRow failed =
        encryptedFileRow({QStringLiteral("21"), QStringLiteral("4567"), path,
                          QStringLiteral("No space left on device"), false, false});
    EXPECT_EQ(failed.text, QStringLiteral("Feilet ved generering av fila for rapport nr 21. Regnr 4567, fila "
                                          "\"%1\": No space left on device.")
                               .arg(path));
    EXPECT_EQ(failed.path, QString());
    EXPECT_FALSE(failed.ok);

    // A reason that ends its own sentence gets no second full stop; an older file is named, and a name
    // with a control character in it is shown with the character written out.
    const EncryptedFileRow old =
        encryptedFileRow({QStringLiteral("10"), QStringLiteral("1234"), QStringLiteral("/tmp/a\x1b.txt"),
                          QStringLiteral("Disk full."), false, true});
    EXPECT_EQ(old.text,
              QStringLiteral("Feilet ved generering av fila for rapport nr 10. Regnr 1234, fila "
                             "\"/tmp/a\\x1b.txt\": Disk full. En eldre fil med samme navn ligger der "
                             "fortsatt og inneholder ikke denne rapporten."));
}

TEST_F(FlatFileCommandsTest, TheFileIsCheckedWholeBeforeAnyReportIsSaved) {
    const QString data = writeFile(
        testdata::fileText({testdata::headerLine(), testdata::dataLine({}),
                            testdata::dataLine({.regnr = 1234}), testdata::dataLine({.report = 12})})
            .toLatin1());
    TSettings settings;
    settings.Dsnr = 123;
    ScriptedPrompter silent;
    const SaveDataFileResult result = SaveDataFileEncrypted(data, dir.filePath(QStringLiteral("Filnavn")),
                                                            settings, RunMode{}, Locale{}, silent, version);
    EXPECT_FALSE(result.ok);
    EXPECT_TRUE(result.outputs.reports.empty());
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files), QStringList{QStringLiteral("data.txt")});
}
