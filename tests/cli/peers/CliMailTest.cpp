#include <gtest/gtest.h>

#include "app/SendHistory.h"
#include "support/CliRunner.h"
#include "support/CoreApplication.h"
#include "support/DataLines.h"
#include "support/HttpPeer.h"
#include "support/Processes.h"
#include "support/SmtpPeer.h"
#include "transmission/BlowfishCipher.h"
#include "transmission/EnvelopeParser.h"

using namespace telvainn;

namespace {

const QString kSample = QStringLiteral(TELVAINN_SAMPLES_DIR "/datafil-eksempel.txt");

// telvainn-cli against a real SMTP server, directly or through msmtp, and against a local web server.
class CliMailTest : public ::testing::Test {
  protected:
    // The SMTP server, started on first use: some tests need none.
    SmtpPeer& peer() {
        if (!m_peer) {
            m_peer = std::make_unique<SmtpPeer>(SmtpPeer::Options{});
            EXPECT_TRUE(m_peer->ready()) << m_peer->error().toStdString();
        }
        return *m_peer;
    }

    QByteArray smtpIni(int port, const QByteArray& extra = {}) const {
        return "[KONFIGURASJON]\r\nDSNR=123\r\nREGNR=4567\r\n"
               "[EPOST]\r\nSYSTEM=Microsoft Outlook/Exchange\r\nTRANSPORT=SMTP\r\nSMTP_SERVER=127.0.0.1\r\n"
               "SMTP_PORT=" +
               QByteArray::number(port) + "\r\nSMTP_SIKKERHET=INGEN\r\nAVSENDER=ola@firma.no\r\n" + extra;
    }

    // The clear-text information and the decrypted report of a mailed envelope.
    static QStringList infoOf(const QByteArray& envelope, QByteArray* report) {
        const ParsedEnvelope parsed = ParseEncryptedReportText(envelope);
        *report = BlowfishCipher().DecryptReportText(parsed.base64);
        return parsed.info;
    }

    // What the runs recorded in the program folder's history, oldest first.
    QList<HistoryRecord> recorded() const {
        ensureCoreApplication();
        SendHistory history(cli.home.path());
        QList<HistoryRecord> records = history.list({.limit = 1000});
        std::reverse(records.begin(), records.end());
        for (HistoryRecord& record : records) {
            record = history.record(record.id).value_or(record);
        }
        EXPECT_EQ(history.takeWarning(), QString());
        return records;
    }

    CliRunner cli;

  private:
    std::unique_ptr<SmtpPeer> m_peer;
};

const QString kSentMessage = QStringLiteral(
    "Programmet skal normalt sende én mail pr. rapport som ligger i den flate fila.\nProgrammet har nå "
    "sendt 3 mail til %1.\nDet er rapporten(e) R10, R20 og R10.\nDu vil motta en kvittering når de er "
    "lest "
    "hos Dalvora.\n");

}  // namespace

namespace {

struct DeliveryMode {
    const char* name;
    bool sendmail;    // through msmtp, else straight to the SMTP server
    bool attachment;  // RAPP_AS_ATTACHMENT
    bool testMode;
};

void PrintTo(const DeliveryMode& mode, std::ostream* os) {
    *os << mode.name;
}

class CliSendDatafilTest : public CliMailTest, public ::testing::WithParamInterface<DeliveryMode> {};

}  // namespace

