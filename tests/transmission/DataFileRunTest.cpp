#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>
#include <algorithm>
#include <optional>

#include "core/Error.h"
#include "core/FileIo.h"
#include "core/Windows1252.h"
#include "support/DataLines.h"
#include "support/FileSizeLimit.h"
#include "transmission/BlowfishCipher.h"
#include "transmission/DataFileRun.h"
#include "transmission/Envelope.h"
#include "transmission/EnvelopeParser.h"

using namespace telvainn;
using testdata::dataLine;
using testdata::headerLine;

namespace {

const QDateTime kStamp(QDate(2009, 7, 3), QTime(14, 5, 9, 42));

class DataFileRunTest : public ::testing::Test {
  protected:
    DataFileRunTest() {
        context.mailSystem = QStringLiteral("Annet");
        context.locale = Locale::from(QLocale(QLocale::NorwegianBokmal, QLocale::Norway));
        context.clock = [] { return kStamp; };
    }

    QString writeDataFile(const QStringList& lines, const QString& name = QStringLiteral("data.txt")) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(toWindows1252(testdata::fileText(lines)));
        return path;
    }

    // Runs the file in save mode with "<dir>/Filnavn" as the path template.
    bool save(const QString& path) {
        context.pathTemplate = dir.filePath(QStringLiteral("Filnavn"));
        return ProcessDataFile(path, DataFileMode::SaveFiles, outputs, context);
    }

    QStringList savedNames() const {
        QStringList names;
        for (const DataFileReportResult& report : outputs.reports) {
            names.append(QFileInfo(report.path).fileName());
        }
        return names;
    }

    // Report number, Regnr and whether it was done, of every report the run handled.
    QStringList handled() const {
        QStringList reports;
        for (const DataFileReportResult& report : outputs.reports) {
            reports.append(QStringLiteral("%1/R%2 %3")
                               .arg(report.Regnr, report.reportNumber, report.done ? "ok" : "feilet"));
        }
        return reports;
    }

    QTemporaryDir dir;
    DataFileRunContext context;
    DataFileRunOutputs outputs;
};

ParsedEnvelope readEnvelope(const QString& path, QByteArray* decrypted) {
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << path.toStdString();
    const QByteArray bytes = file.readAll();
    EXPECT_TRUE(bytes.endsWith("---------SLUTT------------> \r\n"));
    ParsedEnvelope envelope = ParseEncryptedReportText(bytes);
    *decrypted = BlowfishCipher().DecryptReportText(envelope.base64);
    return envelope;
}

}  // namespace

TEST_F(DataFileRunTest, OnlyAFirstLineMeansNoCompanies) {
    EXPECT_FALSE(save(writeDataFile({headerLine()})));
    EXPECT_EQ(outputs.error, QStringLiteral("Programmet fant ingen rapport-data i fila.\r\n"
                                            "(\"GetAListOfCompaniesFromDataFile\" fant ingen selskaper.)"));
    EXPECT_EQ(outputs.companies, 0);
    EXPECT_EQ(outputs.Dsnr, QStringLiteral("?"));
    EXPECT_TRUE(outputs.reports.empty());
}

TEST_F(DataFileRunTest, AMissingFileIsReportedWithTheReadError) {
    const QString missing = dir.filePath(QStringLiteral("finnes-ikke.txt"));
    EXPECT_FALSE(save(missing));
    EXPECT_EQ(outputs.error,
              QStringLiteral("Programmet feilet ved forsøk på å hente informasjon fra datafila.\r\n"
                             "Feilmelding: Klarte ikke å lese fila \"%1\": No such file or directory")
                  .arg(missing));
}

