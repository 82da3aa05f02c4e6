#include "transmission/ReportMailDispatcher.h"

#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

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

    QString attachmentPath() const { return dir.filePath(QStringLiteral("vedlegg.txt")); }

    bool send(bool testMode = false) {
        ReportMailDispatcher dispatcher(settings, testMode, attachmentPath(), transport);
        return dispatcher.SendReportMail(kInfo, encrypted, clearText);
    }

    QTemporaryDir dir;
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
    EXPECT_EQ(request.attachmentPath, QString());
    EXPECT_FALSE(QFile::exists(attachmentPath()));
}

TEST_F(ReportMailDispatcherTest, TestModeAndGroupWiseChangeSubjectAndAddress) {
    settings.EmailSystem = QStringLiteral("groupWISE");
    ASSERT_TRUE(send(true));
    const MailRequest& request = transport.mails[0].request;
    EXPECT_EQ(request.recipientAddress, QStringLiteral("UT:telva@dalvora.no"));
    EXPECT_EQ(request.subject, QStringLiteral("Telva test - 123/4567 R10 F 200906 ver.3.0.5 mail:Annet"));
}

TEST_F(ReportMailDispatcherTest, AsAttachmentTheBodyIsTheClearTextAndTheFileIsWrittenAnewEveryTime) {
    settings.RappAsAttachment = true;
    {
        QFile old(attachmentPath());
        ASSERT_TRUE(old.open(QIODevice::WriteOnly));
        old.write(QByteArray(100000, 'x'));
    }
    ASSERT_TRUE(send());
    const RecordingMailTransport::Sent& first = transport.mails[0];
    EXPECT_EQ(first.request.body, clearText);
    EXPECT_TRUE(first.request.body.endsWith("E-post system:    Annet\r\n\r\n"));
    EXPECT_EQ(first.request.attachmentPath, QDir(dir.path()).absoluteFilePath(QStringLiteral("vedlegg.txt")));
    EXPECT_EQ(first.attachmentBytes, encrypted + "\r\n");
    EXPECT_TRUE(first.attachmentBytes.endsWith("---------SLUTT------------> \r\n"));

    encrypted =
        BuildEncryptedReportText(kInfo, BlowfishCipher().EncryptReportText(QStringLiteral("<ANNEN />")));
    transport.cancelAt = 2;
    EXPECT_FALSE(send());
    EXPECT_EQ(transport.mails[1].attachmentBytes, encrypted + "\r\n");
    // The file stays behind after the mail.
    QFile left(attachmentPath());
    ASSERT_TRUE(left.open(QIODevice::ReadOnly));
    EXPECT_EQ(left.readAll(), encrypted + "\r\n");
}

TEST_F(ReportMailDispatcherTest, AnUnwritableAttachmentFileStopsBeforeAnyMail) {
    settings.RappAsAttachment = true;
    const QString notAFolder = dir.filePath(QStringLiteral("fil"));
    {
        QFile file(notAFolder);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    }
    const QString path = notAFolder + QStringLiteral("/vedlegg.txt");
    ReportMailDispatcher dispatcher(settings, false, path, transport);
    try {
        dispatcher.SendReportMail(kInfo, encrypted, clearText);
        FAIL() << "no error raised";
    } catch (const Error& e) {
        EXPECT_EQ(
            e.message(),
            QStringLiteral("Klarte ikke mellomlagre vedlegget. Forsøkte å lagre vedlegget med filnavn: ") +
                path + QStringLiteral("\r\nSjekk at området eksisterer og at du har skriverettigheter der."));
    }
    EXPECT_TRUE(transport.mails.empty());

    // In the body the same folder does not matter.
    settings.RappAsAttachment = false;
    EXPECT_TRUE(dispatcher.SendReportMail(kInfo, encrypted, clearText));
}

TEST_F(ReportMailDispatcherTest, MailErrorsAndWrongInformationListsReachTheCaller) {
    transport.failAt = 1;
    EXPECT_THROW(send(), Error);
    ReportMailDispatcher dispatcher(settings, false, attachmentPath(), transport);
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
    EXPECT_EQ(request.attachmentPath, QString());

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
