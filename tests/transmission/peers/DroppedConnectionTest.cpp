#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/Windows1252.h"
#include "support/DataLines.h"
#include "support/ScriptedPrompter.h"
#include "support/SmtpPeer.h"
#include "transmission/BlowfishCipher.h"
#include "transmission/DataFileRun.h"
#include "transmission/Envelope.h"
#include "transmission/EnvelopeParser.h"
#include "transmission/ReportMailDispatcher.h"
#include "transmission/SendmailTransport.h"
#include "transmission/SmtpTransport.h"

using namespace telvainn;

namespace {

// Far less than any report mail below, so every cut falls inside the message and before its final ".".
constexpr int kDropAfter = 4096;

const QStringList kInfo = {"123", "F", "200906", "3.0.5", "4567", "10", "Annet", "FLATFIL"};

QString reportText() {
    QString text = QStringLiteral("<DVRAPPORT>\r\n");
    for (int i = 0; i < 300; ++i) {
        text += QStringLiteral("<OBJEKT text=\"Øre %1\" verdi=\"0000012345\" />\r\n").arg(i);
    }
    return text + QStringLiteral("</DVRAPPORT>");
}

// A server that resets the connection in the middle of the message data, beside a healthy one: a failed
// transfer must be reported as failed, deliver nothing, and leave the program able to send the next mail.
class DroppedConnectionTest : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        SmtpPeer::Options options;
        options.dropDataAfter = kDropAfter;
        peer = new SmtpPeer(options);
    }
    static void TearDownTestSuite() {
        delete peer;
        peer = nullptr;
    }

    void SetUp() override {
        ASSERT_TRUE(peer->ready()) << peer->error().toStdString();
        mailsBefore = peer->mails().size();
        dropsBefore = peer->drops();
        settings.RecipientName = QStringLiteral("Dalvora");
        settings.RecipientAddress = QStringLiteral("telva@dalvora.no");
        settings.EmailSystem = QStringLiteral("Annet");
    }

    static SmtpOptions smtpOptions(const char* listener) {
        SmtpOptions o;
        o.server = QStringLiteral("127.0.0.1");
        o.port = peer->port(listener);
        o.security = SmtpSecurityKind::None;
        o.sender = QStringLiteral("ola@firma.no");
        o.connectTimeout = std::chrono::milliseconds(5000);
        o.transferTimeout = std::chrono::milliseconds(10000);
        return o;
    }

    SendmailOptions msmtpOptions(const char* listener) {
        const QString path = dir.filePath(QStringLiteral("msmtprc-%1").arg(QLatin1String(listener)));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(QStringLiteral("account default\nhost 127.0.0.1\nport %1\nfrom ola@firma.no\nauth off\n"
                                  "tls off\nsyslog off\n")
                       .arg(peer->port(listener))
                       .toLatin1());
        file.close();
        QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        SendmailOptions o;
        o.command = QStringLiteral("/usr/bin/msmtp -C \"%1\"").arg(path);
        o.sender = QStringLiteral("ola@firma.no");
        o.timeout = std::chrono::milliseconds(15000);
        return o;
    }

    std::vector<ReceivedMail> received() const {
        std::vector<ReceivedMail> all = peer->mails();
        return std::vector<ReceivedMail>(all.begin() + static_cast<std::ptrdiff_t>(mailsBefore), all.end());
    }
    qsizetype dropped() const { return peer->drops() - dropsBefore; }

    static QString errorOf(ReportMailer& mailer, const QByteArray& envelope) {
        try {
            return mailer.SendReportMail(kInfo, envelope, BuildClearTextBlock(kInfo))
                       ? QStringLiteral("(sendt)")
                       : QStringLiteral("(avbrutt)");
        } catch (const Error& e) {
            return e.message();
        }
    }

    static inline SmtpPeer* peer = nullptr;
    std::size_t mailsBefore = 0;
    qsizetype dropsBefore = 0;
    TSettings settings;
    ScriptedPrompter prompter;
    QTemporaryDir dir;
};

}  // namespace

