#include "ui/DesktopServices.h"

#include <QEventLoop>
#include <QTimer>

#include "app/ProgramFolder.h"
#include "transmission/MailTransportFactory.h"

namespace telvainn::ui {

DesktopServices desktopServices(Prompter& prompter, FileDialogs& fileDialogs, DesktopShell& shell) {
    DesktopServices services;
    services.prompter = &prompter;
    services.fileDialogs = &fileDialogs;
    services.shell = &shell;
    services.makeTransport = &MakeMailTransport;
    // The window keeps painting while it waits.
    services.pause = [](std::chrono::milliseconds duration) {
        QEventLoop loop;
        QTimer::singleShot(duration, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    };
    services.programFolder = programFolder();
    services.locale = Locale::fromEnvironment();
    return services;
}

}  // namespace telvainn::ui