TEST_P(CliSendDatafilTest, DeliversEveryReportOfTheSampleExactlyAndDecryptably) {
    const DeliveryMode mode = GetParam();
    QByteArray ini =
        "[KONFIGURASJON]\r\nDSNR=123\r\nREGNR=4567\r\n[EPOST]\r\nSYSTEM=Microsoft Outlook/Exchange\r\n"
        "AVSENDER=ola@firma.no\r\n";
    ini += mode.attachment ? "RAPP_AS_ATTACHMENT=P\xC5\r\n" : "RAPP_AS_ATTACHMENT=AV\r\n";
    if (mode.sendmail) {
        const QString rc = cli.home.filePath(QStringLiteral("msmtprc"));
        QFile file(rc);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("account default\nhost 127.0.0.1\nport " + QByteArray::number(peer().port("plain")) +
                   "\nfrom ola@firma.no\nauth off\ntls off\nsyslog off\n");
        file.close();
        QFile::setPermissions(rc, QFileDevice::ReadOwner | QFileDevice::WriteOwner);
        ini += "TRANSPORT=SENDMAIL\r\nSENDMAIL_PROGRAM=/usr/bin/msmtp -C \"" + rc.toLocal8Bit() + "\"\r\n";
    } else {
        ini += "TRANSPORT=SMTP\r\nSMTP_SERVER=127.0.0.1\r\nSMTP_SIKKERHET=INGEN\r\nSMTP_PORT=" +
               QByteArray::number(peer().port("plain")) + "\r\n";
    }
    ini += "[ADRESSERING]\r\nMOTTAKER_ADRESSE=telva@dalvora.no\r\nMOTTAKER_ADRESSE_TEST=test@dalvora.no\r\n";
    cli.configure(ini);
    QStringList args = {QStringLiteral("send-datafil"), kSample};
    if (mode.testMode) {
        args.append(QStringLiteral("--test"));
    }
    const QString address =
        mode.testMode ? QStringLiteral("test@dalvora.no") : QStringLiteral("telva@dalvora.no");

    const CliRun run = cli.run(args);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, kSentMessage.arg(address));
    EXPECT_EQ(run.err, QString());  // Outlook/Exchange and a matching Dsnr ask nothing

    const std::vector<ReceivedMail> mails = peer().mails();
    ASSERT_EQ(mails.size(), 3u);
    const QString prefix = mode.testMode ? QStringLiteral("Telva test - ") : QStringLiteral("Telva - ");
    const QStringList reports = {QStringLiteral("123/4567 R10"), QStringLiteral("123/4567 R20"),
                                 QStringLiteral("123/1234 R10")};
    const int objects[] = {3, 2, 2};
    for (std::size_t i = 0; i < mails.size(); ++i) {
        const ReceivedMail& mail = mails[i];
        const QString& report = reports[static_cast<qsizetype>(i)];
        EXPECT_EQ(mail.subject,
                  prefix + report + QStringLiteral(" F 200906 ver.3.0.5 mail:Microsoft Outlook/Exchange"));
        EXPECT_EQ(mail.rcptTos, QStringList{address});
        EXPECT_EQ(mail.fromAddrSpec, QStringLiteral("ola@firma.no"));
        EXPECT_EQ(mail.toDisplayName, QStringLiteral("Dalvora"));
        EXPECT_EQ(mail.defects, QStringList());
        EXPECT_TRUE(wireLinesAreValid(mail.raw));
        ASSERT_EQ(mail.parts.size(), mode.attachment ? 2u : 1u);
        const QByteArray& envelope = mail.parts.back().payload;
        ASSERT_TRUE(envelope.endsWith("---------SLUTT------------> \r\n"));
        if (mode.attachment) {
            EXPECT_EQ(mail.parts[0].payload, envelope.left(envelope.indexOf("<--------START")));
            EXPECT_EQ(mail.parts[1].filename, QStringLiteral("vedlegg.txt"));
        }
        QByteArray decrypted;
        const QStringList info = infoOf(envelope, &decrypted);
        EXPECT_EQ(info, (QStringList{"123", "F", "200906", "3.0.5", report.mid(4, 4), report.mid(10, 2),
                                     "Microsoft Outlook/Exchange", "FLATFIL"}));
        EXPECT_TRUE(
            decrypted.startsWith("<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n<DVRAPPORT \r\n"));
        EXPECT_TRUE(decrypted.contains(" REGNR=\"" + report.mid(4, 4).toLatin1() + "\" \r\n"));
        EXPECT_EQ(decrypted.count("<OBJEKT "), objects[i]);
        EXPECT_TRUE(decrypted.endsWith("</DATA>\r\n</DVRAPPORT>"));
    }
    // The attachment is made in memory: nothing of it is left in the program folder.
    EXPECT_FALSE(QFile::exists(cli.home.filePath(QStringLiteral("vedlegg.txt"))));

    // The history holds each mail as it left, with what the transport said of it.
    const QList<HistoryRecord> records = recorded();
    ASSERT_EQ(records.size(), 3);
    for (qsizetype i = 0; i < records.size(); ++i) {
        const HistoryRecord& record = records[i];
        const ReceivedMail& mail = mails[static_cast<std::size_t>(i)];
        EXPECT_EQ(record.entry.kind, HistoryKind::Mail);
        EXPECT_EQ(record.entry.mode.test, mode.testMode);
        EXPECT_EQ(record.entry.identity.Regnr, reports[i].mid(4, 4).toInt());
        EXPECT_EQ(record.entry.identity.Periode, QStringLiteral("200906"));
        EXPECT_EQ(record.entry.identity.Rapporttype, QStringLiteral("F"));
        EXPECT_EQ(record.entry.templateVersion, QStringLiteral("FLATFIL"));
        EXPECT_EQ(record.entry.recipient, address);
        EXPECT_EQ(record.entry.transport,
                  mode.sendmail ? QStringLiteral("sendmail") : QStringLiteral("smtp"));
        EXPECT_EQ(record.outcome, HistoryOutcome::Sent);
        EXPECT_EQ(record.reply,
                  mode.sendmail
                      ? QStringLiteral("Message-ID: ") + mail.messageId
                      : QStringLiteral("250 2.0.0 Ok: queued (Message-ID: %1)").arg(mail.messageId));
        EXPECT_EQ(record.entry.bytes + "\r\n", mail.parts.back().payload);
    }
}

