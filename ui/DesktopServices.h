#pragma once

#include <QDate>
#include <QString>
#include <chrono>
#include <functional>
#include <memory>

#include "app/SelfTests.h"
#include "core/Locale.h"
#include "core/Prompter.h"
#include "core/Settings.h"
#include "transmission/MailTransport.h"
#include "ui/DesktopShell.h"
#include "ui/DialogRunner.h"
#include "ui/FileDialogs.h"
#include "workbook/Excel.h"

namespace telvainn::ui {

// Everything the main window reaches outside itself: the user's answers, the spreadsheet engine, the
// mail system, the desktop and the clock. The program passes the real ones, tests scripted ones.
struct DesktopServices {
    Prompter* prompter = nullptr;
    FileDialogs* fileDialogs = nullptr;
    DesktopShell* shell = nullptr;
    DialogRunner runDialog = execDialog;
    // The report manager's engine; it must not start the office before it is first used.
    std::function<std::unique_ptr<excel::Application>()> makeExcel;
    // The availability check of the configuration dialog: a separate engine started and ended.
    std::function<bool()> excelAvailable;
    std::function<std::unique_ptr<MailTransport>(const TSettings&, Prompter&)> makeTransport;
    std::function<InternetSelfTest(const QString&)> internetTest = [](const QString& address) {
        return RunInternetSelfTest(address);
    };
    std::function<QDate()> today = &QDate::currentDate;
    // The pause between choosing a flat file and choosing where its encrypted files go.
    std::function<void(std::chrono::milliseconds)> pause;
    QString programFolder;
    Locale locale;
};

// The services of a program on this desktop: its answers through `prompter`, the desktop's own file
// dialogs and shell, the configured mail transport, the program folder and the user's locale. The
// spreadsheet engine is the caller's to add.
DesktopServices desktopServices(Prompter& prompter, FileDialogs& fileDialogs, DesktopShell& shell);

}  // namespace telvainn::ui
