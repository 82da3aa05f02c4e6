#pragma once

#include <QString>
#include <QStringList>
#include <chrono>

#include "transmission/MailTransport.h"

namespace telvainn {

struct SendmailOptions {
    // The program, optionally followed by arguments of its own ("/usr/bin/msmtp -a firma"); split into
    // words at blanks, a word with blanks in double quotes. No shell is involved.
    QString command = QStringLiteral("/usr/sbin/sendmail");
    QString sender;  // From of the mail; empty: the mail system puts in its own
    // The program may take this long plus one second for every `bytesPerSecond` of the message.
    std::chrono::milliseconds timeout{60000};
    qint64 bytesPerSecond = 8192;
};

// Hands the mail to the machine's own mail system through a sendmail-compatible program, called with
// "-t -oi": the recipients come from the To field, and a line holding a lone dot does not end the
// message. The program's exit status and what it wrote on standard error become the error; a program
// that ends well without having read the whole message has not sent it either. One that is not done in
// time is killed with its whole process group.
class SendmailTransport : public MailTransport {
  public:
    explicit SendmailTransport(SendmailOptions options);

    bool SendMail(const MailRequest& request) override;
    QString receipt() const override { return m_receipt; }

    // The program's words, or nothing when the command is empty.
    static QStringList commandWords(const QString& command);
    // Whether the command's program exists here as an executable (looked up in PATH when it is a bare
    // name).
    static bool isAvailable(const QString& command);

  private:
    SendmailOptions m_options;
    QString m_receipt;
};

}  // namespace telvainn
