#include <QApplication>
#include <QEventLoop>
#include <QTimer>

#include "app/ProgramFolder.h"
#include "core/ProgramInfo.h"
#include "transmission/MailTransportFactory.h"
#include "ui/MessageBoxPrompter.h"
#include "ui/TfrmMain.h"
#include "workbook/uno/LibreOffice.h"

using namespace telvainn;

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("telvainn"));

    ui::MessageBoxPrompter prompter;
    ui::QtFileDialogs fileDialogs;
    ui::QtDesktopShell shell;
    ui::DesktopServices services;
    services.prompter = &prompter;
    services.fileDialogs = &fileDialogs;
    services.shell = &shell;
    services.makeExcel = [] {
        excel::uno::LibreOfficeOptions options;
        options.headless = false;
        return excel::uno::makeLibreOfficeApplication(options);
    };
    services.excelAvailable = [] { return excel::uno::libreOfficeAvailable(); };
    services.makeTransport = &MakeMailTransport;
    services.pause = [](std::chrono::milliseconds duration) {
        QEventLoop loop;
        QTimer::singleShot(duration, &loop, &QEventLoop::quit);
        loop.exec(QEventLoop::ExcludeUserInputEvents);
    };
    services.programFolder = programFolder();
    services.locale = Locale::fromEnvironment();

    QStringList arguments = QApplication::arguments();
    arguments.removeFirst();
    ui::TfrmMain window(arguments, services);
    if (window.stopped()) {
        return 0;
    }
    prompter.setParent(&window);
    window.show();
    return QApplication::exec();
}
