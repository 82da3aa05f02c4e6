#include "app/TVeskReports.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include <unistd.h>

#include "app/FlatFileCommands.h"
#include "app/ReportCommands.h"
#include "core/Error.h"
#include "core/ReportCatalogue.h"
#include "support/DataLines.h"
#include "support/FileSizeLimit.h"
#include "support/MemoryProgramFolder.h"
#include "support/ScriptedPrompter.h"
#include "transmission/BlowfishCipher.h"
#include "transmission/EnvelopeParser.h"
#include "workbook/memory/MemoryApplication.h"

using namespace telvainn;

namespace {

const QByteArray kClearTextBlock =
    "==============================================================\r\n"
    "Informasjon om rapporten i klartekst: \r\n"
    "==============================================================\r\n"
    "Dsnr:             7\r\n"
    "Regnr:            123\r\n"
    "Rapportnr:        10\r\n"
    "Rapportversjon:   25.02.2009\r\n"
    "Rapporttype:      N\r\n"
    "Periode:          200906\r\n"
    "Programversjon:   3.0.5\r\n"
    "E-post system:    Annet\r\n"
    "\r\n";

class RecordingMailer : public ReportMailer {
  public:
    bool SendReportMail(const QStringList& informationList, const QByteArray& encryptedReportText,
                        const QByteArray& clearTextBlock) override {
        info = informationList;
        envelope = encryptedReportText;
        clearText = clearTextBlock;
        if (!failure.isEmpty()) {
            throw Error(failure);
        }
        return accept;
    }

    bool accept = true;
    QString failure;
    QStringList info;
    QByteArray envelope;
    QByteArray clearText;
};

class TVeskReportsTest : public ::testing::Test {
  protected:
    TVeskReportsTest() {
        reports.setClock([] { return QDateTime(QDate(2009, 7, 3), QTime(14, 5, 9, 42)); });
    }

    static TSettings configured() {
        TSettings settings;
        settings.Dsnr = 7;
        settings.Regnr = 123;
        return settings;
    }
    static Locale norwegian() {
        Locale locale;
        locale.decimalSeparator = QLatin1Char(',');
        return locale;
    }
    QString path(const QString& name) const { return dir.filePath(name); }
    QByteArray fileBytes(const QString& file) {
        QFile in(file);
        EXPECT_TRUE(in.open(QIODevice::ReadOnly)) << file.toStdString();
        return in.readAll();
    }
    // A new report 10 with one data row, as the user leaves it before saving or sending.
    TVeskReport& filledReport() {
        TVeskReport& report =
            reports.NewReport(10, QStringLiteral("200906"), path("Q1.xls"), QStringLiteral("N"));
        excel::Worksheet& sheet = report.reportSheet();
        sheet.SetCell(11, 1, QStringLiteral("Innskudd, Østlandet"));
        sheet.SetCell(11, 2, 6001234.0);
        sheet.SetCell(11, 4, 810.0);
        sheet.SetCell(11, 6, 1.0);
        sheet.SetCell(11, 7, -250.75);
        return report;
    }

