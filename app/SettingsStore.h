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

// How a switch is stored: "PÅ" (the bytes 0x50 0xC5 in the file) or "AV".
inline const QString kOn = QStringLiteral("P\u00C5");
inline const QString kOff = QStringLiteral("AV");
}  // namespace settings_ini

// Fills `settings` from the profile file at `iniPath`; every missing key takes its default (the recipient
// address key and its default follow `mode`). Returns whether the file existed before the call. A missing
// file is created at once with every key (SaveSettings) and the result is false; an existing file is
// only read. Raises Error when the file exists but cannot be read, or cannot be created.
bool LoadSettings(const QString& iniPath, const RunMode& mode, TSettings& settings);

// Writes every field of `settings` (Dsnr and Regnr included) to the profile file at `iniPath`, keeping
// the file's other lines as they are. In test mode the recipient address goes to
// "MOTTAKER_ADRESSE_TEST", otherwise to "MOTTAKER_ADRESSE"; the other key is left alone. The file is
// replaced in one atomic step, so either every key is written or the old file stays as it was.
// Raises Error("Unable to write to <full path>").
void SaveSettings(const QString& iniPath, const RunMode& mode, const TSettings& settings);

}  // namespace telvainn