TEST_F(DataFileRunTest, CompaniesInOrderOfFirstAppearanceAndReport10Before20) {
    const QString path = writeDataFile({headerLine(), dataLine({.regnr = 4567, .report = 20}), QString(),
                                        dataLine({.regnr = 1234, .report = 10}), QStringLiteral("   "),
                                        dataLine({.regnr = 4567, .report = 10}),
                                        dataLine({.regnr = 4567, .report = 20, .objektid = 99})});
    ASSERT_TRUE(save(path)) << outputs.error.toStdString();
    EXPECT_EQ(outputs.companies, 2);
    EXPECT_EQ(outputs.kindLetter, QStringLiteral("F"));
    EXPECT_EQ(outputs.Dsnr, QStringLiteral("123"));
    EXPECT_EQ(outputs.Periode, QStringLiteral("200906"));
    EXPECT_EQ(outputs.Regnr, QStringLiteral("4567"));
    EXPECT_EQ(outputs.reportNumber, QStringLiteral("?"));
    EXPECT_EQ(savedNames(), (QStringList{QStringLiteral("Kryptert_fil_Periode200906_RegNr4567_R10.txt"),
                                         QStringLiteral("Kryptert_fil_Periode200906_RegNr4567_R20.txt"),
                                         QStringLiteral("Kryptert_fil_Periode200906_RegNr1234_R10.txt")}));
    EXPECT_EQ(outputs.reports[0].path,
              dir.filePath(QStringLiteral("Kryptert_fil_Periode200906_RegNr4567_R10.txt")));
    EXPECT_EQ(handled(), (QStringList{"4567/R10 ok", "4567/R20 ok", "1234/R10 ok"}));
}

TEST_F(DataFileRunTest, EverySavedFileDecryptsToItsReportDocument) {
    context.reportVersion = QStringLiteral("FLATFIL");
    const QString path = writeDataFile({headerLine("K"), dataLine({.regnr = 4567, .report = 20}),
                                        dataLine({.regnr = 4567, .report = 20, .objektid = 99, .sign = 1})});
    ASSERT_TRUE(save(path)) << outputs.error.toStdString();
    ASSERT_EQ(outputs.reports.size(), 1u);
    EXPECT_EQ(QFileInfo(outputs.reports[0].path).fileName(),
              QStringLiteral("Kryptert_fil_Periode200906_RegNr4567_R20K.txt"));

    QByteArray decrypted;
    const ParsedEnvelope envelope = readEnvelope(outputs.reports[0].path, &decrypted);
    EXPECT_EQ(envelope.info, (QStringList{"123", "K", "200906", "3.0.5", "4567", "20", "Annet", "FLATFIL"}));
    EXPECT_EQ(decrypted, QByteArray("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n"
                                    "<DVRAPPORT \r\n"
                                    " DSNR=\"123\" \r\n"
                                    " REGNR=\"4567\" \r\n"
                                    " RAPPORTID=\"20\" \r\n"
                                    " RAPPORTVERSJON=\"FLATFIL\" \r\n"
                                    " PERIODE=\"200906\" \r\n"
                                    " TYPE=\"K\" \r\n"
                                    " PROGRAMVERSJON=\"3.0.5\" \r\n"
                                    " TIDSSTEMPEL=\"123-4567-20090703140509042\" >\r\n"
                                    "<DATA>\r\n"
                                    "<OBJEKT text=\"\" tillegg=\"000\" objektid=\"1234567\" sektor=\"001\" "
                                    "naering=\"042\" land=\"00NO\" valuta=\"01\" verdi=\"0000012345\" />\r\n"
                                    "<OBJEKT text=\"\" tillegg=\"000\" objektid=\"0000099\" sektor=\"001\" "
                                    "naering=\"042\" land=\"00NO\" valuta=\"01\" verdi=\"-0000012345\" />\r\n"
                                    "</DATA>\r\n"
                                    "</DVRAPPORT>"));
}

TEST_F(DataFileRunTest, ManyReportsAreSavedInTheirOrderEachInItsOwnFile) {
    // More reports than files wait for the disk at a time, from companies whose lines are interleaved.
    QStringList lines{headerLine()};
    QStringList expected;
    for (int round = 0; round < 2; ++round) {
        for (const int report : {50, 10, 20}) {
            for (int regnr = 1001; regnr <= 1004; ++regnr) {
                lines.append(dataLine({.regnr = regnr, .report = report, .objektid = round}));
            }
        }
    }
    for (int regnr = 1001; regnr <= 1004; ++regnr) {
        for (const int report : {10, 20, 50}) {
            expected.append(QStringLiteral("%1/R%2 ok").arg(regnr).arg(report));
        }
    }
    ASSERT_TRUE(save(writeDataFile(lines))) << outputs.error.toStdString();
    EXPECT_EQ(handled(), expected);
    for (const DataFileReportResult& report : outputs.reports) {
        QByteArray decrypted;
        const ParsedEnvelope envelope = readEnvelope(report.path, &decrypted);
        EXPECT_EQ(envelope.info[4], report.Regnr);
        EXPECT_EQ(envelope.info[5], report.reportNumber);
        EXPECT_EQ(decrypted.count("<OBJEKT "), 2);
        EXPECT_TRUE(decrypted.contains(" REGNR=\"" + report.Regnr.toLatin1() + "\" \r\n RAPPORTID=\"" +
                                       report.reportNumber.toLatin1() + "\" "));
    }
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 13);
}

