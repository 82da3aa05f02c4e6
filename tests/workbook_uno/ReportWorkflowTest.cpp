#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include "app/SendHistory.h"
#include "app/TVeskReports.h"
#include "core/ReportCatalogue.h"
#include "support/CliRunner.h"
#include "support/CoreApplication.h"
#include "support/SampleTemplates.h"
#include "support/ScriptedPrompter.h"
#include "support/SmtpPeer.h"
#include "transmission/BlowfishCipher.h"
#include "transmission/EnvelopeParser.h"
#include "workbook/ColorIndex.h"
#include "workbook/uno/UnoEngine.h"
#include "workbook_uno/LibreOfficeFixture.h"

namespace telvainn {
namespace {

using excel::CellValue;

excel::Application& office() {
    return excel::testing::keptOffice("workflow");
}

const QByteArray kExpectedObjects =
    "<OBJEKT text=\"Kontanter\" tillegg=\"000\" objektid=\"1010000\" sektor=\"000\" naering=\"000\" "
    "land=\"0000\" "
    "valuta=\"01\" verdi=\"1500\" />\r\n"
    "<OBJEKT text=\"Utl\xe5n\" tillegg=\"000\" objektid=\"2511234\" sektor=\"600\" naering=\"011\" "
    "land=\"0000\" "
    "valuta=\"02\" verdi=\"2500\" />\r\n"
    "<OBJEKT text=\"Tom &amp; Jerry&apos;s &lt;&quot;AS&quot;&gt;\" tillegg=\"000\" objektid=\"6001234\" "
    "sektor=\"110\" naering=\"000\" land=\"0000\" valuta=\"01\" verdi=\"4000\" />\r\n";

// The XML document of the filled report, its time stamp aside.
QByteArray withoutTimeStamp(QByteArray document) {
    static const QRegularExpression stamp(QStringLiteral("TIDSSTEMPEL=\"007-1234-[0-9]{17}\""));
    QString text = QString::fromLatin1(document);
    EXPECT_TRUE(stamp.match(text).hasMatch()) << document.toStdString();
    return text.replace(stamp, QStringLiteral("TIDSSTEMPEL=\"...\"")).toLatin1();
}

const QByteArray kExpectedDocument =
    "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<DVRAPPORT \r\n DSNR=\"7\" \r\n REGNR=\"1234\" \r\n "
    "RAPPORTID=\"10\" \r\n RAPPORTVERSJON=\"EXCEL\" \r\n PERIODE=\"200812\" \r\n TYPE=\"N\" \r\n "
    "PROGRAMVERSJON=\"3.0.5\" \r\n TIDSSTEMPEL=\"...\" >\r\n<DATA>\r\n" +
    kExpectedObjects + "</DATA>\r\n</DVRAPPORT>";

// A report's road through telvainn-cli and the office: made, filled by the user, validated, turned into
// files and mailed.
class ReportWorkflowTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(testsupport::copySampleTemplates(cli.home.path()));
        cli.configure("[KONFIGURASJON]\r\nDSNR=7\r\nREGNR=1234\r\n");
    }

    QString file(const QString& name) const { return cli.home.filePath(name); }

    // Norwegian number settings for the command, as a user here has them.
    CliRun run(const QStringList& args) const {
        QProcessEnvironment env;
        env.insert(QStringLiteral("LC_ALL"), QStringLiteral("nb_NO.UTF-8"));
        return cli.run(args, env);
    }

    // What the user does in Calc: fills cells and saves.
    void fill(const QString& path, const std::function<void(excel::Worksheet&)>& edit) {
        const auto workbook = office().Open(path);
        const auto sheet = workbook->ActiveSheet();
        sheet->Unprotect();
        edit(*sheet);
        workbook->Save();
        workbook->Close();
    }

    static void setRow(excel::Worksheet& sheet, int row, const QString& text, double objektid, double sektor,
                       double naering, double valuta, double verdi) {
        sheet.WriteBlock(row, 1,
                         {{CellValue(text), CellValue(objektid), CellValue(), CellValue(sektor),
                           CellValue(naering), CellValue(valuta), CellValue(verdi)}});
    }

    static QByteArray decrypted(const QByteArray& envelope, QStringList* info = nullptr) {
        const ParsedEnvelope parsed = ParseEncryptedReportText(envelope);
        if (info != nullptr) {
            *info = parsed.info;
        }
        return BlowfishCipher().DecryptReportText(parsed.base64);
    }

    CliRunner cli;
};