INSTANTIATE_TEST_SUITE_P(Modes, CliSendDatafilTest,
                         ::testing::Values(DeliveryMode{"SmtpBody", false, false, false},
                                           DeliveryMode{"SmtpAttachmentTestMode", false, true, true},
                                           DeliveryMode{"SendmailBodyTestMode", true, false, true},
                                           DeliveryMode{"SendmailAttachment", true, true, false}),
                         [](const ::testing::TestParamInfo<DeliveryMode>& info) { return info.param.name; });

TEST_F(CliMailTest, TwoRunsSharingTheProgramFolderNeverMixTheirAttachments) {
    cli.configure(smtpIni(peer().port("plain"), "RAPP_AS_ATTACHMENT=P\xC5\r\n"));
    // Two offices, each with a file of many companies: one reports 10s, the other 20s.
    const auto dataFile = [this](const char* name, int firstRegnr, int report) {
        QStringList lines = {testdata::headerLine()};
        for (int regnr = firstRegnr; regnr < firstRegnr + 25; ++regnr) {
            lines.append(testdata::dataLine({.regnr = regnr, .report = report}));
        }
        const QString path = cli.home.filePath(QString::fromLatin1(name));
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(testdata::fileText(lines).toLatin1());
        return path;
    };
    const QString first = dataFile("a.txt", 1000, 10);
    const QString second = dataFile("b.txt", 2000, 20);
    const auto one = cli.start({QStringLiteral("send-datafil"), first});
    const auto other = cli.start({QStringLiteral("send-datafil"), second});
    const CliRun oneRun = CliRunner::finish(*one);
    const CliRun otherRun = CliRunner::finish(*other);
    ASSERT_EQ(oneRun.exitCode, 0) << oneRun.err.toStdString();
    ASSERT_EQ(otherRun.exitCode, 0) << otherRun.err.toStdString();

    const std::vector<ReceivedMail> mails = peer().mails();
    ASSERT_EQ(mails.size(), 50u);
    for (const ReceivedMail& mail : mails) {
        ASSERT_EQ(mail.parts.size(), 2u);
        QByteArray report;
        const QStringList info = infoOf(mail.parts[1].payload, &report);
        // The subject, the clear text in the body and the report in the attachment are one company's.
        EXPECT_EQ(mail.subject,
                  QStringLiteral("Telva - 123/%1 R%2 F 200906 ver.3.0.5 mail:Microsoft Outlook/Exchange")
                      .arg(info[4], info[5]));
        EXPECT_TRUE(mail.parts[1].payload.startsWith(mail.parts[0].payload));
        EXPECT_TRUE(report.contains(" REGNR=\"" + info[4].toLatin1() + "\" \r\n"));
        EXPECT_TRUE(report.contains(" RAPPORTID=\"" + info[5].toLatin1() + "\" \r\n"));
    }
    EXPECT_FALSE(QFile::exists(cli.home.filePath(QStringLiteral("vedlegg.txt"))));
    // Both recorded every mail in the one history.
    const QList<HistoryRecord> records = recorded();
    ASSERT_EQ(records.size(), 50);
    EXPECT_TRUE(std::all_of(records.begin(), records.end(),
                            [](const HistoryRecord& r) { return r.outcome == HistoryOutcome::Sent; }));
}