TEST_F(DataFileRunTest, FileNamesFollowTheTemplateAndTestMode) {
    context.testMode = true;
    const QString path = writeDataFile({headerLine("0"), dataLine({})});
    context.pathTemplate = dir.filePath(QStringLiteral("mars.txt"));
    ASSERT_TRUE(ProcessDataFile(path, DataFileMode::SaveFiles, outputs, context));
    EXPECT_EQ(savedNames(),
              QStringList{QStringLiteral("mars.txt_Periode200906_RegNr4567_R10_(testfil).txt")});

    EXPECT_EQ(
        encryptedReportFilePath(QStringLiteral("Filnavn"), QStringLiteral("200812"), QStringLiteral("1234"),
                                QStringLiteral("10"), QStringLiteral("K"), false),
        QStringLiteral("Kryptert_fil_Periode200812_RegNr1234_R10K.txt"));
}

TEST_F(DataFileRunTest, AReadOnlyFolderMarksEveryFileWithItsCompanyPathAndReason) {
    const QString path = writeDataFile({headerLine(), dataLine({.report = 10}), dataLine({.regnr = 1234})});
    QTemporaryDir out;
    const QFileDevice::Permissions readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
    ASSERT_TRUE(QFile::setPermissions(out.path(), readOnly));
    {
        QFile probe(out.filePath(QStringLiteral("probe")));
        if (probe.open(QIODevice::WriteOnly)) {
            probe.remove();
            QFile::setPermissions(out.path(), readOnly | QFileDevice::WriteOwner);
            GTEST_SKIP() << "folder permissions do not stop this user from writing";
        }
    }
    context.pathTemplate = out.filePath(QStringLiteral("Filnavn"));
    const bool ok = ProcessDataFile(path, DataFileMode::SaveFiles, outputs, context);
    QFile::setPermissions(out.path(), readOnly | QFileDevice::WriteOwner);
    EXPECT_TRUE(ok);
    const auto notWritten = [](const char* regnr, const QString& path) {
        return DataFileReportResult{QStringLiteral("10"),
                                    QString::fromLatin1(regnr),
                                    path,
                                    QStringLiteral("Permission denied"),
                                    false,
                                    false};
    };
    EXPECT_EQ(
        outputs.reports,
        (std::vector<DataFileReportResult>{
            notWritten("4567", out.filePath(QStringLiteral("Kryptert_fil_Periode200906_RegNr4567_R10.txt"))),
            notWritten("1234",
                       out.filePath(QStringLiteral("Kryptert_fil_Periode200906_RegNr1234_R10.txt")))}));
}

TEST_F(DataFileRunTest, AFileThatCannotBeWrittenIsMarkedAndTheOthersStand) {
    const QString path = writeDataFile({headerLine(), dataLine({.report = 10}), dataLine({.report = 21})});
    // A folder where the file of report 10 should go blocks that one file.
    ASSERT_TRUE(QDir(dir.path()).mkdir(QStringLiteral("Kryptert_fil_Periode200906_RegNr4567_R10.txt")));
    ASSERT_TRUE(save(path));
    EXPECT_EQ(handled(), (QStringList{"4567/R10 feilet", "4567/R21 ok"}));
    EXPECT_FALSE(outputs.reports[0].reason.isEmpty());
    EXPECT_EQ(QFileInfo(outputs.reports[1].path).fileName(),
              QStringLiteral("Kryptert_fil_Periode200906_RegNr4567_R21.txt"));
    EXPECT_TRUE(QFileInfo(outputs.reports[1].path).isFile());
    // Nothing half-written is left beside it.
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files).size(), 2);
}

