#include "app/DataFileSending.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/TemplateVersion.h"
#include "support/DataLines.h"
#include "support/RecordingMailTransport.h"
#include "support/ScriptedPrompter.h"
#include "transmission/BlowfishCipher.h"
#include "transmission/EnvelopeParser.h"
#include "transmission/ReportMailDispatcher.h"

using namespace telvainn;
using testdata::dataLine;
using testdata::headerLine;

namespace {

class DataFileSendingTest : public ::testing::Test {
  protected:
    DataFileSendingTest() {
        settings.Dsnr = 123;
        settings.Regnr = 4567;
        settings.EmailSystem = QStringLiteral("Microsoft Outlook/Exchange");
        settings.RecipientName = QStringLiteral("Dalvora");
        settings.RecipientAddress = QStringLiteral("telva@dalvora.no");
        locale = Locale::from(QLocale(QLocale::NorwegianBokmal, QLocale::Norway));
    }

    // Three reports of two companies: 4567 R10 and R20, then 1234 R10.
    QString threeReports() {
        const QString path = dir.filePath(QStringLiteral("data.txt"));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(testdata::fileText({headerLine(), dataLine({.regnr = 4567, .report = 20}),
                                       dataLine({.regnr = 1234, .report = 10}),
                                       dataLine({.regnr = 4567, .report = 10})})
                       .toLatin1());
        return path;
    }

    SendDataFileResult send(const QString& path, ScriptedPrompter& prompter, RunMode mode = {}) {
        ReportMailDispatcher mailer(settings, mode.test, transport);
        return SendDataFileByMail(path, settings, mode, locale, prompter, mailer, version);
    }

    // Regnr and report number of every mail the run tried, and whether it was taken.
    static QStringList handled(const SendDataFileResult& result) {
        QStringList reports;
        for (const DataFileReportResult& report : result.outputs.reports) {
            reports.append(QStringLiteral("%1/R%2 %3")
                               .arg(report.Regnr, report.reportNumber, report.done ? "ok" : "feilet"));
        }
        return reports;
    }

    QStringList sentReports() const {
        QStringList reports;
        for (const RecordingMailTransport::Sent& mail : transport.mails) {
            reports.append(mail.request.subject.section(QLatin1Char(' '), 2, 3));
        }
        return reports;
    }

    QTemporaryDir dir;
    TSettings settings;
    Locale locale;
    RecordingMailTransport transport;
    TemplateVersion version;
};

}  // namespace

TEST(ReportListText, CommasAndOgBetweenTheReports) {
    EXPECT_EQ(reportListText({}), QString());
    EXPECT_EQ(reportListText({"10"}), QStringLiteral("R10"));
    EXPECT_EQ(reportListText({"10", "11"}), QStringLiteral("R10 og R11"));
    EXPECT_EQ(reportListText({"10", "11", "20"}), QStringLiteral("R10, R11 og R20"));
    EXPECT_EQ(reportListText({"10", "11", "20", "60"}), QStringLiteral("R10, R11, R20 og R60"));
}

TEST_F(DataFileSendingTest, ThreeReportsOfTwoCompaniesGiveThreeMailsAndTheSuccessText) {
    version.set(QStringLiteral("01.02.2009"));
    ScriptedPrompter silent;
    const SendDataFileResult result = send(threeReports(), silent);
    ASSERT_TRUE(result.ok) << result.message.toStdString();
    EXPECT_FALSE(result.stopped);
    EXPECT_TRUE(silent.questions.isEmpty());
    EXPECT_EQ(handled(result), (QStringList{"4567/R10 ok", "4567/R20 ok", "1234/R10 ok"}));
    EXPECT_EQ(sentReports(), (QStringList{"123/4567 R10", "123/4567 R20", "123/1234 R10"}));
    EXPECT_EQ(result.message,
              QStringLiteral("Programmet skal normalt sende én mail pr. rapport som ligger i den flate "
                             "fila.\n\rProgrammet har nå sendt 3 mail til telva@dalvora.no.\n\rDet er "
                             "rapporten(e) R10, R20 og R10.\r\nDu vil motta en kvittering når de er "
                             "lest hos Dalvora."));
    for (const RecordingMailTransport::Sent& mail : transport.mails) {
        const ParsedEnvelope envelope = ParseEncryptedReportText(mail.request.body);
        EXPECT_EQ(envelope.info[7], QStringLiteral("FLATFIL"));
        EXPECT_TRUE(BlowfishCipher().DecryptReportText(envelope.base64).endsWith("</DATA>\r\n</DVRAPPORT>"));
    }
    EXPECT_EQ(version.text(), QStringLiteral("0"));
}

TEST_F(DataFileSendingTest, ACancelledMailFailsTheRunButTheOthersAreStillSentAndListed) {
    transport.cancelAt = 2;
    ScriptedPrompter silent;
    const SendDataFileResult result = send(threeReports(), silent);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(handled(result), (QStringList{"4567/R10 ok", "4567/R20 feilet", "1234/R10 ok"}));
    EXPECT_EQ(transport.mails.size(), 3u);
    EXPECT_EQ(
        result.message,
        QStringLiteral("Klarte ikke å sende filen!\n\rForsøk i stedet å lagre flat fil som "
                       "kryptert fil, og send den krypterte filen manuelt.\n\r\n\rSendt: Regnr 4567 R10, "
                       "Regnr 1234 R10.\n\rIkke sendt: Regnr 4567 R20."));
}

