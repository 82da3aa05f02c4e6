#include <QApplication>

#include "core/Signals.h"
#include "ui/MessageBoxPrompter.h"
#include "ui/TfrmMain.h"
#include "ui/Translation.h"
#include "workbook/uno/LibreOffice.h"

using namespace telvainn;

int main(int argc, char** argv) {
    // Closing the terminal, Ctrl-C or SIGTERM take the office along.
    setUpProcessSignals();
    // The arguments as the user gave them: QApplication takes its own options (-reverse, -style...) out
    // of argv, and those are unknown arguments to this program.
    QStringList arguments;
    for (int i = 1; i < argc; ++i) {
        arguments.append(QString::fromLocal8Bit(argv[i]));
    }
    QApplication application(argc, argv);
    QApplication::setApplicationName(QStringLiteral("telvainn"));
    ui::installQtTranslation(application);

    ui::MessageBoxPrompter prompter;
    ui::QtFileDialogs fileDialogs;
    ui::QtDesktopShell shell;
    ui::DesktopServices services = ui::desktopServices(prompter, fileDialogs, shell);
    // The office starts on first need, with windows, so the main window shows at once.
    services.makeExcel = [] {
        excel::uno::LibreOfficeOptions options;
        options.headless = false;
        return excel::uno::makeLibreOfficeApplication(options);
    };
    services.excelAvailable = [] { return excel::uno::libreOfficeAvailable(); };

    ui::TfrmMain window(arguments, services);
    if (window.stopped()) {
        return 0;
    }
    prompter.setParent(&window);
    window.show();
    return QApplication::exec();
}
