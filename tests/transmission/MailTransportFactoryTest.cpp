#include "transmission/MailTransportFactory.h"

#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "support/ScriptedPrompter.h"

using namespace telvainn;

namespace {

MailRequest request() {
    MailRequest r;
    r.recipientAddress = QStringLiteral("telva@dalvora.no");
    r.subject = QStringLiteral("Test av TELVA Duv");
    r.body = "Hei";
    return r;
}

QString errorOf(const TSettings& settings) {
    ScriptedPrompter prompter;
    const std::unique_ptr<MailTransport> transport = MakeMailTransport(settings, prompter);
    try {
        transport->SendMail(request());
    } catch (const Error& e) {
        return e.message();
    }
    return QStringLiteral("(ingen feil)");
}

}  // namespace

TEST(MailTransportFactory, WhatIsNotConfiguredOrNotOnThisMachineIsNoMailClient) {
    const QString noClient = QStringLiteral("No Simple MAPI client installed, cannot send the message");
    TSettings smtp;
    smtp.MailTransport = MailTransportKind::Smtp;
    EXPECT_EQ(errorOf(smtp), noClient);

    TSettings sendmail;
    sendmail.MailTransport = MailTransportKind::Sendmail;
    sendmail.SendmailProgram = QStringLiteral("/finnes/ikke/sendmail");
    EXPECT_EQ(errorOf(sendmail), noClient);
}

TEST(MailTransportFactory, SendmailSettingsReachTheProgram) {
    QTemporaryDir dir;
    const QString program = dir.filePath(QStringLiteral("sendmail"));
    {
        QFile file(program);
        ASSERT_TRUE(file.open(QIODevice::WriteOnly));
        file.write(
            "#!/bin/sh\necho \"$@\" > \"$(dirname \"$0\")/argumenter\"\ncat > \"$(dirname "
            "\"$0\")/melding\"\n");
    }
    QFile::setPermissions(program, QFileDevice::ReadOwner | QFileDevice::ExeOwner);
    TSettings settings;
    settings.MailTransport = MailTransportKind::Sendmail;
    settings.SendmailProgram = program + QStringLiteral(" -a konto");
    settings.SenderAddress = QStringLiteral("ola@firma.no");
    settings.SmtpServer = QStringLiteral("brukes.ikke.invalid");
    EXPECT_EQ(errorOf(settings), QStringLiteral("(ingen feil)"));

    QFile arguments(dir.filePath(QStringLiteral("argumenter")));
    ASSERT_TRUE(arguments.open(QIODevice::ReadOnly));
    EXPECT_EQ(arguments.readAll(), QByteArray("-a konto -t -oi\n"));
    QFile message(dir.filePath(QStringLiteral("melding")));
    ASSERT_TRUE(message.open(QIODevice::ReadOnly));
    EXPECT_TRUE(
        message.readAll().contains("\nFrom: <ola@firma.no>\nTo: \"telva@dalvora.no\" <telva@dalvora.no>\n"));
}
