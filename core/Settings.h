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

// Sections and keys of telvainn.ini that hold the settings record. The "VERSJONER" section of the same
// file belongs to the template version record.
namespace settings_ini {
inline const QString kSectionKonfigurasjon = QStringLiteral("KONFIGURASJON");
inline const QString kSectionEpost = QStringLiteral("EPOST");
inline const QString kSectionAdressering = QStringLiteral("ADRESSERING");
inline const QString kSectionInternet = QStringLiteral("INTERNET");
inline const QString kSectionStartup = QStringLiteral("STARTUP");

inline const QString kKeyDsnr = QStringLiteral("DSNR");
inline const QString kKeyRegnr = QStringLiteral("REGNR");
inline const QString kKeySystem = QStringLiteral("SYSTEM");
inline const QString kKeyRappAsAttachment = QStringLiteral("RAPP_AS_ATTACHMENT");
inline const QString kKeyWeb = QStringLiteral("WEB");
inline const QString kKeyRecipientName = QStringLiteral("MOTTAKER_NAVN");
inline const QString kKeyRecipientAddress = QStringLiteral("MOTTAKER_ADRESSE");
inline const QString kKeyTestRecipientAddress = QStringLiteral("MOTTAKER_ADRESSE_TEST");
inline const QString kKeySupportAddress = QStringLiteral("SUPPORT_ADRESSE");
inline const QString kKeyUserManual = QStringLiteral("BRUKERMANUAL");
inline const QString kKeyDownload = QStringLiteral("NEDLASTING");
inline const QString kKeyCheckExcel = QStringLiteral("CHECKEXCEL");
inline const QString kKeyTransport = QStringLiteral("TRANSPORT");
inline const QString kKeySmtpServer = QStringLiteral("SMTP_SERVER");
inline const QString kKeySmtpPort = QStringLiteral("SMTP_PORT");
inline const QString kKeySmtpSecurity = QStringLiteral("SMTP_SIKKERHET");
inline const QString kKeySmtpUser = QStringLiteral("SMTP_BRUKER");
inline const QString kKeySender = QStringLiteral("AVSENDER");
inline const QString kKeySendmailProgram = QStringLiteral("SENDMAIL_PROGRAM");

inline const QString kTransportSmtp = QStringLiteral("SMTP");
inline const QString kTransportSendmail = QStringLiteral("SENDMAIL");
inline const QString kSecurityNone = QStringLiteral("INGEN");
inline const QString kSecurityStartTls = QStringLiteral("STARTTLS");
inline const QString kSecurityTls = QStringLiteral("TLS");

// How a switch is stored: "PÅ" (the bytes 0x50 0xC5 in the file) or "AV".
inline const QString kOn = QStringLiteral("P\u00C5");
inline const QString kOff = QStringLiteral("AV");
}  // namespace settings_ini

// Raises, naming the setting, when a value that goes into an envelope's clear-text block or a mail's
// header fields holds a control character (TAB aside): a CR there breaks the block's layout or the
// header, so nothing may be saved or sent with it.
void requireNoControlCharacter(const QString& value, const QString& section, const QString& key);

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
