#include "transmission/SmtpTransport.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>

#include "support/ScriptedPrompter.h"
#include "support/SmtpPeer.h"
#include "transmission/BlowfishCipher.h"
#include "transmission/Envelope.h"
#include "transmission/EnvelopeParser.h"
#include "transmission/ReportMailDispatcher.h"

using namespace telvainn;

namespace {

// A report text long enough that its Base64 line is tens of kilobytes, with letters outside ASCII.
QString reportText() {
    QString text = QStringLiteral(
        "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<DVRAPPORT \r\n DSNR=\"123\" \r\n"
        " REGNR=\"4567\" >\r\n<DATA>\r\n");
    for (int i = 0; i < 400; ++i) {
        text += QStringLiteral(
                    "<OBJEKT text=\"Øre på konto %1\" tillegg=\"000\" objektid=\"%2\" sektor=\"001\" "
                    "naering=\"042\" land=\"00NO\" valuta=\"01\" verdi=\"0000012345\" />\r\n")
                    .arg(i)
                    .arg(1000000 + i);
    }
    return text + QStringLiteral("</DATA>\r\n</DVRAPPORT>");
}

const QStringList kInfo = {"123",    "F", "200906", "3.0.5", "4567", "10", "Microsoft Outlook/Exchange",
                           "FLATFIL"};

class SmtpTransportTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        SmtpPeer::Options options;
        options.tls = true;
        options.refuse = {QStringLiteral("ukjent@dalvora.no")};
        options.rejectSubject = {QStringLiteral("AVVIS")};
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
        settings.EmailSystem = QStringLiteral("Microsoft Outlook/Exchange");
    }

    SmtpOptions options(const char* listener) const {
        SmtpOptions o;
        o.server = QStringLiteral("127.0.0.1");
        o.port = peer->port(listener);
        o.security = SmtpSecurityKind::None;
        o.sender = QStringLiteral("ola@firma.no");
        o.connectTimeout = std::chrono::milliseconds(5000);
        o.transferTimeout = std::chrono::milliseconds(10000);
        return o;
    }

    // The mails that arrived during this test.
    std::vector<ReceivedMail> received() const {
        std::vector<ReceivedMail> all = peer->mails();
        return std::vector<ReceivedMail>(all.begin() + static_cast<std::ptrdiff_t>(before), all.end());
    }

    QString errorOf(SmtpTransport& transport, const MailRequest& request) {
        try {
            transport.SendMail(request);
        } catch (const Error& e) {
            return e.message();
        }
        return QStringLiteral("(ingen feil)");
    }

    static MailRequest testMail(const QString& address = QStringLiteral("ola@firma.no")) {
        MailRequest request;
        request.recipientAddress = address;
        request.subject = kTestMailSubject;
        request.body = "Hei\r\n";
        return request;
    }

    static inline SmtpPeer* peer = nullptr;
    std::size_t before = 0;
    TSettings settings;
    ScriptedPrompter prompter;
};

void expectDecryptsToTheReport(const QByteArray& envelope) {
    const ParsedEnvelope parsed = ParseEncryptedReportText(envelope);
    EXPECT_EQ(parsed.info, kInfo);
    EXPECT_EQ(BlowfishCipher().DecryptReportText(parsed.base64), QByteArray(reportText().toLatin1()));
}

}  // namespace

TEST_F(SmtpTransportTest, InTheBodyTheEnvelopeArrivesByteForByteAndDecrypts) {
    SmtpTransport transport(options("plain"), prompter);
    ReportMailDispatcher dispatcher(settings, false, transport);
    const QByteArray envelope =
        BuildEncryptedReportText(kInfo, BlowfishCipher().EncryptReportText(reportText()));
    ASSERT_GT(envelope.size(), 40000);
    ASSERT_TRUE(dispatcher.SendReportMail(kInfo, envelope, BuildClearTextBlock(kInfo)));

    const std::vector<ReceivedMail> mails = received();
    ASSERT_EQ(mails.size(), 1u);
    const ReceivedMail& mail = mails[0];
    EXPECT_EQ(mail.mailFrom, QStringLiteral("ola@firma.no"));
    EXPECT_EQ(mail.rcptTos, QStringList{QStringLiteral("telva@dalvora.no")});
    EXPECT_EQ(mail.fromAddrSpec, QStringLiteral("ola@firma.no"));
    EXPECT_EQ(mail.toDisplayName, QStringLiteral("Dalvora"));
    EXPECT_EQ(mail.toAddrSpec, QStringLiteral("telva@dalvora.no"));
    EXPECT_EQ(mail.subject,
              QStringLiteral("Telva - 123/4567 R10 F 200906 ver.3.0.5 mail:Microsoft Outlook/Exchange"));
    EXPECT_FALSE(mail.date.isEmpty());
    EXPECT_TRUE(mail.messageId.startsWith(QLatin1Char('<')) &&
                mail.messageId.endsWith(QStringLiteral("@firma.no>")));
    EXPECT_EQ(mail.defects, QStringList());
    EXPECT_TRUE(wireLinesAreValid(mail.raw));
    ASSERT_EQ(mail.parts.size(), 1u);
    EXPECT_EQ(mail.parts[0].contentType, QStringLiteral("text/plain"));
    EXPECT_EQ(mail.parts[0].charset, QStringLiteral("windows-1252"));
    EXPECT_EQ(mail.parts[0].transferEncoding, QStringLiteral("base64"));
    EXPECT_EQ(mail.parts[0].payload, envelope + "\r\n");
    expectDecryptsToTheReport(mail.parts[0].payload);
}