TEST_F(CliMailTest, SendDatafilLogsInWithThePasswordFromTheEnvironmentAndStoresItNowhere) {
    cli.configure(smtpIni(peer().port("auth"), "SMTP_BRUKER=ola\r\n"));
    QProcessEnvironment env;
    env.insert(QStringLiteral("TELVAINN_SMTP_PASSORD"), QStringLiteral("hemmelig"));
    const CliRun run = cli.run({QStringLiteral("send-datafil"), kSample}, env);
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    const std::vector<ReceivedMail> mails = peer().mails();
    ASSERT_EQ(mails.size(), 3u);
    EXPECT_EQ(mails[2].login, QStringLiteral("ola"));
    for (const QString& name : QDir(cli.home.path()).entryList(QDir::Files)) {
        EXPECT_FALSE(cli.read(name).contains("hemmelig")) << name.toStdString();
    }

    // Without a terminal and without the variable the login is cancelled: no mail, and the run fails.
    const CliRun cancelled =
        cli.run({QStringLiteral("send-datafil"), kSample, QStringLiteral("--send-igjen")});
    EXPECT_EQ(cancelled.exitCode, 1);
    EXPECT_TRUE(
        cancelled.err.endsWith(QStringLiteral("Klarte ikke å sende filen!\nForsøk i stedet å lagre flat "
                                              "fil som kryptert fil, og send den krypterte "
                                              "filen manuelt.\n\nSendt: ingen.\nIkke sendt: Regnr 4567 R10, "
                                              "Regnr 4567 R20, Regnr 1234 R10.\n")))
        << cancelled.err.toStdString();
    EXPECT_EQ(peer().mails().size(), 3u);
}

TEST_F(CliMailTest, SendDatafilStopsAtTheFirstRefusedMail) {
    SmtpPeer::Options options;
    options.rejectSubject = {QStringLiteral("4567 R20")};
    SmtpPeer rejecting(options);
    ASSERT_TRUE(rejecting.ready()) << rejecting.error().toStdString();
    cli.configure(smtpIni(rejecting.port("plain")));
    const CliRun run = cli.run({QStringLiteral("send-datafil"), kSample});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_EQ(run.out, QString());
    EXPECT_EQ(run.err,
              QStringLiteral("Klarte ikke å sende filen!\nMAPI Error: (2) \"E-posttjeneren 127.0.0.1:%1 tok "
                             "ikke imot e-posten. Tjeneren svarte: 554 5.7.1 Meldingen ble avvist av "
                             "mottakerens filter\"\n\nSendt: Regnr 4567 R10.\nIkke sendt: Regnr 4567 R20.\n")
                  .arg(rejecting.port("plain")));
    const std::vector<ReceivedMail> mails = rejecting.mails();
    ASSERT_EQ(mails.size(), 1u);
    EXPECT_EQ(mails.back().subject,
              QStringLiteral("Telva - 123/4567 R10 F 200906 ver.3.0.5 mail:Microsoft Outlook/Exchange"));
    const QList<HistoryRecord> records = recorded();
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records[0].outcome, HistoryOutcome::Sent);
    EXPECT_EQ(records[1].entry.identity.Rapportnr, 20);
    EXPECT_EQ(records[1].outcome, HistoryOutcome::Failed);
    EXPECT_TRUE(run.err.contains(records[1].reply)) << records[1].reply.toStdString();
}

TEST_F(CliMailTest, AFileSentBeforeGoesAgainOnlyWithSendIgjenAndNeverInPart) {
    cli.configure(smtpIni(peer().port("plain")));
    ASSERT_EQ(cli.run({QStringLiteral("send-datafil"), kSample}).exitCode, 0);
    const QList<HistoryRecord> first = recorded();
    ASSERT_EQ(first.size(), 3);

    const CliRun refused = cli.run({QStringLiteral("send-datafil"), kSample, QStringLiteral("--ja")});
    EXPECT_EQ(refused.exitCode, 1);
    const auto sent = [](const HistoryRecord& record) {
        return record.localTime.toString(QStringLiteral("dd.MM.yyyy 'kl.' HH:mm"));
    };
    EXPECT_EQ(refused.err,
              QStringLiteral("Disse rapportene for periode 200906 i fila er sendt før:\n\n"
                             "Regnr 4567: rapport R10 ble sendt %1.\n"
                             "Regnr 4567: rapport R20 ble sendt %2.\n"
                             "Regnr 1234: rapport R10 ble sendt %3.\n\n"
                             "Vil du sende dem igjen? Svarer du nei, sendes ingen av rapportene i "
                             "fila.\nIngenting sendes igjen uten --send-igjen.\nOperasjonen ble "
                             "avbrutt av brukeren!\n")
                  .arg(sent(first[0]), sent(first[1]), sent(first[2])));
    EXPECT_EQ(peer().mails().size(), 3u);
    EXPECT_EQ(recorded().size(), 3);

    // Test mails never ask; --send-igjen sends the whole file again.
    EXPECT_EQ(cli.run({QStringLiteral("send-datafil"), kSample, QStringLiteral("--test")}).exitCode, 0);
    const CliRun again = cli.run({QStringLiteral("send-datafil"), kSample, QStringLiteral("--send-igjen")});
    EXPECT_EQ(again.exitCode, 0) << again.err.toStdString();
    EXPECT_EQ(peer().mails().size(), 9u);
    EXPECT_EQ(recorded().size(), 9);
}