TEST_F(DataFileRunTest, ADiskFullAfterTheFirstFileMarksTheRestAndLeavesNoPartialFile) {
    const QString path =
        writeDataFile({headerLine(), dataLine({.regnr = 4567, .report = 10}),
                       dataLine({.regnr = 4567, .report = 20}), dataLine({.regnr = 1234, .report = 10})});
    QTemporaryDir healthy;
    context.pathTemplate = healthy.filePath(QStringLiteral("Filnavn"));
    ASSERT_TRUE(ProcessDataFile(path, DataFileMode::SaveFiles, outputs, context));
    ASSERT_EQ(outputs.reports.size(), 3u);
    const QByteArray first = readFileBytes(outputs.reports[0].path);
    const qint64 smallest =
        std::min({QFileInfo(outputs.reports[0].path).size(), QFileInfo(outputs.reports[1].path).size(),
                  QFileInfo(outputs.reports[2].path).size()});

    // The second report's file is there from an earlier run; a failed write must not touch it.
    const QString second = dir.filePath(QStringLiteral("Kryptert_fil_Periode200906_RegNr4567_R20.txt"));
    const QByteArray earlier = "fra en tidligere kjøring\r\n";
    {
        QFile file(second);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(earlier);
    }
    // The disk fills up once the first file is written: every later write stops halfway through.
    std::optional<FileSizeLimit> diskFull;
    context.progress = [&](const DataFileProgress& progress) {
        if (progress.done == 1 && !diskFull) {
            diskFull.emplace(static_cast<rlim_t>(smallest / 2));
        }
    };
    const bool ok = save(path);
    diskFull.reset();

    EXPECT_TRUE(ok) << outputs.error.toStdString();  // a file that fails does not stop the run
    const QString firstPath = dir.filePath(QStringLiteral("Kryptert_fil_Periode200906_RegNr4567_R10.txt"));
    // Whose file, where and why; and the file of that name from before is not this report.
    EXPECT_EQ(outputs.reports,
              (std::vector<DataFileReportResult>{
                  {QStringLiteral("10"), QStringLiteral("4567"), firstPath, QString(), true, false},
                  {QStringLiteral("20"), QStringLiteral("4567"), second, QStringLiteral("File too large"),
                   false, true},
                  {QStringLiteral("10"), QStringLiteral("1234"),
                   dir.filePath(QStringLiteral("Kryptert_fil_Periode200906_RegNr1234_R10.txt")),
                   QStringLiteral("File too large"), false, false}}));
    EXPECT_EQ(readFileBytes(firstPath), first);
    EXPECT_EQ(readFileBytes(second), earlier);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System, QDir::Name),
              (QStringList{QStringLiteral("Kryptert_fil_Periode200906_RegNr4567_R10.txt"),
                           QStringLiteral("Kryptert_fil_Periode200906_RegNr4567_R20.txt"),
                           QStringLiteral("data.txt")}));
}

TEST_F(DataFileRunTest, LinesOfTheWrongLengthStopTheRun) {
    for (const int length : {44, 46}) {
        QString line = dataLine({});
        line = length == 44 ? line.left(44) : line + QLatin1Char('0');
        EXPECT_FALSE(save(writeDataFile({headerLine(), dataLine({}), QString(), line})));
        EXPECT_EQ(outputs.error,
                  QStringLiteral("Fila inneholdt en linje med %1 tegn, og programmet taklet ikke å lese det.")
                      .arg(length));
        EXPECT_TRUE(outputs.reports.empty()) << "nothing is saved when the run stops before saving";
    }
    // Surrounding blanks do not count.
    EXPECT_TRUE(save(writeDataFile({headerLine(), dataLine({}) + QStringLiteral("   \t")})));
}