    QTemporaryDir dir;
    TSettings settings = configured();
    ScriptedPrompter prompter;
    std::unique_ptr<excel::memory::Application> ownedApp = std::make_unique<excel::memory::Application>();
    excel::memory::Application& app = *ownedApp;
    TVeskReports reports{std::move(ownedApp), settings, RunMode{},
                         norwegian(),         prompter, testsupport::memoryProgramFolder()};
};

// Reports

TEST_F(TVeskReportsTest, NewAndOpenedReportsReplaceTheCurrentOne) {
    TVeskReport& first = reports.NewReport(10, QStringLiteral("200906"), path("Q1.xls"), QStringLiteral("N"));
    EXPECT_EQ(reports.CurrentReport(), &first);
    EXPECT_EQ(first.Dsnr(), 7);
    EXPECT_EQ(first.Regnr(), 123);

    TVeskReport& second =
        reports.NewReport(20, QStringLiteral("200812"), path("Q2.xls"), QStringLiteral("N"));
    EXPECT_EQ(reports.CurrentReport(), &second);
    EXPECT_EQ(app.WorkbookCount(), 2);  // Q2.xls and its template

    TVeskReport& opened = reports.OpenReport(path("Q1.xls"));
    EXPECT_EQ(reports.CurrentReport(), &opened);
    EXPECT_EQ(opened.Rapportnr(), 10);
    EXPECT_EQ(app.WorkbookCount(), 2);
}

TEST_F(TVeskReportsTest, AFailedNewReportLeavesNoReport) {
    reports.NewReport(10, QStringLiteral("200906"), path("Q1.xls"), QStringLiteral("N"));
    try {
        reports.NewReport(12, QStringLiteral("200906"), path("Q2.xls"), QStringLiteral("N"));
        ADD_FAILURE() << "created";
    } catch (const Error& error) {
        EXPECT_EQ(
            error.message(),
            QStringLiteral(
                "\"12\" er ikke et normalt rapport nr. Programmet kan dermed ikke behandle rapporten."));
    }
    EXPECT_EQ(reports.CurrentReport(), nullptr);
    EXPECT_EQ(app.WorkbookCount(), 0);
}

TEST_F(TVeskReportsTest, TheUserClosingTheReportHidesTheSpreadsheetWhenNothingIsLeft) {
    for (const bool withHandler : {true, false}) {
        int calls = 0;
        reports.SetReportClosedHandler(withHandler ? std::function<void()>([&] {
            ++calls;
            EXPECT_EQ(reports.CurrentReport(), nullptr);
        })
                                                   : std::function<void()>());
        reports.NewReport(10, QStringLiteral("200906"), path("Q1.xls"), QStringLiteral("N"));
        app.SetDisplayAlerts(true);
        app.UserCloses(QStringLiteral("Q1.xls"));
        app.DeliverNotifications();
        EXPECT_EQ(calls, withHandler ? 1 : 0);
        EXPECT_EQ(reports.CurrentReport(), nullptr);
        EXPECT_EQ(app.WorkbookCount(), 0);
        EXPECT_FALSE(app.Visible()) << "handler " << withHandler;
        EXPECT_FALSE(app.DisplayAlerts()) << "handler " << withHandler;
    }
}

// Saving, sending and data files

TEST_F(TVeskReportsTest, TheSavedEnvelopeDecryptsToTheTrimmedXmlDocument) {
    TVeskReport& report = filledReport();
    ASSERT_TRUE(reports.SaveEncryptedReport(report, path("Q1.enc"))) << reports.LastError.toStdString();

    const QByteArray saved = fileBytes(path("Q1.enc"));
    EXPECT_TRUE(saved.startsWith(kClearTextBlock + "<--------START-------------"));
    EXPECT_TRUE(saved.endsWith("\r\n---------SLUTT------------> \r\n"));
    const ParsedEnvelope envelope = ParseEncryptedReportText(saved);
    QString document = report.BuildXmlDocument(QDateTime(QDate(2009, 7, 3), QTime(14, 5, 9, 42)));
    ASSERT_TRUE(document.endsWith(QStringLiteral("</DVRAPPORT>\r\n")));
    document.chop(2);
    EXPECT_EQ(BlowfishCipher().DecryptReportText(envelope.base64), document.toLatin1());
}

TEST_F(TVeskReportsTest, AFailedSaveLeavesNoFile) {
    TVeskReport& report =
        reports.NewReport(10, QStringLiteral("200906"), path("Q1.xls"), QStringLiteral("N"));
    EXPECT_FALSE(reports.SaveEncryptedReport(report, path("Q1.enc")));
    EXPECT_EQ(reports.LastError, QStringLiteral("Rapporten inneholder ingen data linjer"));
    EXPECT_FALSE(QFile::exists(path("Q1.enc")));

    filledReport();
    const QString missingFolder = path("mangler/Q1.enc");
    EXPECT_FALSE(reports.SaveEncryptedReport(*reports.CurrentReport(), missingFolder));
    EXPECT_EQ(reports.LastError, QStringLiteral("Klarte ikke å skrive fila \"") + missingFolder +
                                     QStringLiteral("\": No such file or directory"));
    EXPECT_FALSE(QFile::exists(missingFolder));
}

// Whatever the spelling, an output never replaces the workbook it is made from.
TEST_F(TVeskReportsTest, NoOutputIsWrittenOverItsOwnWorkbook) {
    TVeskReport& report = filledReport();
    const QByteArray workbook = fileBytes(path("Q1.xls"));
    ASSERT_TRUE(QFile::link(path("Q1.xls"), path("lenke.xls")));
    ASSERT_EQ(::link(QFile::encodeName(path("Q1.xls")).constData(),
                     QFile::encodeName(path("hard.txt")).constData()),
              0);
    const QString roundabout =
        dir.path() + QStringLiteral("/../") + QDir(dir.path()).dirName() + QStringLiteral("/./Q1.xls");
    for (const QString& target : {path("Q1.xls"), roundabout, path("lenke.xls"), path("hard.txt")}) {
        const QString refusal =
            QStringLiteral("Fila \"") + target +
            QStringLiteral("\" er selve rapporten og kan ikke lagres over. Velg et annet filnavn.");
        EXPECT_FALSE(reports.SaveEncryptedReport(report, target));
        EXPECT_EQ(reports.LastError, refusal);
        EXPECT_FALSE(reports.WriteDataFile(report, target));
        EXPECT_EQ(reports.LastError, refusal);
    }
    EXPECT_EQ(fileBytes(path("Q1.xls")), workbook);
    EXPECT_TRUE(reports.WriteDataFile(report, path("Q1.txt"))) << reports.LastError.toStdString();
}

TEST_F(TVeskReportsTest, ADiskFullInTheMiddleOfASaveNamesTheFileAndKeepsEveryEarlierFile) {
    TVeskReport& report = filledReport();
    ASSERT_TRUE(reports.SaveEncryptedReport(report, path("Q1.enc"))) << reports.LastError.toStdString();
    const QByteArray first = fileBytes(path("Q1.enc"));
    const QByteArray earlier = "fra en tidligere lagring\r\n";
    {
        QFile file(path("Q2.enc"));
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(earlier);
    }
    const QStringList before = QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System);