TEST_F(ReportWorkflowTest, AReportIsMadeFilledValidatedSavedAndMailedAsTheAgencyExpects) {
    const CliRun made =
        run({QStringLiteral("ny"), QStringLiteral("--rapport"), QStringLiteral("10"),
             QStringLiteral("--periode"), QStringLiteral("200812"), file(QStringLiteral("R10"))});
    ASSERT_EQ(made.exitCode, 0) << made.err.toStdString();
    const QString report = file(QStringLiteral("R10.xls"));
    EXPECT_EQ(made.out, QStringLiteral("Starter ny rapport\nFilnavn:    %1\nDsnr:       7\nRegnr:      1234\n"
                                       "Rapportnr:  10\nPeriode:    200812\nRapportmal: 25.02.2009\n")
                            .arg(report));

    fill(report, [](excel::Worksheet& sheet) {
        setRow(sheet, 11, QStringLiteral("Kontanter"), 1010000, 0, 0, 1, 1500);
        setRow(sheet, 12, QStringLiteral("Utlån"), 2511234, 600, 11, 2, 2500);
        setRow(sheet, 13, QStringLiteral("Tom & Jerry's <\"AS\">"), 6001234, 110, 0, 1, 4000);
        setRow(sheet, 14, QStringLiteral("Feil sektor"), 1010000, 310, 0, 1, 0);
    });
    const CliRun faulty = run({QStringLiteral("valider"), report, QStringLiteral("--lagre")});
    EXPECT_EQ(faulty.exitCode, 1) << faulty.err.toStdString();
    EXPECT_EQ(faulty.out,
              QStringLiteral("Valideringsrapport nr. 1:\nFeil i rad (14) : Sektor \nAntall feillinjer: 1\n"
                             "Sum aktiva       : 4_000\nSum passiva      : 4_000\n"
                             "------------------------------------\nValidering nr. 1 er ferdig.\n"
                             "Radene fra og med 11 til og med 14\ndanner grunnlaget for valideringen.\n")
                  .replace(QLatin1Char('_'), QChar(0x00A0)));
    {
        const auto saved = office().Open(report);
        const auto sheet = saved->ActiveSheet();
        EXPECT_EQ(sheet->Cells(14, 4)->ColorIndex(), excel::kColorIndexRed) << "the colours are saved";
        EXPECT_EQ(sheet->Cells(14, 2)->ColorIndex(), sheet->Cells(12, 12)->ColorIndex());
        EXPECT_EQ(sheet->Cell(5, 7), CellValue(0.0)) << "the sum block is saved";
        saved->Close();
    }

    fill(report, [](excel::Worksheet& sheet) {
        sheet.WriteBlock(
            14, 1,
            {{CellValue(), CellValue(), CellValue(), CellValue(), CellValue(), CellValue(), CellValue()}});
    });
    const CliRun clean = run({QStringLiteral("valider"), report});
    EXPECT_EQ(clean.exitCode, 0) << clean.out.toStdString();

    const CliRun encrypted = run({QStringLiteral("krypter"), report});
    ASSERT_EQ(encrypted.exitCode, 0) << encrypted.err.toStdString();
    EXPECT_EQ(encrypted.out, file(QStringLiteral("R10.txt")) + QLatin1Char('\n'));
    QStringList info;
    const QByteArray envelope = cli.read(QStringLiteral("R10.txt"));
    EXPECT_TRUE(envelope.endsWith("---------SLUTT------------> \r\n"));
    EXPECT_EQ(withoutTimeStamp(decrypted(envelope, &info)), kExpectedDocument);
    EXPECT_EQ(info, (QStringList{"7", "N", "200812", "3.0.5", "1234", "10", "Annet", "25.02.2009"}));

    const CliRun dataFile = run(
        {QStringLiteral("lag-datafil"), report, QStringLiteral("--ut"), file(QStringLiteral("data.txt"))});
    ASSERT_EQ(dataFile.exitCode, 0) << dataFile.err.toStdString();
    EXPECT_EQ(cli.read(QStringLiteral("data.txt")),
              "F0072008120000031000000000000000\r\n"
              "123410200812000101000000000000000100000001500\r\n"
              "123410200812000251123460001100000200000002500\r\n"
              "123410200812000600123411000000000100000004000\r\n");

    SmtpPeer peer(SmtpPeer::Options{});
    ASSERT_TRUE(peer.ready()) << peer.error().toStdString();
    cli.configure(
        "[KONFIGURASJON]\r\nDSNR=7\r\nREGNR=1234\r\n[EPOST]\r\nSYSTEM=Annet\r\nTRANSPORT=SMTP\r\n"
        "SMTP_SERVER=127.0.0.1\r\nSMTP_PORT=" +
        QByteArray::number(peer.port("plain")) + "\r\nSMTP_SIKKERHET=INGEN\r\nAVSENDER=ola@firma.no\r\n");
    const CliRun sent = run({QStringLiteral("send"), report, QStringLiteral("--ja")});
    ASSERT_EQ(sent.exitCode, 0) << sent.err.toStdString();
    EXPECT_EQ(
        sent.out,
        QStringLiteral("Rapporten ble sendt. Du vil motta en kvittering når den er lest hos Dalvora.\n"));
    const auto mails = peer.mails();
    ASSERT_EQ(mails.size(), 1u);
    EXPECT_EQ(mails[0].rcptTos, QStringList{QStringLiteral("telva@dalvora.no")});
    EXPECT_EQ(mails[0].subject, QStringLiteral("Telva - 7/1234 R10 N 200812 ver.3.0.5 mail:Annet"));
    ASSERT_FALSE(mails[0].parts.empty());
    EXPECT_EQ(withoutTimeStamp(decrypted(mails[0].parts[0].payload)), kExpectedDocument);

    // The history has the mail; the same report goes again only when asked to.
    ensureCoreApplication();
    const QList<HistoryRecord> records = SendHistory(cli.home.path()).list({});
    ASSERT_FALSE(records.isEmpty());
    EXPECT_EQ(records[0].entry.kind, HistoryKind::Mail);
    EXPECT_EQ(records[0].outcome, HistoryOutcome::Sent);
    EXPECT_EQ(records[0].entry.identity.Periode, QStringLiteral("200812"));
    const CliRun repeated = run({QStringLiteral("send"), report, QStringLiteral("--ja")});
    EXPECT_EQ(repeated.exitCode, 1);
    EXPECT_EQ(
        repeated.err.section(QLatin1Char('\n'), -3),
        QStringLiteral("Rapport R10 for periode 200812 ble sendt %1. Vil du sende den igjen?\nIngenting "
                       "sendes igjen uten --send-igjen.\n")
            .arg(records[0].localTime.toString(QStringLiteral("dd.MM.yyyy 'kl.' HH:mm"))));

    // Nothing is written over the workbook itself, and a row whose amount Calc cannot work out stops
    // the send instead of leaving the row out.
    const CliRun overItself = run({QStringLiteral("krypter"), report, QStringLiteral("--ut"), report});
    EXPECT_EQ(overItself.exitCode, 1);
    EXPECT_EQ(overItself.err,
              QStringLiteral("Klarte ikke å lagre rapporten:\nFila \"") + report +
                  QStringLiteral("\" er selve rapporten og kan ikke lagres over. Velg et annet "
                                 "filnavn.\n"));
    fill(report, [](excel::Worksheet& sheet) {
        setRow(sheet, 15, QStringLiteral("Utlån"), 2521000, 600, 11, 1, 0);
        dynamic_cast<excel::uno::UnoWorksheet&>(sheet).SetFormula(15, 7, QStringLiteral("=G11/G14"));
    });
    const CliRun refused =
        run({QStringLiteral("send"), report, QStringLiteral("--ja"), QStringLiteral("--send-igjen")});
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_TRUE(refused.err.endsWith(QStringLiteral(
        "\nKunne ikke sende rapporten:\n-> Klarte ikke formatere rapportens rad nr 15 -> Fant "
        "en feilverdi (#DIV/0!) som programmet ikke kan bruke. Valider på nytt! (celle G15)\n\n"
        "Hvis du ikke finner ut hvordan du kan løse problemet, kan du forsøke å lagre\nrapporten "
        "som kryptert fil, og sende den krypterte filen manuelt.\n\nDu vil få en veiledning "
        "på hvordan du gjør det når du velger å lagre\nrapporten som kryptert fil.\n")))
        << refused.err.toStdString();
    EXPECT_EQ(peer.mails().size(), 1u) << "nothing more was sent";
}

