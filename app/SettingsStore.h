#pragma once

#include <QString>

#include "core/RunMode.h"
#include "core/Settings.h"

namespace telvainn {

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
