#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "support/SmtpPeer.h"
#include "transmission/BlowfishCipher.h"
#include "transmission/Envelope.h"
#include "transmission/EnvelopeParser.h"
#include "transmission/ReportMailDispatcher.h"
#include "transmission/SendmailTransport.h"

using namespace telvainn;

namespace {

const QStringList kInfo = {"123", "K", "200906", "3.0.5", "4567", "20", "Annet", "FLATFIL"};

// msmtp, a real sendmail-compatible program, relaying to the test SMTP server.
class SendmailMsmtpTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        SmtpPeer::Options options;
        options.refuse = {QStringLiteral("ukjent@dalvora.no")};
        peer = new SmtpPeer(options);
    }
    static void TearDownTestSuite() {
        delete peer;
        peer = nullptr;
    }

    void SetUp() override {
        ASSERT_TRUE(peer->ready()) << peer->error().toStdString();
        before = peer->mails().size();
        settings.RecipientName = QStringLiteral("Dalvora");
        settings.RecipientAddress = QStringLiteral("telva@dalvora.no");
    }

    // An msmtp configuration for `port`, and the command that uses it.
    QString msmtpCommand(int port) {
        const QString path = dir.filePath(QStringLiteral("msmtprc-%1").arg(port));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("defaults\naccount default\nhost 127.0.0.1\nport %1\nfrom ola@firma.no\n"
                                  "auth off\ntls off\nsyslog off\n")
                       .arg(port)
                       .toLatin1());
        file.close();
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        return QStringLiteral("/usr/bin/msmtp -C \"%1\"").arg(path);
    }

    SendmailOptions options(int port) {
        SendmailOptions o;
        o.command = msmtpCommand(port);
        o.sender = QStringLiteral("ola@firma.no");
        o.timeout = std::chrono::milliseconds(15000);
        return o;
    }

    std::vector<ReceivedMail> received() const {
        std::vector<ReceivedMail> all = peer->mails();
        return std::vector<ReceivedMail>(all.begin() + static_cast<std::ptrdiff_t>(before), all.end());
    }

    static inline SmtpPeer* peer = nullptr;
    std::size_t before = 0;
    QTemporaryDir dir;
    TSettings settings;
};

QString reportText() {
    QString text = QStringLiteral("<DVRAPPORT>\r\n");
    for (int i = 0; i < 300; ++i) {
        text += QStringLiteral("<OBJEKT text=\"Særskilt %1\" />\r\n").arg(i);
    }
    return text + QStringLiteral("</DVRAPPORT>");
}

}  // namespace

TEST_F(SendmailMsmtpTest, BothModesArriveWithCrLfOnTheWireAndDecrypt) {
    SendmailTransport transport(options(peer->port("plain")));
    const QByteArray envelope =
        BuildEncryptedReportText(kInfo, BlowfishCipher().EncryptReportText(reportText()));
    ASSERT_GT(envelope.size(), 10000);
    {
        ReportMailDispatcher inBody(settings, false, transport);
        ASSERT_TRUE(inBody.SendReportMail(kInfo, envelope, BuildClearTextBlock(kInfo)));
    }
    settings.RappAsAttachment = true;
    {
        ReportMailDispatcher asAttachment(settings, true, transport);
        ASSERT_TRUE(asAttachment.SendReportMail(kInfo, envelope, BuildClearTextBlock(kInfo)));
    }

    const std::vector<ReceivedMail> mails = received();
    ASSERT_EQ(mails.size(), 2u);
    for (const ReceivedMail& mail : mails) {
        EXPECT_TRUE(wireLinesAreValid(mail.raw));
        EXPECT_EQ(mail.defects, QStringList());
        EXPECT_EQ(mail.rcptTos, QStringList{QStringLiteral("telva@dalvora.no")});
        EXPECT_EQ(mail.fromAddrSpec, QStringLiteral("ola@firma.no"));
        EXPECT_EQ(mail.toDisplayName, QStringLiteral("Dalvora"));
    }
    EXPECT_EQ(mails[0].subject, QStringLiteral("Telva - 123/4567 R20 K 200906 ver.3.0.5 mail:Annet"));
    ASSERT_EQ(mails[0].parts.size(), 1u);
    EXPECT_EQ(mails[0].parts[0].payload, envelope + "\r\n");

    EXPECT_EQ(mails[1].subject, QStringLiteral("Telva test - 123/4567 R20 K 200906 ver.3.0.5 mail:Annet"));
    ASSERT_EQ(mails[1].parts.size(), 2u);
    EXPECT_EQ(mails[1].parts[0].payload, BuildClearTextBlock(kInfo));
    EXPECT_EQ(mails[1].parts[1].filename, QStringLiteral("vedlegg.txt"));
    EXPECT_EQ(mails[1].parts[1].payload, envelope + "\r\n");

    const ParsedEnvelope parsed = ParseEncryptedReportText(mails[1].parts[1].payload);
    EXPECT_EQ(parsed.info, kInfo);
    EXPECT_EQ(BlowfishCipher().DecryptReportText(parsed.base64), QByteArray(reportText().toLatin1()));
}

TEST_F(SendmailMsmtpTest, GroupWiseAddressReachesTheServerWithoutItsPrefix) {
    settings.EmailSystem = QStringLiteral("GroupWise");
    SendmailTransport transport(options(peer->port("plain")));
    ReportMailDispatcher dispatcher(settings, false, transport);
    ASSERT_TRUE(dispatcher.SendReportMail(kInfo, "x", "y"));
    const std::vector<ReceivedMail> mails = received();
    ASSERT_EQ(mails.size(), 1u);
    EXPECT_EQ(mails[0].rcptTos, QStringList{QStringLiteral("telva@dalvora.no")});
}

TEST_F(SendmailMsmtpTest, TheProgramsExitStatusAndWordsBecomeTheError) {
    const SendmailOptions refusing = options(peer->port("plain"));
    SendmailTransport transport(refusing);
    MailRequest request;
    request.recipientAddress = QStringLiteral("ukjent@dalvora.no");
    request.subject = kTestMailSubject;
    request.body = "Hei";
    const QString config = refusing.command.section(QLatin1Char('"'), 1, 1);
    try {
        transport.SendMail(request);
        FAIL() << "no error raised";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(),
                  QStringLiteral(
                      "MAPI Error: (2) \"/usr/bin/msmtp avsluttet med status 65: msmtp: recipient address "
                      "ukjent@dalvora.no not accepted by the server msmtp: server message: 550 5.1.1 "
                      "<ukjent@dalvora.no>: Recipient address rejected: User unknown msmtp: could not "
                      "send mail (account default from %1)\"")
                      .arg(config));
    }

    const LocalSocket down(false);
    const SendmailOptions unreachable = options(down.port());
    SendmailTransport noServer(unreachable);
    request.recipientAddress = QStringLiteral("telva@dalvora.no");
    try {
        noServer.SendMail(request);
        FAIL() << "no error raised";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(),
                  QStringLiteral("MAPI Error: (23) \"/usr/bin/msmtp avsluttet med status 75: msmtp: "
                                 "cannot connect to 127.0.0.1, port %1: Connection refused msmtp: "
                                 "could not send mail (account default from %2)\"")
                      .arg(down.port())
                      .arg(unreachable.command.section(QLatin1Char('"'), 1, 1)));
    }
    EXPECT_TRUE(received().empty());
}