TEST_F(ReportWorkflowTest, OlderAndCorrectionWorkbooksAreValidatedAgainstTheCurrentTemplates) {
    for (const QString& name : {QStringLiteral("gammel-r11.xls"), QStringLiteral("gammel-r20.xls"),
                                QStringLiteral("korreksjon-r10.xls"), QStringLiteral("korreksjon-r11.xls")}) {
        SCOPED_TRACE(name.toStdString());
        const CliRun validated =
            run({QStringLiteral("valider"), QStringLiteral(TELVAINN_TESTDATA_DIR "/") + name});
        EXPECT_EQ(validated.exitCode, 0) << validated.out.toStdString() << validated.err.toStdString();
        EXPECT_TRUE(validated.out.contains(QStringLiteral("Antall feillinjer: 0\n")));
    }
    const CliRun dataFile =
        run({QStringLiteral("lag-datafil"), QStringLiteral(TELVAINN_TESTDATA_DIR "/korreksjon-r11.xls"),
             QStringLiteral("--ut"), file(QStringLiteral("k11.txt"))});
    ASSERT_EQ(dataFile.exitCode, 0) << dataFile.err.toStdString();
    EXPECT_TRUE(cli.read(QStringLiteral("k11.txt")).startsWith("K0072008120000041100000000000000\r\n"))
        << "a correction form keeps the configured Dsnr";
}

