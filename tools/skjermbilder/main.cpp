// Saves pictures of the main window, the new-report dialog, the configuration dialog and the guidance
// window, as a user sees them with the sample program folder. Usage: telvainn-skjermbilder FOLDER
// (with TELVAINN_HOME set to a configured program folder).
#include <QApplication>
#include <QDir>
#include <QPlainTextEdit>
#include <QTimer>
#include <cstdio>

#include "core/ProgramInfo.h"
#include "ui/MessageBoxPrompter.h"
#include "ui/TfrmKrypterteFiler.h"
#include "ui/TfrmMain.h"
#include "ui/Translation.h"
#include "workbook/memory/MemoryApplication.h"

using namespace telvainn;

namespace {

bool save(QWidget& window, const QDir& folder, const QString& name) {
    window.show();
    // Let the window manager and the style finish the first paint.
    for (int i = 0; i < 20; ++i) {
        QApplication::processEvents();
    }
    const QString path = folder.filePath(name + QStringLiteral(".png"));
    const bool saved = window.grab().save(path);
    std::fprintf(saved ? stdout : stderr, "%s %s\n", saved ? "Lagret" : "Klarte ikke å lagre",
                 qPrintable(path));
    return saved;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    ui::installQtTranslation(application);
    if (argc != 2) {
        std::fprintf(stderr, "Bruk: telvainn-skjermbilder MAPPE\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(folder.path());

    ui::MessageBoxPrompter prompter;
    ui::QtFileDialogs fileDialogs;
    ui::QtDesktopShell shell;
    ui::DesktopServices services = ui::desktopServices(prompter, fileDialogs, shell);
    services.makeExcel = [] { return std::make_unique<excel::memory::Application>(); };
    services.excelAvailable = [] { return true; };

    bool ok = true;
    // Every dialog is pictured as it opens and then closed again.
    services.runDialog = [&](QDialog& dialog) {
        ok = save(dialog, folder, dialog.objectName()) && ok;
        return static_cast<int>(QDialog::Rejected);
    };

    ui::TfrmMain window({}, services);
    if (window.stopped()) {
        return 1;
    }
    // The lines a new report and its first validation write.
    window.logWindow()->setPlainText(
        QStringLiteral("Starter ny rapport\nFilnavn:    ") + QDir::homePath() +
        QStringLiteral(
            "/Dokumenter/R10-202611.xls\nDsnr:       123\nRegnr:      4567\nRapportnr:  10\n"
            "Periode:    202611\nRapportmal: 25.02.2009\n \nValideringsrapport nr. 1:\n"
            "Antall feillinjer: 0\n------------------------------------\nValidering nr. 1 er ferdig.\n"
            "Radene fra og med 11 til og med 14\ndanner grunnlaget for valideringen."));
    ok = save(window, folder, QStringLiteral("TfrmMain")) && ok;
    window.aNewReport();
    window.aKonfig();

    ui::TfrmKrypterteFiler guidance(prompter, shell, &window);
    guidance.SetAddress(window.settings().RecipientAddress);
    guidance.SetTexts({3, ui::kSourceFlatFile, 2, kProgramVersion, QStringLiteral("F"), QStringLiteral("?"),
                       QStringLiteral("200906"), QStringLiteral("1234"), QStringLiteral("123"),
                       window.settings().EmailSystem, window.settings().RecipientName});
    const QString out = QDir::homePath() + QStringLiteral("/Dokumenter/");
    guidance.SetFiles({out + QStringLiteral("Filnavn"),
                       out + QStringLiteral("Kryptert_fil_Periode200906_RegNr4567_R10.txt"),
                       out + QStringLiteral("Kryptert_fil_Periode200906_RegNr4567_R20.txt"),
                       out + QStringLiteral("Kryptert_fil_Periode200906_RegNr1234_R10.txt")});
    ok = save(guidance, folder, QStringLiteral("TfrmKrypterteFiler")) && ok;
    return ok ? 0 : 1;
}
