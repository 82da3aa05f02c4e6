#include "app/SettingsStore.h"

#include <QFileInfo>

#include "core/Numbers.h"
#include "core/ProfileFile.h"

namespace telvainn {
namespace {

using namespace settings_ini;

// On only for "PÅ" in any letter case and with any surrounding blanks; "JA", "1" and the rest are off.
bool readSwitch(const ProfileFile& profile, const QString& section, const QString& key) {
    return trimmed(profile.readString(section, key, kOff)).toUpper() == kOn;
}

void writeSwitch(ProfileFile& profile, const QString& section, const QString& key, bool on) {
    profile.writeString(section, key, on ? kOn : kOff);
}

MailTransportKind readTransport(const ProfileFile& profile, MailTransportKind defaultTransport) {
    const QString text = trimmed(profile.readString(kSectionEpost, kKeyTransport)).toUpper();
    if (text == kTransportSendmail) {
        return MailTransportKind::Sendmail;
    }
    return text == kTransportSmtp ? MailTransportKind::Smtp : defaultTransport;
}

SmtpSecurityKind readSecurity(const ProfileFile& profile) {
    const QString text = trimmed(profile.readString(kSectionEpost, kKeySmtpSecurity)).toUpper();
    if (text == kSecurityNone) {
        return SmtpSecurityKind::None;
    }
    return text == kSecurityTls ? SmtpSecurityKind::Tls : SmtpSecurityKind::StartTls;
}

const QString& securityText(SmtpSecurityKind security) {
    switch (security) {
        case SmtpSecurityKind::None:
            return kSecurityNone;
        case SmtpSecurityKind::Tls:
            return kSecurityTls;
        case SmtpSecurityKind::StartTls:
            break;
    }
    return kSecurityStartTls;
}

const QString& recipientAddressKey(const RunMode& mode) {
    return mode.test ? kKeyTestRecipientAddress : kKeyRecipientAddress;
}

}  // namespace

MailTransportKind defaultMailTransport(const QString& sendmailProgram) {
    const QFileInfo program(sendmailProgram);
    return program.isFile() && program.isExecutable() ? MailTransportKind::Sendmail : MailTransportKind::Smtp;
}

bool LoadSettings(const QString& iniPath, const RunMode& mode, TSettings& settings,
                  MailTransportKind defaultTransport) {
    const bool existed = QFileInfo::exists(iniPath);
    const ProfileFile profile = ProfileFile::load(iniPath);

    settings.Dsnr = profile.readInteger(kSectionKonfigurasjon, kKeyDsnr, 0);
    settings.Regnr = profile.readInteger(kSectionKonfigurasjon, kKeyRegnr, 0);
    settings.EmailSystem = profile.readString(kSectionEpost, kKeySystem, kDefaultEmailSystem);
    settings.WebActivated = readSwitch(profile, kSectionInternet, kKeyWeb);
    settings.RappAsAttachment = readSwitch(profile, kSectionEpost, kKeyRappAsAttachment);
    settings.MailTransport = readTransport(profile, defaultTransport);
    settings.SmtpServer = profile.readString(kSectionEpost, kKeySmtpServer);
    const int port = profile.readInteger(kSectionEpost, kKeySmtpPort, 0);
    settings.SmtpPort = port > 0 && port <= 65535 ? port : 0;
    settings.SmtpSecurity = readSecurity(profile);
    settings.SmtpUser = profile.readString(kSectionEpost, kKeySmtpUser);
    settings.SenderAddress = profile.readString(kSectionEpost, kKeySender);
    settings.SendmailProgram =
        profile.readString(kSectionEpost, kKeySendmailProgram, kDefaultSendmailProgram);
    settings.RecipientName =
        profile.readString(kSectionAdressering, kKeyRecipientName, kDefaultRecipientName);
    settings.RecipientAddress =
        profile.readString(kSectionAdressering, recipientAddressKey(mode),
                           mode.test ? kDefaultTestRecipientAddress : kDefaultRecipientAddress);
    settings.SupportAddress =
        profile.readString(kSectionAdressering, kKeySupportAddress, kDefaultSupportAddress);
    settings.UserManualAddress =
        profile.readString(kSectionAdressering, kKeyUserManual, kDefaultUserManualAddress);
    settings.DownloadAddress = profile.readString(kSectionAdressering, kKeyDownload, kDefaultDownloadAddress);
    settings.CheckExcelOnStartup = readSwitch(profile, kSectionStartup, kKeyCheckExcel);

    if (existed) {
        return true;
    }
    // A first start leaves a complete file behind for support staff and the configuration dialog.
    SaveSettings(iniPath, mode, settings);
    return false;
}

void SaveSettings(const QString& iniPath, const RunMode& mode, const TSettings& settings) {
    // One locked rewrite instead of one write per key: a refused write leaves the old file whole, and a
    // save of another program in between is never undone.
    ProfileFile::update(iniPath, [&](ProfileFile& profile) {
        // This order decides the order of the sections in a new file: KONFIGURASJON, EPOST, ADRESSERING,
        // INTERNET, STARTUP.
        profile.writeString(kSectionKonfigurasjon, kKeyDsnr, QString::number(settings.Dsnr));
        profile.writeString(kSectionKonfigurasjon, kKeyRegnr, QString::number(settings.Regnr));
        profile.writeString(kSectionEpost, kKeySystem, settings.EmailSystem);
        writeSwitch(profile, kSectionEpost, kKeyRappAsAttachment, settings.RappAsAttachment);
        profile.writeString(
            kSectionEpost, kKeyTransport,
            settings.MailTransport == MailTransportKind::Sendmail ? kTransportSendmail : kTransportSmtp);
        profile.writeString(kSectionEpost, kKeySmtpServer, settings.SmtpServer);
        profile.writeString(kSectionEpost, kKeySmtpPort, QString::number(settings.SmtpPort));
        profile.writeString(kSectionEpost, kKeySmtpSecurity, securityText(settings.SmtpSecurity));
        profile.writeString(kSectionEpost, kKeySmtpUser, settings.SmtpUser);
        profile.writeString(kSectionEpost, kKeySender, settings.SenderAddress);
        profile.writeString(kSectionEpost, kKeySendmailProgram, settings.SendmailProgram);
        profile.writeString(kSectionAdressering, kKeyRecipientName, settings.RecipientName);
        profile.writeString(kSectionAdressering, recipientAddressKey(mode), settings.RecipientAddress);
        profile.writeString(kSectionAdressering, kKeySupportAddress, settings.SupportAddress);
        profile.writeString(kSectionAdressering, kKeyUserManual, settings.UserManualAddress);
        profile.writeString(kSectionAdressering, kKeyDownload, settings.DownloadAddress);
        writeSwitch(profile, kSectionInternet, kKeyWeb, settings.WebActivated);
        writeSwitch(profile, kSectionStartup, kKeyCheckExcel, settings.CheckExcelOnStartup);
    });
}

}  // namespace telvainn