TEST_F(SmtpTransportTest, AsAttachmentTheClearTextIsTheBodyAndVedleggTxtCarriesTheEnvelope) {
    settings.RappAsAttachment = true;
    SmtpTransport transport(options("plain"), prompter);
    ReportMailDispatcher dispatcher(settings, true, transport);
    const QByteArray envelope =
        BuildEncryptedReportText(kInfo, BlowfishCipher().EncryptReportText(reportText()));
    ASSERT_TRUE(dispatcher.SendReportMail(kInfo, envelope, BuildClearTextBlock(kInfo)));

    const std::vector<ReceivedMail> mails = received();
    ASSERT_EQ(mails.size(), 1u);
    const ReceivedMail& mail = mails[0];
    EXPECT_EQ(mail.subject,
              QStringLiteral("Telva test - 123/4567 R10 F 200906 ver.3.0.5 mail:Microsoft Outlook/Exchange"));
    EXPECT_EQ(mail.contentType, QStringLiteral("multipart/mixed"));
    EXPECT_EQ(mail.defects, QStringList());
    EXPECT_TRUE(wireLinesAreValid(mail.raw));
    ASSERT_EQ(mail.parts.size(), 2u);
    EXPECT_EQ(mail.parts[0].payload, BuildClearTextBlock(kInfo));
    EXPECT_EQ(mail.parts[0].disposition, QString());
    EXPECT_EQ(mail.parts[1].filename, QStringLiteral("vedlegg.txt"));
    EXPECT_EQ(mail.parts[1].disposition, QStringLiteral("attachment"));
    EXPECT_EQ(mail.parts[1].charset, QStringLiteral("windows-1252"));
    EXPECT_EQ(mail.parts[1].payload, envelope + "\r\n");
    expectDecryptsToTheReport(mail.parts[1].payload);
}

// GroupWise's "UT:" belongs to its own client; the server is given the plain address, and the subject
// still names the mail system.
TEST_F(SmtpTransportTest, GroupWiseAddressNameFallbackAndSubjectOutsideAscii) {
    settings.EmailSystem = QStringLiteral("GroupWise");
    settings.RecipientName.clear();
    SmtpTransport transport(options("plain"), prompter);
    ReportMailDispatcher dispatcher(settings, false, transport);
    QStringList info = kInfo;
    info[6] = QStringLiteral("GroupWise på «kontoret»");
    ASSERT_TRUE(dispatcher.SendReportMail(info, "x", "y"));

    const std::vector<ReceivedMail> mails = received();
    ASSERT_EQ(mails.size(), 1u);
    EXPECT_EQ(mails[0].rcptTos, QStringList{QStringLiteral("telva@dalvora.no")});
    EXPECT_EQ(mails[0].toAddrSpec, QStringLiteral("telva@dalvora.no"));
    EXPECT_EQ(mails[0].toDisplayName, QStringLiteral("telva@dalvora.no"));
    EXPECT_EQ(mails[0].subject,
              QStringLiteral("Telva - 123/4567 R10 F 200906 ver.3.0.5 mail:GroupWise på «kontoret»"));
    EXPECT_EQ(mails[0].defects, QStringList());
}

