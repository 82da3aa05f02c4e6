#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include "core/FileIo.h"
#include "support/Processes.h"
#include "support/RaisedMessage.h"
#include "support/ScriptedPrompter.h"
#include "support/SmtpPeer.h"
#include "transmission/SendmailTransport.h"
#include "transmission/SmtpTransport.h"

using namespace telvainn;

namespace {

MailRequest smallMail() {
    MailRequest request;
    request.recipientAddress = QStringLiteral("telva@dalvora.no");
    request.subject = QStringLiteral("Telva - 123/4567 R10 F 200906 ver.3.0.5 mail:Annet");
    request.body = QByteArray(5000, 'x');
    return request;
}

// A sendmail-compatible program of the test, written as a shell script.
QString script(const QTemporaryDir& dir, const char* name, const QByteArray& body) {
    const QString path = dir.filePath(QString::fromLatin1(name));
    QFile file(path);
    EXPECT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("#!/bin/sh\n" + body);
    file.close();
    QFile::setPermissions(path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner);
    return path;
}

}  // namespace

TEST(StalledPeers, AServerThatNeverAnswersAfterTheMessageTakesNoLongerThanTheBoundGoodbyeIncluded) {
    SmtpPeer::Options stalling;
    stalling.stall = true;
    SmtpPeer peer(stalling);
    ASSERT_TRUE(peer.ready()) << peer.error().toStdString();
    SmtpOptions options;
    options.server = QStringLiteral("127.0.0.1");
    options.port = peer.port("stall");
    options.security = SmtpSecurityKind::None;
    options.sender = QStringLiteral("ola@firma.no");
    options.transferTimeout = std::chrono::milliseconds(2000);
    ScriptedPrompter prompter;
    SmtpTransport transport(options, prompter);

    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_EQ(raisedMessage([&] { transport.SendMail(smallMail()); }),
              QStringLiteral("MAPI Error: (23) \"E-posttjeneren 127.0.0.1:%1 svarte ikke innen tidsfristen "
                             "(Timeout was reached)\"")
                  .arg(peer.port("stall")));
    // 2 s and one for the 5 kB; the goodbye gets no more; the rest is room for a loaded machine. Waiting
    // for the goodbye's answer took two minutes more.
    EXPECT_LT(elapsed.elapsed(), 3000 + 15000);
}

TEST(StalledPeers, ASendmailThatDoesNotReadTheWholeMessageHasNotSentIt) {
    QTemporaryDir dir;
    SendmailOptions options;
    options.sender = QStringLiteral("ola@firma.no");
    const QString program = script(dir, "leser-ikke", "exit 0\n");
    options.command = program;
    SendmailTransport notReading(options);
    const QString message = raisedMessage([&] { notReading.SendMail(smallMail()); });
    EXPECT_TRUE(message.startsWith(
        QStringLiteral("MAPI Error: (2) \"%1 avsluttet uten å lese hele e-posten (leste 0 av ").arg(program)))
        << message.toStdString();
    EXPECT_TRUE(message.endsWith(QStringLiteral(" byte), så den ble ikke sendt.\"")));

    const QString partly = script(dir, "leser-litt", "dd bs=1 count=100 of=/dev/null 2>/dev/null\nexit 0\n");
    options.command = partly;
    SendmailTransport readingSome(options);
    EXPECT_TRUE(raisedMessage([&] { readingSome.SendMail(smallMail()); })
                    .startsWith(QStringLiteral(
                                    "MAPI Error: (2) \"%1 avsluttet uten å lese hele e-posten (leste 100 av ")
                                    .arg(partly)));

    const QString reading = script(dir, "leser-alt", "cat > /dev/null\nexit 0\n");
    options.command = reading;
    EXPECT_TRUE(SendmailTransport(options).SendMail(smallMail()));
}

TEST(StalledPeers, ASendmailThatHangsIsEndedWithEverythingItStarted) {
    QTemporaryDir dir;
    const QString pidFile = dir.filePath(QStringLiteral("barn.pid"));
    SendmailOptions options;
    options.sender = QStringLiteral("ola@firma.no");
    const QString program =
        script(dir, "henger", "sleep 600 &\necho $! > \"$1.tmp\"\nmv \"$1.tmp\" \"$1\"\nwait\n");
    options.command = QStringLiteral("%1 %2").arg(program, pidFile);
    options.timeout = std::chrono::milliseconds(1000);
    SendmailTransport transport(options);
    EXPECT_EQ(raisedMessage([&] { transport.SendMail(smallMail()); }),
              QStringLiteral("MAPI Error: (2) \"%1 ble ikke ferdig innen 2 sekunder og ble stoppet.\"")
                  .arg(program));

    const std::optional<QByteArray> pid = readWholeFile(pidFile);
    ASSERT_TRUE(pid) << "the program never started its child";
    const pid_t child = pid->trimmed().toInt();
    ASSERT_GT(child, 0);
    // Killed at once; the system may take a moment to let it go.
    EXPECT_TRUE(waitUntil([child] { return !isRunning(child); }, 10000));
}
