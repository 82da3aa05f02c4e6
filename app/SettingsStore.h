#pragma once

#include <QString>

#include "core/RunMode.h"
#include "core/Settings.h"

namespace telvainn {

// Sections and keys of telvainn.ini that hold the settings record. The "VERSJONER" section of the same
// file belongs to the template version record and is never touched here.
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

// The transport of a settings file that names none: the machine's own mail system when it has the
// sendmail program, else SMTP, which reports that no mail client is installed until a server is set.
MailTransportKind defaultMailTransport(const QString& sendmailProgram = kDefaultSendmailProgram);

// Fills `settings` from the profile file at `iniPath`; every missing key takes its default (the recipient
// address key and its default follow `mode`; a missing "TRANSPORT" is `defaultTransport`). Returns
// whether the file existed before the call. A missing file is created at once with every key
// (SaveSettings) and the result is false; an existing file is only read. Raises Error when the file
// exists but cannot be read, or cannot be created.
//
// In "EPOST", "TRANSPORT" reads "SMTP" or "SENDMAIL" and "SMTP_SIKKERHET" reads "INGEN", "STARTTLS" or
// "TLS", in any letter case; any other text gives the default, for the security STARTTLS, so that a
// mistyped value never turns protection off. "SMTP_PORT" outside 1-65535 reads as 0, the usual port
// of the security.
bool LoadSettings(const QString& iniPath, const RunMode& mode, TSettings& settings,
                  MailTransportKind defaultTransport = defaultMailTransport());

// Writes every field of `settings` (Dsnr and Regnr included) to the profile file at `iniPath`, keeping
// the file's other lines as they are. In test mode the recipient address goes to
// "MOTTAKER_ADRESSE_TEST", otherwise to "MOTTAKER_ADRESSE"; the other key is left alone. The file is
// replaced in one atomic step, so either every key is written or the old file stays as it was.
// Raises Error("Unable to write to <full path>").
void SaveSettings(const QString& iniPath, const RunMode& mode, const TSettings& settings);

}  // namespace telvainn