TEST_F(SmtpTransportTest, LoginAsksForThePasswordOnceAndNeverWithoutAUser) {
    ScriptedPrompter asking;
    asking.passwords = {QStringLiteral("hemmelig")};
    SmtpOptions o = options("auth");
    o.user = QStringLiteral("ola");
    SmtpTransport transport(o, asking);
    EXPECT_TRUE(transport.SendMail(testMail()));
    EXPECT_TRUE(transport.SendMail(testMail()));
    EXPECT_EQ(asking.passwordQuestions,
              QStringList{QStringLiteral("Passord for ola på e-posttjeneren 127.0.0.1:%1:").arg(o.port)});
    const std::vector<ReceivedMail> mails = received();
    ASSERT_EQ(mails.size(), 2u);
    EXPECT_EQ(mails[0].login, QStringLiteral("ola"));
    EXPECT_EQ(mails[0].subject, QStringLiteral("Test av TELVA Duv"));

    // A server that wants a login refuses a transport that has none.
    SmtpTransport anonymous(options("auth"), prompter);
    EXPECT_EQ(errorOf(anonymous, testMail()),
              QStringLiteral(
                  "MAPI Error: (2) \"E-posttjeneren 127.0.0.1:%1 tok ikke imot avsenderen <ola@firma.no>. "
                  "Tjeneren svarte: 530 5.7.0 Authentication required\"")
                  .arg(o.port));
    EXPECT_TRUE(prompter.passwordQuestions.isEmpty());
}

TEST_F(SmtpTransportTest, AWrongPasswordIsALogonFailureAndTheNextMailAsksAgain) {
    ScriptedPrompter asking;
    asking.passwords = {QStringLiteral("feil"), QStringLiteral("hemmelig")};
    SmtpOptions o = options("auth");
    o.user = QStringLiteral("ola");
    SmtpTransport transport(o, asking);
    EXPECT_EQ(
        errorOf(transport, testMail()),
        QStringLiteral("MAPI Error: (3) \"E-posttjeneren 127.0.0.1:%1 godtok ikke innloggingen til ola. "
                       "Tjeneren svarte: 535 5.7.8 Authentication credentials invalid\"")
            .arg(o.port));
    EXPECT_TRUE(transport.SendMail(testMail()));
    EXPECT_EQ(asking.passwordQuestions.size(), 2);
    EXPECT_EQ(received().size(), 1u);
}

TEST_F(SmtpTransportTest, CancellingThePasswordPromptIsFalseWithoutAnError) {
    ScriptedPrompter cancelling;  // no password scripted: the prompt is cancelled
    SmtpOptions o = options("auth");
    o.user = QStringLiteral("ola");
    SmtpTransport transport(o, cancelling);
    EXPECT_FALSE(transport.SendMail(testMail()));
    EXPECT_EQ(cancelling.passwordQuestions.size(), 1);
    EXPECT_TRUE(received().empty());
}

TEST_F(SmtpTransportTest, RefusedRecipientAndRefusedMessageQuoteTheServer) {
    SmtpTransport transport(options("plain"), prompter);
    const int port = peer->port("plain");
    EXPECT_EQ(errorOf(transport, testMail(QStringLiteral("ukjent@dalvora.no"))),
              QStringLiteral("MAPI Error: (14) \"E-posttjeneren 127.0.0.1:%1 tok ikke imot mottakeren "
                             "<ukjent@dalvora.no>. Tjeneren svarte: 550 5.1.1 <ukjent@dalvora.no>: Recipient "
                             "address rejected: User unknown\"")
                  .arg(port));
    MailRequest rejected = testMail();
    rejected.subject = QStringLiteral("AVVIS denne");
    EXPECT_EQ(errorOf(transport, rejected),
              QStringLiteral(
                  "MAPI Error: (2) \"E-posttjeneren 127.0.0.1:%1 tok ikke imot e-posten. Tjeneren svarte: "
                  "554 5.7.1 Meldingen ble avvist av mottakerens filter\"")
                  .arg(port));
    EXPECT_TRUE(received().empty());
}

TEST_F(SmtpTransportTest, AServerThatIsDownOrSilentGivesANetworkFailureInTime) {
    const LocalSocket down(false);
    SmtpOptions o = options("plain");
    o.port = down.port();
    SmtpTransport refused(o, prompter);
    EXPECT_EQ(errorOf(refused, testMail()),
              QStringLiteral(
                  "MAPI Error: (23) \"Fikk ikke kontakt med e-posttjeneren 127.0.0.1:%1 (Couldn't connect to "
                  "server)\"")
                  .arg(down.port()));

    const LocalSocket silent(true);
    o.port = silent.port();
    o.transferTimeout = std::chrono::milliseconds(700);
    SmtpTransport waiting(o, prompter);
    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_EQ(errorOf(waiting, testMail()),
              QStringLiteral(
                  "MAPI Error: (23) \"E-posttjeneren 127.0.0.1:%1 svarte ikke innen tidsfristen (Timeout "
                  "was reached)\"")
                  .arg(silent.port()));
    EXPECT_LT(elapsed.elapsed(), 5000);
}