TEST_F(DataFileSendingTest, AFailedMailStopsTheRunAndTheListHoldsWhatWasSent) {
    transport.failAt = 2;
    ScriptedPrompter silent;
    const SendDataFileResult result = send(threeReports(), silent);
    EXPECT_FALSE(result.ok);
    EXPECT_EQ(handled(result), (QStringList{"4567/R10 ok", "4567/R20 feilet"}));
    EXPECT_EQ(sentReports(), (QStringList{"123/4567 R10", "123/4567 R20"}));
    EXPECT_EQ(
        result.message,
        QStringLiteral("Klarte ikke å sende filen!\n\rMAPI Error: (23) \"Fikk ikke kontakt med "
                       "e-posttjeneren\"\n\r\n\rSendt: Regnr 4567 R10.\n\rIkke sendt: Regnr 4567 R20."));
    EXPECT_EQ(version.text(), QStringLiteral("0"));
}

TEST_F(DataFileSendingTest, NoToEitherQuestionSendsNothing) {
    const QString path = threeReports();
    settings.Dsnr = 7;
    ScriptedPrompter noToDsnr({Answer::No});
    const SendDataFileResult dsnr = send(path, noToDsnr);
    EXPECT_TRUE(dsnr.stopped);
    EXPECT_FALSE(dsnr.ok);
    EXPECT_EQ(dsnr.message, QString());
    EXPECT_EQ(noToDsnr.questions.size(), 1);

    settings.Dsnr = 123;
    settings.EmailSystem = QStringLiteral("Annet");
    ScriptedPrompter noToSystem({Answer::No});
    const SendDataFileResult system = send(path, noToSystem, RunMode{true, false});
    EXPECT_TRUE(system.stopped);
    ASSERT_EQ(noToSystem.questions.size(), 1);
    EXPECT_TRUE(noToSystem.questions[0].contains(QStringLiteral(
        "TIL:\n\rtelva@dalvora.no\n\r\n\rEMNETEKST:\n\rTEST: Dsnr: 123, Regnr: 4567, rapp: <nr>, "
        "periode: <ååååmm>, mail: Annet\n\r")));
    EXPECT_TRUE(transport.mails.empty());
    EXPECT_EQ(version.text(), QStringLiteral("0"));

    // Yes to both: the Dsnr question comes first.
    settings.Dsnr = 7;
    ScriptedPrompter yes({Answer::Yes, Answer::Yes});
    EXPECT_TRUE(send(path, yes).ok);
    ASSERT_EQ(yes.questions.size(), 2);
    EXPECT_TRUE(
        yes.questions[0].startsWith(QStringLiteral("Den flate fila inneholder tall for datasentral <123>")));
    EXPECT_EQ(transport.mails.size(), 3u);
}

TEST_F(DataFileSendingTest, FilesThatCannotBeReadOrHoldNoReportsAreReported) {
    ScriptedPrompter silent;
    const QString missing = dir.filePath(QStringLiteral("mangler.txt"));
    const SendDataFileResult unreadable = send(missing, silent);
    EXPECT_FALSE(unreadable.ok);
    EXPECT_FALSE(unreadable.stopped);
    EXPECT_EQ(unreadable.message,
              QStringLiteral("Klarte ikke å lese fila \"%1\": No such file or directory").arg(missing));

    const QString empty = dir.filePath(QStringLiteral("tom.txt"));
    {
        QFile file(empty);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(testdata::fileText({headerLine()}).toLatin1());
    }
    const SendDataFileResult noReports = send(empty, silent);
    EXPECT_FALSE(noReports.ok);
    EXPECT_EQ(noReports.message,
              QStringLiteral("Klarte ikke å sende filen!\n\rProgrammet fant ingen rapport-data i fila.\r\n"
                             "(\"GetAListOfCompaniesFromDataFile\" fant ingen selskaper.)"));
    EXPECT_TRUE(transport.mails.empty());
}

TEST_F(DataFileSendingTest, AsAttachmentsEachMailCarriesItsOwnEnvelopeInVedleggTxt) {
    settings.RappAsAttachment = true;
    ScriptedPrompter silent;
    ASSERT_TRUE(send(threeReports(), silent).ok);
    ASSERT_EQ(transport.mails.size(), 3u);
    for (const RecordingMailTransport::Sent& mail : transport.mails) {
        ASSERT_TRUE(mail.request.attachment);
        EXPECT_EQ(mail.request.attachment->fileName, QStringLiteral("vedlegg.txt"));
        EXPECT_TRUE(mail.request.attachment->bytes.startsWith(mail.request.body));
        EXPECT_TRUE(mail.request.attachment->bytes.endsWith("---------SLUTT------------> \r\n"));
    }
    EXPECT_NE(transport.mails[0].request.attachment->bytes, transport.mails[1].request.attachment->bytes);
}

TEST_F(DataFileSendingTest, AReadOnlyProgramFolderDoesNotStopAttachmentMails) {
    settings.RappAsAttachment = true;
    const QString path = threeReports();
    const QFileDevice::Permissions readOnly = QFileDevice::ReadOwner | QFileDevice::ExeOwner;
    ASSERT_TRUE(QFile::setPermissions(dir.path(), readOnly));
    {
        QFile probe(dir.filePath(QStringLiteral("probe")));
        if (probe.open(QIODevice::WriteOnly)) {
            probe.close();
            probe.remove();
            QFile::setPermissions(dir.path(), readOnly | QFileDevice::WriteOwner);
            GTEST_SKIP() << "folder permissions do not stop this user from writing";
        }
    }
    ScriptedPrompter silent;
    const SendDataFileResult result = send(path, silent);
    QFile::setPermissions(dir.path(), readOnly | QFileDevice::WriteOwner);
    EXPECT_TRUE(result.ok) << result.message.toStdString();
    EXPECT_EQ(transport.mails.size(), 3u);
}