    bool saved = true;
    {
        const FileSizeLimit diskFull(static_cast<rlim_t>(first.size() / 2));
        saved = reports.SaveEncryptedReport(report, path("Q2.enc"));
    }
    EXPECT_FALSE(saved);
    EXPECT_EQ(reports.LastError,
              QStringLiteral("Klarte ikke å skrive fila \"%1\": File too large").arg(path("Q2.enc")));
    EXPECT_EQ(fileBytes(path("Q2.enc")), earlier);
    EXPECT_EQ(fileBytes(path("Q1.enc")), first);
    EXPECT_EQ(QDir(dir.path()).entryList(QDir::Files | QDir::Hidden | QDir::System), before);
}

TEST_F(TVeskReportsTest, SendingHandsTheMailerWhatASaveWrites) {
    TVeskReport& report = filledReport();
    ASSERT_TRUE(reports.SaveEncryptedReport(report, path("Q1.enc")));
    RecordingMailer mailer;
    EXPECT_TRUE(reports.SendReport(report, mailer));
    EXPECT_EQ(mailer.info, report.InformationList(QStringLiteral("Annet")));
    EXPECT_EQ(mailer.envelope + "\r\n", fileBytes(path("Q1.enc")));
    EXPECT_EQ(mailer.clearText, kClearTextBlock);
}

TEST_F(TVeskReportsTest, ACancelledMailKeepsLastErrorAndAFailedOneSetsIt) {
    TVeskReport& report = filledReport();
    RecordingMailer mailer;
    reports.LastError = QStringLiteral("forrige feil");
    mailer.accept = false;
    EXPECT_FALSE(reports.SendReport(report, mailer));
    EXPECT_EQ(reports.LastError, QStringLiteral("forrige feil"));

    mailer.failure = QStringLiteral("MAPI Error: (2) \"Ukjent feil\"");
    EXPECT_FALSE(reports.SendReport(report, mailer));
    EXPECT_EQ(reports.LastError, mailer.failure);
}

TEST_F(TVeskReportsTest, TheDataFileHoldsTheDataLinesAndOneLineEnd) {
    TVeskReport& report = filledReport();
    ASSERT_TRUE(reports.WriteDataFile(report, path("Q1.txt"))) << reports.LastError.toStdString();
    EXPECT_EQ(fileBytes(path("Q1.txt")), QByteArray("F"
                                                    "007"
                                                    "200906"
                                                    "000001"
                                                    "10"
                                                    "00000000000000\r\n"
                                                    "0123"
                                                    "10"
                                                    "200906"
                                                    "000"
                                                    "6001234"
                                                    "810"
                                                    "000"
                                                    "0000"
                                                    "01"
                                                    "1"
                                                    "0000000251\r\n"));
}

}  // namespace

// The commands' outcomes, as both programs tell them

TEST_F(TVeskReportsTest, ASendTellsItsOutcomeWithoutAnEarlierReason) {
    TVeskReport& report = filledReport();
    RecordingMailer mailer;
    const ReportResult sent = SendOpenReport(reports, report, mailer, QStringLiteral("Dalvora"));
    EXPECT_EQ(sent.outcome, ReportResult::Done);
    EXPECT_EQ(sent.message,
              QStringLiteral("Rapporten ble sendt. Du vil motta en kvittering når den er lest hos Dalvora."));
    EXPECT_EQ(sent.recipient, QStringLiteral("Dalvora"));

    reports.LastError = QStringLiteral("forrige feil");
    mailer.accept = false;
    const ReportResult cancelled = SendOpenReport(reports, report, mailer, QStringLiteral("Dalvora"));
    EXPECT_EQ(cancelled.outcome, ReportResult::Cancelled);
    EXPECT_EQ(cancelled.message, kCancelledByUserMessage);

    mailer.failure = QStringLiteral("MAPI Error: (2) \"Ukjent feil\"");
    const ReportResult failed = SendOpenReport(reports, report, mailer, QStringLiteral("Dalvora"));
    EXPECT_EQ(failed.outcome, ReportResult::Failed);
    EXPECT_EQ(
        failed.message,
        QStringLiteral("Kunne ikke sende rapporten:\r\n-> MAPI Error: (2) \"Ukjent feil\"\r\n\r\n"
                       "Hvis du ikke finner ut hvordan du kan løse problemet, kan du forsøke å lagre\r\n"
                       "rapporten som kryptert fil, og sende den krypterte filen manuelt.\r\n\r\n"
                       "Du vil få en veiledning på hvordan du gjør det når du velger å lagre\r\n"
                       "rapporten som kryptert fil."));
}