TEST_F(SmtpTransportTest, StartTlsWithLoginWhenTheCertificateIsTrusted) {
    ScriptedPrompter asking;
    asking.passwords = {QStringLiteral("hemmelig")};
    SmtpOptions o = options("starttls");
    o.security = SmtpSecurityKind::StartTls;
    o.user = QStringLiteral("ola");
    o.extraCaFile = peer->certificateFile();
    SmtpTransport transport(o, asking);
    EXPECT_TRUE(transport.SendMail(testMail()));
    const std::vector<ReceivedMail> mails = received();
    ASSERT_EQ(mails.size(), 1u);
    EXPECT_TRUE(mails[0].tls);
    EXPECT_EQ(mails[0].login, QStringLiteral("ola"));
}

TEST_F(SmtpTransportTest, TlsFromTheFirstByte) {
    SmtpOptions o = options("tls");
    o.security = SmtpSecurityKind::Tls;
    o.extraCaFile = peer->certificateFile();
    SmtpTransport transport(o, prompter);
    EXPECT_TRUE(transport.SendMail(testMail()));
    const std::vector<ReceivedMail> mails = received();
    ASSERT_EQ(mails.size(), 1u);
    EXPECT_TRUE(mails[0].tls);
    EXPECT_EQ(mails[0].listener, QStringLiteral("tls"));
}

TEST_F(SmtpTransportTest, NoSilentDowngradeAndNoUntrustedCertificate) {
    SmtpOptions noStartTls = options("plain");
    noStartTls.security = SmtpSecurityKind::StartTls;
    SmtpTransport plainServer(noStartTls, prompter);
    EXPECT_EQ(
        errorOf(plainServer, testMail()),
        QStringLiteral("MAPI Error: (23) \"Klarte ikke å opprette en sikker forbindelse med e-posttjeneren "
                       "127.0.0.1:%1: STARTTLS not supported.\"")
            .arg(noStartTls.port));

    SmtpOptions untrusted = options("starttls");
    untrusted.security = SmtpSecurityKind::StartTls;
    SmtpTransport selfSigned(untrusted, prompter);
    EXPECT_EQ(
        errorOf(selfSigned, testMail()),
        QStringLiteral("MAPI Error: (23) \"Klarte ikke å opprette en sikker forbindelse med e-posttjeneren "
                       "127.0.0.1:%1: SSL certificate problem: self-signed certificate\"")
            .arg(untrusted.port));

    SmtpOptions tlsUntrusted = options("tls");
    tlsUntrusted.security = SmtpSecurityKind::Tls;
    SmtpTransport implicit(tlsUntrusted, prompter);
    EXPECT_EQ(
        errorOf(implicit, testMail()),
        QStringLiteral("MAPI Error: (23) \"Klarte ikke å opprette en sikker forbindelse med e-posttjeneren "
                       "127.0.0.1:%1: SSL certificate problem: self-signed certificate\"")
            .arg(tlsUntrusted.port));
    EXPECT_TRUE(received().empty());
}

TEST_F(SmtpTransportTest, WithoutServerOrSenderNothingIsTried) {
    SmtpOptions none = options("plain");
    none.server = QStringLiteral("  ");
    SmtpTransport unconfigured(none, prompter);
    EXPECT_EQ(errorOf(unconfigured, testMail()),
              QStringLiteral("No Simple MAPI client installed, cannot send the message"));

    SmtpOptions noSender = options("plain");
    noSender.sender.clear();
    noSender.user = QStringLiteral("ola");
    SmtpTransport anonymous(noSender, prompter);
    EXPECT_EQ(
        errorOf(anonymous, testMail()),
        QStringLiteral("MAPI Error: (2) \"Ingen avsenderadresse er satt opp for e-posttjeneren 127.0.0.1:%1. "
                       "Fyll ut «Avsenderadresse:» under «Utsending av e-post» i «Konfigurasjon».\"")
            .arg(noSender.port));
    EXPECT_TRUE(prompter.passwordQuestions.isEmpty());

    // An address as the login name serves as the sender.
    ScriptedPrompter asking;
    asking.passwords = {QStringLiteral("x")};
    noSender.user = QStringLiteral("ola@firma.no");
    SmtpTransport loginAsSender(noSender, asking);
    // The plain listener offers no login, so none takes place.
    EXPECT_TRUE(loginAsSender.SendMail(testMail()));
    const std::vector<ReceivedMail> mails = received();
    ASSERT_EQ(mails.size(), 1u);
    EXPECT_EQ(mails[0].mailFrom, QStringLiteral("ola@firma.no"));
}
