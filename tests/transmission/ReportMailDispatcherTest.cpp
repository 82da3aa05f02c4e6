#include "transmission/ReportMailDispatcher.h"

#include <gtest/gtest.h>

#include "support/RecordingMailTransport.h"
#include "support/ScriptedPrompter.h"
#include "transmission/BlowfishCipher.h"
#include "transmission/Envelope.h"
#include "transmission/SmtpTransport.h"

using namespace telvainn;

namespace {

const QStringList kInfo = {"123", "F", "200906", "3.0.5", "4567", "10", "Annet", "FLATFIL"};

class ReportMailDispatcherTest : public ::testing::Test {
  protected:
    ReportMailDispatcherTest() {
        settings.RecipientName = QStringLiteral("Dalvora");
        settings.RecipientAddress = QStringLiteral("telva@dalvora.no");
        encrypted = BuildEncryptedReportText(
            kInfo, BlowfishCipher().EncryptReportText(QStringLiteral("<DVRAPPORT />")));
        clearText = BuildClearTextBlock(kInfo);
    }

    bool send(bool testMode = false) {
        ReportMailDispatcher dispatcher(settings, testMode, transport);
        return dispatcher.SendReportMail(kInfo, encrypted, clearText);
    }

    TSettings settings;
    RecordingMailTransport transport;
    QByteArray encrypted;
    QByteArray clearText;
};

}  // namespace

TEST_F(ReportMailDispatcherTest, InTheBodyTheWholeEnvelopeGoesToTheConfiguredRecipient) {
    ASSERT_TRUE(send());
    ASSERT_EQ(transport.mails.size(), 1u);
    const MailRequest& request = transport.mails[0].request;
    EXPECT_EQ(request.recipientAddress, QStringLiteral("telva@dalvora.no"));
    EXPECT_EQ(request.recipientName, QStringLiteral("Dalvora"));
    EXPECT_EQ(request.subject, QStringLiteral("Telva - 123/4567 R10 F 200906 ver.3.0.5 mail:Annet"));
    EXPECT_EQ(request.body, encrypted);
    EXPECT_FALSE(request.attachment);
}

TEST_F(ReportMailDispatcherTest, TestModeAndGroupWiseChangeSubjectAndAddress) {
    settings.EmailSystem = QStringLiteral("groupWISE");
    ASSERT_TRUE(send(true));
    const MailRequest& request = transport.mails[0].request;
    EXPECT_EQ(request.recipientAddress, QStringLiteral("UT:telva@dalvora.no"));
    EXPECT_EQ(request.subject, QStringLiteral("Telva test - 123/4567 R10 F 200906 ver.3.0.5 mail:Annet"));
}

TEST_F(ReportMailDispatcherTest, AsAttachmentTheBodyIsTheClearTextAndEachMailCarriesItsOwnReport) {
    settings.RappAsAttachment = true;
    ASSERT_TRUE(send());
    const MailRequest& first = transport.mails[0].request;
    EXPECT_EQ(first.body, clearText);
    EXPECT_TRUE(first.body.endsWith("E-post system:    Annet\r\n\r\n"));
    ASSERT_TRUE(first.attachment);
    EXPECT_EQ(first.attachment->fileName, QStringLiteral("vedlegg.txt"));
    EXPECT_EQ(first.attachment->bytes, encrypted + "\r\n");
    EXPECT_TRUE(first.attachment->bytes.endsWith("---------SLUTT------------> \r\n"));

    const QByteArray firstEnvelope = encrypted;
    encrypted =
        BuildEncryptedReportText(kInfo, BlowfishCipher().EncryptReportText(QStringLiteral("<ANNEN />")));
    transport.cancelAt = 2;
    EXPECT_FALSE(send());
    EXPECT_EQ(transport.mails[1].request.attachment->bytes, encrypted + "\r\n");
    EXPECT_EQ(transport.mails[0].request.attachment->bytes, firstEnvelope + "\r\n");
}

TEST_F(ReportMailDispatcherTest, AControlCharacterInAHeaderSettingStopsBeforeAnyMailAndNamesTheKey) {
    const auto failure = [this](bool testMode) {
        try {
            send(testMode);
        } catch (const Error& e) {
            return e.message();
        }
        return QStringLiteral("<sent>");
    };
    const QString message = QStringLiteral(
        "Innstillingen %1 under [%2] i telvainn.ini inneholder kontrolltegnet %3, som ikke kan stå i en "
        "rapport eller e-post. Rett innstillingen og prøv igjen.");
    settings.RecipientName = QStringLiteral("Dalvora\r\nBcc: ola@firma.no");
    EXPECT_EQ(failure(false), message.arg("MOTTAKER_NAVN", "ADRESSERING", "\\x0d"));
    settings.RecipientName = QStringLiteral("Dalvora");
    settings.RecipientAddress = QStringLiteral("telva@dalvora.no\n");
    EXPECT_EQ(failure(false), message.arg("MOTTAKER_ADRESSE", "ADRESSERING", "\\x0a"));
    EXPECT_EQ(failure(true), message.arg("MOTTAKER_ADRESSE_TEST", "ADRESSERING", "\\x0a"));
    settings.RecipientAddress = QStringLiteral("telva@dalvora.no");
    settings.SenderAddress = QStringLiteral("ola@firma.no\x1b");
    EXPECT_EQ(failure(false), message.arg("AVSENDER", "EPOST", "\\x1b"));
    EXPECT_TRUE(transport.mails.empty());
}

TEST_F(ReportMailDispatcherTest, MailErrorsAndWrongInformationListsReachTheCaller) {
    transport.failAt = 1;
    EXPECT_THROW(send(), Error);
    ReportMailDispatcher dispatcher(settings, false, transport);
    try {
        dispatcher.SendReportMail(kInfo.mid(0, 7), encrypted, clearText);
        FAIL() << "no error raised";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(),
                  QStringLiteral("Klarte ikke hente ut all rapport informasjonen som skulle være med."));
    }
}

TEST(SendTestMail, PlainMailToTheGivenAddressAndAnyFailureIsFalse) {
    RecordingMailTransport transport;
    EXPECT_TRUE(SendTestMail(transport, QStringLiteral("ola@firma.no"), QStringLiteral("Ola")));
    const MailRequest& request = transport.mails[0].request;
    EXPECT_EQ(request.recipientAddress, QStringLiteral("ola@firma.no"));
    EXPECT_EQ(request.recipientName, QStringLiteral("Ola"));
    EXPECT_EQ(request.subject, QStringLiteral("Test av TELVA Duv"));
    EXPECT_EQ(request.body, QByteArray("Hvis du kan lese dette klarte programmet \xE5 sende mail"));
    EXPECT_FALSE(request.attachment);

    transport.cancelAt = 2;
    QString reason;
    EXPECT_FALSE(SendTestMail(transport, QStringLiteral("ola@firma.no"), QString(), &reason));
    EXPECT_EQ(reason, QStringLiteral("Innloggingen ble avbrutt."));
    transport.failAt = 3;
    EXPECT_FALSE(SendTestMail(transport, QStringLiteral("ola@firma.no"), QString(), &reason));
    EXPECT_EQ(reason, transport.failure);

    ScriptedPrompter prompter;
    SmtpTransport unconfigured(SmtpOptions{}, prompter);
    EXPECT_FALSE(SendTestMail(unconfigured, QStringLiteral("ola@firma.no"), QString(), &reason));
    EXPECT_EQ(reason, QStringLiteral("No Simple MAPI client installed, cannot send the message"));
}
