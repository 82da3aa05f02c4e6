#include "transmission/SendmailTransport.h"

#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

using namespace telvainn;

namespace {

// Sendmail-compatible programs as small shell scripts: they show what the transport does with the
// program's arguments, input, exit status and messages.
class SendmailTransportTest : public ::testing::Test {
  protected:
    QString script(const QString& name, const QByteArray& body) {
        const QString path = dir.filePath(name);
        QFile file(path);
        EXPECT_TRUE(file.open(QIODevice::WriteOnly));
        file.write("#!/bin/sh\n" + body);
        file.close();
        EXPECT_TRUE(QFile::setPermissions(
            path, QFileDevice::ReadOwner | QFileDevice::WriteOwner | QFileDevice::ExeOwner));
        return path;
    }

    static MailRequest request() {
        MailRequest r;
        r.recipientAddress = QStringLiteral("telva@dalvora.no");
        r.recipientName = QStringLiteral("Dalvora");
        r.subject = QStringLiteral("Test av TELVA Duv");
        r.body = "linje 1\r\nlinje 2\r\n";
        return r;
    }

    QString errorOf(const SendmailOptions& options) {
        SendmailTransport transport(options);
        try {
            transport.SendMail(request());
        } catch (const Error& e) {
            return e.message();
        }
        return QStringLiteral("(ingen feil)");
    }

    QByteArray read(const QString& name) const {
        QFile file(dir.filePath(name));
        EXPECT_TRUE(file.open(QIODevice::ReadOnly)) << name.toStdString();
        return file.readAll();
    }

    QTemporaryDir dir;
};

}  // namespace

TEST_F(SendmailTransportTest, TheMessageIsPipedWithLocalLineEndsAndTheProgramsOwnArguments) {
    const QString program = script(QStringLiteral("sendmail"),
                                   "printf '%s\\n' \"$@\" > \"$(dirname \"$0\")/argumenter\"\n"
                                   "cat > \"$(dirname \"$0\")/melding\"\n");
    SendmailOptions options;
    options.command = QStringLiteral("\"%1\" -a \"firma konto\"").arg(program);
    options.sender = QStringLiteral("ola@firma.no");
    SendmailTransport transport(options);
    EXPECT_TRUE(transport.SendMail(request()));

    EXPECT_EQ(read(QStringLiteral("argumenter")), QByteArray("-a\nfirma konto\n-t\n-oi\n"));
    const QByteArray message = read(QStringLiteral("melding"));
    EXPECT_FALSE(message.contains('\r'));
    EXPECT_TRUE(
        message.contains("\nFrom: <ola@firma.no>\nTo: \"Dalvora\" <telva@dalvora.no>\n"
                         "Subject: Test av TELVA Duv\n"));
    const QByteArray body = message.mid(message.indexOf("\n\n") + 2);
    EXPECT_EQ(QByteArray::fromBase64(body), QByteArray("linje 1\r\nlinje 2\r\n"));
}

TEST_F(SendmailTransportTest, AProgramThatIsNotThereMeansNoMailClient) {
    for (const QString& command : {dir.filePath(QStringLiteral("finnes-ikke")),
                                   QStringLiteral("telvainn-finnes-ikke"), QString(), dir.path()}) {
        SendmailOptions options;
        options.command = command;
        EXPECT_EQ(errorOf(options),
                  QStringLiteral("No Simple MAPI client installed, cannot send the message"))
            << command.toStdString();
        EXPECT_FALSE(SendmailTransport::isAvailable(command));
    }
    EXPECT_TRUE(SendmailTransport::isAvailable(QStringLiteral("sh -c true")));
}

TEST_F(SendmailTransportTest, ExitStatusAndStandardErrorBecomeTheError) {
    SendmailOptions options;
    options.command = script(QStringLiteral("midlertidig"),
                             "cat > /dev/null\n"
                             "echo 'sendmail: kan ikke koble til tjeneren' >&2\n"
                             "echo '  prøv igjen senere' >&2\n"
                             "exit 75\n");
    EXPECT_EQ(errorOf(options),
              QStringLiteral("MAPI Error: (23) \"%1 avsluttet med status 75: sendmail: kan ikke "
                             "koble til tjeneren prøv igjen senere\"")
                  .arg(options.command));

    options.command = script(QStringLiteral("ukjent-mottaker"), "echo 'ukjent bruker' >&2\nexit 67\n");
    EXPECT_EQ(errorOf(options),
              QStringLiteral("MAPI Error: (14) \"%1 avsluttet med status 67: ukjent bruker\"")
                  .arg(options.command));

    options.command = script(QStringLiteral("stille"), "exit 1\n");
    EXPECT_EQ(errorOf(options),
              QStringLiteral("MAPI Error: (2) \"%1 avsluttet med status 1: ingen melding fra programmet\"")
                  .arg(options.command));

    options.command = script(QStringLiteral("krasj"), "kill -9 $$\n");
    EXPECT_EQ(errorOf(options),
              QStringLiteral("MAPI Error: (2) \"%1 stoppet uventet: Process crashed\"").arg(options.command));
}

TEST_F(SendmailTransportTest, AProgramThatHangsIsStopped) {
    SendmailOptions options;
    options.command = script(QStringLiteral("henger"), "exec sleep 30\n");
    options.timeout = std::chrono::milliseconds(500);
    options.bytesPerSecond = 1 << 30;
    QElapsedTimer elapsed;
    elapsed.start();
    EXPECT_EQ(errorOf(options),
              QStringLiteral("MAPI Error: (2) \"%1 ble ikke ferdig innen 1 sekunder og ble stoppet.\"")
                  .arg(options.command));
    EXPECT_LT(elapsed.elapsed(), 5000);
}
