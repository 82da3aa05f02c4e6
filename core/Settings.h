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
};

}  // namespace telvainn