TEST_F(CliMailTest, AMailWhoseProgramWasKilledBeforeTheServerAnsweredIsUnknownNeverSent) {
    SmtpPeer::Options options;
    options.stall = true;
    SmtpPeer stalling(options);
    ASSERT_TRUE(stalling.ready()) << stalling.error().toStdString();
    cli.configure(smtpIni(stalling.port("stall")));
    const auto run = cli.start({QStringLiteral("send-datafil"), kSample});
    ASSERT_TRUE(waitUntil([&] { return stalling.stalls() == 1; }, 30000));
    run->kill();
    run->waitForFinished(10000);

    const QList<HistoryRecord> records = recorded();
    ASSERT_EQ(records.size(), 1);
    EXPECT_EQ(records[0].outcome, HistoryOutcome::Unknown);
    EXPECT_EQ(records[0].entry.identity.Rapportnr, 10);
    EXPECT_FALSE(records[0].entry.bytes.isEmpty());
}

TEST_F(CliMailTest, TestEpostSendsThePlainTestMail) {
    cli.configure(smtpIni(peer().port("plain")));
    const CliRun run = cli.run(
        {QStringLiteral("test-epost"), QStringLiteral(" ola@firma.no "), QStringLiteral(" Ola Nordmann ")});
    ASSERT_EQ(run.exitCode, 0) << run.err.toStdString();
    EXPECT_EQ(run.out, QStringLiteral("Det er forsøkt sendt en e-post til adressen <ola@firma.no>.\nSjekk om "
                                      "e-posten er mottatt.\n"));
    const std::vector<ReceivedMail> mails = peer().mails();
    ASSERT_EQ(mails.size(), 1u);
    EXPECT_EQ(mails[0].subject, QStringLiteral("Test av TELVA Duv"));
    EXPECT_EQ(mails[0].toDisplayName, QStringLiteral("Ola Nordmann"));
    EXPECT_EQ(mails[0].rcptTos, QStringList{QStringLiteral("ola@firma.no")});
    ASSERT_EQ(mails[0].parts.size(), 1u);
    EXPECT_EQ(mails[0].parts[0].payload,
              QByteArray("Hvis du kan lese dette klarte programmet \xE5 sende mail\r\n"));
}

TEST_F(CliMailTest, TestEpostTellsWhyItFailed) {
    const LocalSocket down(false);
    cli.configure(smtpIni(down.port()));
    const CliRun run = cli.run({QStringLiteral("test-epost"), QStringLiteral("ola@firma.no")});
    EXPECT_EQ(run.exitCode, 1);
    EXPECT_TRUE(run.err.startsWith(QStringLiteral("Dette programmet støtter ikke alle e-post systemer")));
    EXPECT_TRUE(run.err.endsWith(
        QStringLiteral("\nProgrammet klarte ikke å sende noen mail til <ola@firma.no>\n"
                       "MAPI Error: (23) \"Fikk ikke kontakt med e-posttjeneren 127.0.0.1:%1 "
                       "(Couldn't connect to server)\"\n")
            .arg(down.port())))
        << run.err.toStdString();
}

TEST_F(CliMailTest, TestInternettSaysWhetherThePageCouldBeRead) {
    HttpPeer web;
    ASSERT_TRUE(web.ready()) << web.error().toStdString();
    const CliRun connected =
        cli.run({QStringLiteral("test-internett"), QStringLiteral("HTTP://") + web.address("/side")});
    EXPECT_EQ(connected.exitCode, 0);
    EXPECT_EQ(connected.out, QStringLiteral("Maskinen er koblet til Internett\n"));

    const CliRun empty = cli.run({QStringLiteral("test-internett"), web.address("/tom")});
    EXPECT_EQ(empty.exitCode, 1);
    EXPECT_EQ(empty.err, QStringLiteral("Programmet klarte ikke å lese fra web-området:\n") +
                             web.address("/tom") + QLatin1Char('\n'));
    const CliRun missing = cli.run({QStringLiteral("test-internett"), web.address("/mangler")});
    EXPECT_EQ(missing.exitCode, 1);
}