TEST_F(DroppedConnectionTest, ACutInTheMessageIsAFailureAndTheNextMailGoesThrough) {
    const QByteArray envelope =
        BuildEncryptedReportText(kInfo, BlowfishCipher().EncryptReportText(reportText()));
    ASSERT_GT(envelope.size(), 4 * kDropAfter);

    for (const bool asAttachment : {false, true}) {
        SCOPED_TRACE(asAttachment ? "as attachment" : "in the body");
        settings.RappAsAttachment = asAttachment;

        SmtpTransport cutSmtp(smtpOptions("drop"), prompter);
        ReportMailDispatcher overSmtp(settings, false, cutSmtp);
        const QString smtpError = errorOf(overSmtp, envelope);
        EXPECT_TRUE(smtpError.startsWith(
            QStringLiteral("MAPI Error: (23) \"Forbindelsen med e-posttjeneren 127.0.0.1:%1 ble brutt: ")
                .arg(peer->port("drop"))))
            << smtpError.toStdString();

        SendmailTransport cutMsmtp(msmtpOptions("drop"));
        ReportMailDispatcher overMsmtp(settings, false, cutMsmtp);
        const QString msmtpError = errorOf(overMsmtp, envelope);
        EXPECT_TRUE(msmtpError.startsWith(QStringLiteral("MAPI Error: (")) &&
                    msmtpError.contains(QStringLiteral("/usr/bin/msmtp avsluttet med status ")))
            << msmtpError.toStdString();

        EXPECT_EQ(dropped(), 2);
        EXPECT_TRUE(received().empty());

        // The same program, a healthy server: the whole report arrives.
        SmtpTransport healthySmtp(smtpOptions("plain"), prompter);
        ReportMailDispatcher again(settings, false, healthySmtp);
        EXPECT_EQ(errorOf(again, envelope), QStringLiteral("(sendt)"));
        SendmailTransport healthyMsmtp(msmtpOptions("plain"));
        ReportMailDispatcher againMsmtp(settings, false, healthyMsmtp);
        EXPECT_EQ(errorOf(againMsmtp, envelope), QStringLiteral("(sendt)"));
        const std::vector<ReceivedMail> mails = received();
        ASSERT_EQ(mails.size(), 2u);
        for (const ReceivedMail& mail : mails) {
            ASSERT_EQ(mail.parts.size(), asAttachment ? 2u : 1u);
            EXPECT_EQ(mail.parts.back().payload, envelope + "\r\n");
            EXPECT_EQ(mail.defects, QStringList());
        }
        mailsBefore = peer->mails().size();
        dropsBefore = peer->drops();
    }
}

TEST_F(DroppedConnectionTest, ADataFileRunStopsAtTheCutMailAndListsNothingAsSent) {
    // Two companies with one report each; every mail is far longer than the cut.
    QStringList lines = {testdata::headerLine()};
    for (const int regnr : {4567, 1234}) {
        for (int i = 0; i < 60; ++i) {
            lines.append(testdata::dataLine({.regnr = regnr, .objektid = 1000000 + i}));
        }
    }
    const QString dataFile = dir.filePath(QStringLiteral("data.txt"));
    {
        QFile file(dataFile);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(toWindows1252(testdata::fileText(lines)));
    }
    DataFileRunContext context;
    context.mailSystem = settings.EmailSystem;
    context.locale = Locale::from(QLocale(QLocale::NorwegianBokmal, QLocale::Norway));

    SmtpTransport cut(smtpOptions("drop"), prompter);
    ReportMailDispatcher cutMailer(settings, false, cut);
    context.mailer = &cutMailer;
    DataFileRunOutputs outputs;
    EXPECT_FALSE(ProcessDataFile(dataFile, DataFileMode::SendMails, outputs, context));
    EXPECT_TRUE(outputs.error.startsWith(
        QStringLiteral("MAPI Error: (23) \"Forbindelsen med e-posttjeneren 127.0.0.1:%1 ble brutt: ")
            .arg(peer->port("drop"))))
        << outputs.error.toStdString();
    ASSERT_EQ(outputs.reports.size(), 1u);
    EXPECT_FALSE(outputs.reports[0].done);
    EXPECT_EQ(dropped(), 1);  // the run stopped at the first mail
    EXPECT_TRUE(received().empty());

    SmtpTransport healthy(smtpOptions("plain"), prompter);
    ReportMailDispatcher healthyMailer(settings, false, healthy);
    context.mailer = &healthyMailer;
    outputs = {};
    EXPECT_TRUE(ProcessDataFile(dataFile, DataFileMode::SendMails, outputs, context))
        << outputs.error.toStdString();
    ASSERT_EQ(outputs.reports.size(), 2u);
    EXPECT_TRUE(outputs.reports[0].done && outputs.reports[1].done);
    EXPECT_EQ(outputs.reports[1].reportNumber, QStringLiteral("10"));
    const std::vector<ReceivedMail> mails = received();
    ASSERT_EQ(mails.size(), 2u);
    for (const ReceivedMail& mail : mails) {
        ASSERT_EQ(mail.parts.size(), 1u);
        EXPECT_GT(mail.parts[0].payload.size(), 2 * kDropAfter);
        const ParsedEnvelope parsed = ParseEncryptedReportText(mail.parts[0].payload);
        EXPECT_EQ(BlowfishCipher().DecryptReportText(parsed.base64).count("<OBJEKT "), 60);
    }
}