TEST_F(TVeskReportsTest, ASaveOrADataFileNamesItsFileOrWhyItFailed) {
    TVeskReport& report = filledReport();
    for (const auto write : {&SaveReportEncrypted, &WriteReportDataFile}) {
        const ReportResult failed = write(reports, report, path("Q1.xls"));
        EXPECT_EQ(failed.outcome, ReportResult::Failed);
        EXPECT_EQ(failed.message, QStringLiteral("Klarte ikke å lagre rapporten:\r\nFila \"") +
                                      path("Q1.xls") +
                                      QStringLiteral("\" er selve rapporten og kan ikke lagres over. Velg et "
                                                     "annet filnavn."));

        const ReportResult written = write(reports, report, path("Q1.txt"));
        EXPECT_TRUE(written.done());
        EXPECT_EQ(written.message, QString());
        EXPECT_EQ(written.path, path("Q1.txt"));
        EXPECT_TRUE(QFile::remove(path("Q1.txt")));
    }
}

TEST_F(TVeskReportsTest, OnlyTheReportsTheCatalogueLeavesUnvalidatedSkipValidation) {
    for (const int number : kReportNumbers) {
        const std::optional<UnvalidatedReport> skipped = WithoutValidation(number);
        EXPECT_EQ(skipped.has_value(), number == 35) << number;
    }
    EXPECT_FALSE(WithoutValidation(12).has_value());
    const std::optional<UnvalidatedReport> skipped = WithoutValidation(35);
    ASSERT_TRUE(skipped);
    EXPECT_EQ(skipped->message, QStringLiteral("Rapport 35 blir ikke validert, og kan sendes slik den er."));
    EXPECT_EQ(skipped->logLines, (QStringList{QStringLiteral("Rapport 35 blir ikke validert."),
                                              QStringLiteral("Du kan sende den slik den er.")}));
}

// The template version

TEST_F(TVeskReportsTest, TheValidatorMadeLastDecidesTheTemplateVersionOfTheReports) {
    TVeskReport& first = reports.NewReport(10, QStringLiteral("200906"), path("Q1.xls"), QStringLiteral("N"));
    EXPECT_TRUE(first.logLines().contains(QStringLiteral("Rapportmal: 25.02.2009")));
    EXPECT_EQ(first.InformationList(QStringLiteral("Annet")).at(7), QStringLiteral("25.02.2009"));

    TVeskReport& second =
        reports.NewReport(20, QStringLiteral("200812"), path("Q2.xls"), QStringLiteral("N"));
    EXPECT_TRUE(second.logLines().contains(QStringLiteral("Rapportmal: 01.12.2008")));
    EXPECT_EQ(second.InformationList(QStringLiteral("Annet")).at(7), QStringLiteral("01.12.2008"));
    EXPECT_EQ(reports.templateVersion().text(), QStringLiteral("01.12.2008"));

    TVeskReport& reopened = reports.OpenReport(path("Q1.xls"));
    EXPECT_EQ(reopened.InformationList(QStringLiteral("Annet")).at(7), QStringLiteral("25.02.2009"));
}

TEST_F(TVeskReportsTest, AReportSentAfterAFlatFileRunCarriesTheZeroTheRunLeft) {
    TVeskReport& report = filledReport();
    const QString dataFile = path("data.txt");
    {
        QFile file(dataFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(testdata::fileText({testdata::headerLine("F", "007"), testdata::dataLine({})}).toLatin1());
    }
    const SaveDataFileResult saved = SaveDataFileEncrypted(dataFile, path("Filnavn"), settings, RunMode{},
                                                           norwegian(), prompter, reports.templateVersion());
    ASSERT_TRUE(saved.ok) << saved.message.toStdString();
    EXPECT_TRUE(fileBytes(saved.outputs.reports.at(0).path).contains("\r\nRapportversjon:   FLATFIL\r\n"));

    RecordingMailer mailer;
    ASSERT_TRUE(reports.SendReport(report, mailer)) << reports.LastError.toStdString();
    EXPECT_EQ(mailer.info.at(7), QStringLiteral("0"));
    EXPECT_TRUE(mailer.clearText.contains("\r\nRapportversjon:   0\r\n"));
}