TEST_F(ReportWorkflowTest, ReportThirtyFiveIsNotValidated) {
    ASSERT_EQ(run({QStringLiteral("ny"), QStringLiteral("--rapport"), QStringLiteral("35"),
                   QStringLiteral("--periode"), QStringLiteral("200812"), file(QStringLiteral("R35.xls"))})
                  .exitCode,
              0);
    const CliRun validated = run({QStringLiteral("valider"), file(QStringLiteral("R35.xls"))});
    EXPECT_EQ(validated.exitCode, 0);
    EXPECT_EQ(validated.out,
              QStringLiteral("Rapport 35 blir ikke validert.\nDu kan sende den slik den er.\n"));
}

TEST_F(ReportWorkflowTest, TheUserClosingTheWorkbookInCalcDropsTheReport) {
    TSettings settings;
    settings.Dsnr = 7;
    settings.Regnr = 1234;
    ScriptedPrompter prompter;
    TVeskReports reports(excel::uno::makeLibreOfficeApplication(excel::testing::testOfficeOptions()),
                         settings, RunMode{}, Locale::fromEnvironment(), prompter, cli.home.path());
    int closedCalls = 0;
    reports.SetReportClosedHandler([&] {
        ++closedCalls;
        EXPECT_EQ(reports.CurrentReport(), nullptr);
    });
    const QString path = file(QStringLiteral("R60.xls"));
    reports.NewReport(60, QStringLiteral("200812"), path, QStringLiteral("N"));
    ASSERT_EQ(excel::testing::closeAsUser(reports.excel(), path, QStringLiteral("close")), 0);
    const auto deadline = std::chrono::steady_clock::now() + std::chrono::seconds(30);
    while (closedCalls == 0 && std::chrono::steady_clock::now() < deadline) {
        reports.excel().DeliverNotifications(std::chrono::milliseconds(1000));  // returns once one ran
    }
    EXPECT_EQ(closedCalls, 1);
    EXPECT_EQ(reports.CurrentReport(), nullptr);
    EXPECT_EQ(reports.excel().WorkbookCount(), 0);
}

}  // namespace
}  // namespace telvainn

namespace telvainn {
namespace {

TEST(ReportCommandUse, WrongArgumentsAreRefusedBeforeTheOfficeStarts) {
    CliRunner cli;
    const CliRun missing = cli.run({QStringLiteral("ny"), QStringLiteral("--periode"),
                                    QStringLiteral("200812"), QStringLiteral("R.xls")});
    EXPECT_EQ(missing.exitCode, 2);
    EXPECT_TRUE(missing.err.startsWith(QStringLiteral("Oppgi --rapport, --periode og nøyaktig én fil.\n")));
    const CliRun number =
        cli.run({QStringLiteral("ny"), QStringLiteral("--rapport"), QStringLiteral("12"),
                 QStringLiteral("--periode"), QStringLiteral("200812"), QStringLiteral("R.xls")});
    EXPECT_EQ(number.exitCode, 2);
    EXPECT_EQ(number.err,
              QStringLiteral(
                  "\"12\" er ikke et normalt rapport nr. Programmet kan dermed ikke behandle rapporten.\n"));
    const CliRun period =
        cli.run({QStringLiteral("ny"), QStringLiteral("--rapport"), QStringLiteral("10"),
                 QStringLiteral("--periode"), QStringLiteral("20081"), QStringLiteral("R.xls")});
    EXPECT_EQ(period.exitCode, 2);
    EXPECT_EQ(
        period.err,
        QStringLiteral("\"Periode\" har feil format Tast inn periode på nytt med formatet \"ååååmm\".\n"));
    EXPECT_FALSE(QFile::exists(cli.home.filePath(QStringLiteral("R.xls"))));
    const CliRun notAWorkbook =
        cli.run({QStringLiteral("valider"), cli.home.filePath(QStringLiteral("mangler.xls"))});
    EXPECT_EQ(notAWorkbook.exitCode, 2) << "nothing could be validated";
}

}  // namespace
}  // namespace telvainn
