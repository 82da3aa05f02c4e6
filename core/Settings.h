#pragma once

#include <QString>

namespace telvainn {

// The agency's addresses the program is delivered with; telvainn.ini may override each of them.
inline const QString kDefaultRecipientName = QStringLiteral("Dalvora");
inline const QString kDefaultRecipientAddress = QStringLiteral("telva@dalvora.no");
inline const QString kDefaultTestRecipientAddress = QStringLiteral("telva-test@dalvora.no");
inline const QString kDefaultSupportAddress = QStringLiteral("telva-support@dalvora.no");
inline const QString kDefaultUserManualAddress = QStringLiteral("https://www.dalvora.no/telva/brukermanual");
inline const QString kDefaultDownloadAddress = QStringLiteral("https://www.dalvora.no/telva/nedlasting");
inline const QString kDefaultEmailSystem = QStringLiteral("Annet");

// How mail leaves this machine: through a mail server over SMTP, or handed to the machine's own mail
// system through a sendmail-compatible program.
enum class MailTransportKind { Smtp, Sendmail };
// The protection of an SMTP connection: none, STARTTLS required on a plain connection, or TLS from the
// first byte. Certificates are always verified and a required protection is never dropped.
enum class SmtpSecurityKind { None, StartTls, Tls };

inline const QString kDefaultSendmailProgram = QStringLiteral("/usr/sbin/sendmail");

// One instance for the run, filled from telvainn.ini at start-up.
struct TSettings {
    int Dsnr = 0;   // 0 = not configured
    int Regnr = 0;  // 0 = not configured
    QString EmailSystem = kDefaultEmailSystem;
    bool WebActivated = false;
    bool RappAsAttachment = false;
    QString RecipientName = kDefaultRecipientName;
    QString RecipientAddress = kDefaultRecipientAddress;  // the test address in test mode
    QString SupportAddress = kDefaultSupportAddress;
    QString UserManualAddress = kDefaultUserManualAddress;
    QString DownloadAddress = kDefaultDownloadAddress;
    bool CheckExcelOnStartup = false;

    // Section "EPOST": how mail is sent. The password of an SMTP login is asked for when needed and is
    // never part of the record.
    MailTransportKind MailTransport = MailTransportKind::Smtp;
    QString SmtpServer;  // empty = no mail server configured
    int SmtpPort = 0;    // 0 = the usual port of SmtpSecurity
    SmtpSecurityKind SmtpSecurity = SmtpSecurityKind::StartTls;
    QString SmtpUser;                                   // empty = no login
    QString SenderAddress;                              // From of every mail
    QString SendmailProgram = kDefaultSendmailProgram;  // may carry arguments of its own
};

}  // namespace telvainn