TEST_F(DataFileRunTest, BadFirstLineUnknownReportAndBadFieldsStopTheRun) {
    EXPECT_FALSE(save(writeDataFile({headerLine("F", "12X"), dataLine({})})));
    EXPECT_EQ(outputs.error,
              QStringLiteral("Dette er ikke en gyldig rapport. Ugyldige verdier i første linje."));

    EXPECT_FALSE(save(writeDataFile({headerLine(), dataLine({.report = 12})})));
    EXPECT_EQ(outputs.error,
              QStringLiteral("Funksjonen \"TDataFileReports.GetReportIndex\" leter etter en index "
                             "for rapport nr 12, men kunne ikke finne det."));
    EXPECT_EQ(outputs.Dsnr, QStringLiteral("123"));

    QString badObject = dataLine({});
    badObject[17] = QLatin1Char('x');
    EXPECT_FALSE(save(writeDataFile({headerLine(), badObject})));
    EXPECT_EQ(outputs.error,
              QStringLiteral("Dette er ikke en gyldig rapport. Fant ugyldige verdier i den. (linje nr 2)"));
}

TEST_F(DataFileRunTest, ALineWithLeadingBlanksNamesItsLineNumber) {
    EXPECT_FALSE(
        save(writeDataFile({headerLine(), dataLine({}), QString(), QStringLiteral("  ") + dataLine({})})));
    EXPECT_EQ(outputs.error, QStringLiteral("Linje nr 4 i fila begynner ikke med et regnr programmet kjenner "
                                            "(\"  45\"). Linjen kan ikke ha blanke tegn foran regnr."));
}

namespace {

struct SentMail {
    QStringList info;
    QByteArray encrypted;
    QByteArray clearTextBlock;
};

class RecordingMailer : public ReportMailer {
  public:
    bool SendReportMail(const QStringList& info, const QByteArray& encrypted,
                        const QByteArray& clear) override {
        sent.push_back({info, encrypted, clear});
        const int n = static_cast<int>(sent.size());
        if (n == failAt) {
            throw Error(QStringLiteral("MAPI Error: (2) \"Generell feil\""));
        }
        return n != cancelAt;
    }
    std::vector<SentMail> sent;
    int cancelAt = 0;
    int failAt = 0;
};

}  // namespace

TEST_F(DataFileRunTest, SendModeMailsEveryReportAndListsItEvenWhenCancelled) {
    RecordingMailer mailer;
    mailer.cancelAt = 2;
    context.mailer = &mailer;
    const QString path =
        writeDataFile({headerLine(), dataLine({.regnr = 4567, .report = 20}),
                       dataLine({.regnr = 1234, .report = 10}), dataLine({.regnr = 4567, .report = 10})});
    EXPECT_FALSE(ProcessDataFile(path, DataFileMode::SendMails, outputs, context));
    EXPECT_EQ(handled(), (QStringList{"4567/R10 ok", "4567/R20 feilet", "1234/R10 ok"}));
    ASSERT_EQ(mailer.sent.size(), 3u);
    EXPECT_EQ(mailer.sent[0].info[4], QStringLiteral("4567"));
    EXPECT_EQ(mailer.sent[1].info[5], QStringLiteral("20"));
    EXPECT_EQ(mailer.sent[2].info[4], QStringLiteral("1234"));
    for (const SentMail& mail : mailer.sent) {
        EXPECT_EQ(mail.encrypted.left(mail.clearTextBlock.size()), mail.clearTextBlock);
        EXPECT_EQ(mail.clearTextBlock, BuildClearTextBlock(mail.info));
        const ParsedEnvelope envelope = ParseEncryptedReportText(mail.encrypted);
        EXPECT_EQ(envelope.info, mail.info);
        EXPECT_TRUE(BlowfishCipher().DecryptReportText(envelope.base64).endsWith("</DATA>\r\n</DVRAPPORT>"));
    }
}

TEST_F(DataFileRunTest, AMailErrorStopsTheRunAndKeepsWhatWasSent) {
    RecordingMailer mailer;
    mailer.failAt = 2;
    context.mailer = &mailer;
    const QString path = writeDataFile(
        {headerLine(), dataLine({.report = 10}), dataLine({.report = 20}), dataLine({.report = 50})});
    EXPECT_FALSE(ProcessDataFile(path, DataFileMode::SendMails, outputs, context));
    EXPECT_EQ(outputs.error, QStringLiteral("MAPI Error: (2) \"Generell feil\""));
    EXPECT_EQ(handled(), (QStringList{"4567/R10 ok", "4567/R20 feilet"}));
    EXPECT_EQ(mailer.sent.size(), 2u);
}
