#pragma once

#include <QString>
#include <chrono>
#include <optional>

#include "core/Prompter.h"
#include "core/Settings.h"
#include "transmission/MailTransport.h"

namespace telvainn {

struct SmtpOptions {
    QString server;
    int port = 0;  // 0: the usual port of `security`
    SmtpSecurityKind security = SmtpSecurityKind::StartTls;
    QString user;    // empty: no login
    QString sender;  // empty: the login name when it is an address
    // Certificates (PEM) to trust besides the system's own, for a company's own certificate authority.
    QString extraCaFile;
    std::chrono::milliseconds connectTimeout{15000};
    // The whole transfer may take this long plus one second for every `bytesPerSecond` of the message.
    std::chrono::milliseconds transferTimeout{60000};
    qint64 bytesPerSecond = 8192;
};

// 25 without protection, 587 (submission) with STARTTLS, 465 with TLS.
int standardSmtpPort(SmtpSecurityKind security);

// The sender a mail server is given: the configured one, else an address-like login name, as mail
// clients do; empty when there is neither.
QString smtpSender(const QString& sender, const QString& user);

// Sends through a mail server with libcurl. A login's password is asked through the Prompter the first
// time it is needed and kept in memory for the life of the transport, so a data file of many reports asks
// once; a refused login forgets it, so the next mail asks again.
class SmtpTransport : public MailTransport {
  public:
    SmtpTransport(SmtpOptions options, Prompter& prompter);
    ~SmtpTransport() override;
    SmtpTransport(const SmtpTransport&) = delete;
    SmtpTransport& operator=(const SmtpTransport&) = delete;

    bool SendMail(const MailRequest& request) override;
    QString receipt() const override { return m_receipt; }

  private:
    void forgetPassword();

    SmtpOptions m_options;
    Prompter& m_prompter;
    std::optional<QString> m_password;
    QString m_receipt;
};

}  // namespace telvainn
