// Saves pictures of every window of the desktop program, and of the questions and messages of the two
// flat data file commands, as a user sees them with the sample program folder on the screen the program
// runs on. Usage: telvainn-skjermbilder FOLDER DATAFIL UTMAPPE (with TELVAINN_HOME set to a program
// folder with the sample templates): DATAFIL is a flat data file, UTMAPPE an empty folder for the
// encrypted files.
#include <QApplication>
#include <QDir>
#include <QFile>
#include <QPlainTextEdit>
#include <QTabWidget>
#include <cstdio>

#include "ModalAnswers.h"
#include "SampleHistory.h"
#include "app/ProgramFolder.h"
#include "app/SettingsStore.h"
#include "ui/DataFileProgressWindow.h"
#include "ui/MessageBoxPrompter.h"
#include "ui/TfrmHistorikk.h"
#include "ui/TfrmMain.h"
#include "ui/Translation.h"
#include "workbook/memory/MemoryApplication.h"

using namespace telvainn;

namespace {

// A reporter whose mail server asks for a password. For the pictured send the server is this machine's,
// where nothing answers, so the send shows its failure without reaching anyone.
void configure(bool serverOfThisMachine) {
    TSettings settings;
    settings.Dsnr = 123;
    settings.Regnr = 4567;
    settings.EmailSystem = QStringLiteral("Annet");
    settings.MailTransport = MailTransportKind::Smtp;
    settings.SmtpServer = serverOfThisMachine ? QStringLiteral("localhost") : QStringLiteral("smtp.firma.no");
    settings.SmtpPort = serverOfThisMachine ? 2 : 0;
    settings.SmtpSecurity = serverOfThisMachine ? SmtpSecurityKind::None : SmtpSecurityKind::StartTls;
    settings.SmtpUser = QStringLiteral("rapport");
    settings.SenderAddress = QStringLiteral("rapport@firma.no");
    SaveSettings(settingsFilePath(programFolder()), RunMode{}, settings);
}

// The data file with another data centre in its first line than the one configured, so that the
// commands ask about it.
QString dataFileOfAnotherDataCentre(const QString& dataFile, const QString& outputFolder) {
    QFile source(dataFile);
    if (!source.open(QIODevice::ReadOnly)) {
        return {};
    }
    QByteArray bytes = source.readAll();
    bytes.replace(1, 3, "124");
    const QString copy = QDir(outputFolder).filePath(QStringLiteral("datafil.txt"));
    QFile target(copy);
    if (!target.open(QIODevice::WriteOnly) || target.write(bytes) != bytes.size()) {
        return {};
    }
    return copy;
}

}  // namespace

int main(int argc, char** argv) {
    QApplication application(argc, argv);
    ui::installQtTranslation(application);
    if (argc != 4) {
        std::fprintf(stderr, "Bruk: telvainn-skjermbilder MAPPE DATAFIL UTMAPPE\n");
        return 2;
    }
    const QDir folder(QString::fromLocal8Bit(argv[1]));
    QDir().mkpath(folder.path());
    const QString outputFolder = QString::fromLocal8Bit(argv[3]);
    const QString dataFile = dataFileOfAnotherDataCentre(QString::fromLocal8Bit(argv[2]), outputFolder);
    if (dataFile.isEmpty()) {
        std::fprintf(stderr, "Klarte ikke å lage datafila i %s\n", argv[3]);
        return 1;
    }
    configure(false);

    ui::MessageBoxPrompter prompter;
    ui::QtFileDialogs fileDialogs;
    ui::QtDesktopShell shell;
    ui::DesktopServices services = ui::desktopServices(prompter, fileDialogs, shell);
    services.makeExcel = [] { return std::make_unique<excel::memory::Application>(); };
    services.excelAvailable = [] { return true; };

    bool ok = true;
    bool picturing = true;
    // Every window of the program's own is pictured as it opens and then closed again.
    services.runDialog = [&](QDialog& dialog) {
        if (picturing) {
            ok = savePicture(dialog, folder, dialog.objectName()) && ok;
        }
        return static_cast<int>(QDialog::Rejected);
    };

    ui::TfrmMain window({}, services);
    if (window.stopped()) {
        return 1;
    }
    prompter.setParent(&window);
    // The lines a new report and its first validation write.
    window.logWindow()->setPlainText(
        QStringLiteral("Starter ny rapport\nFilnavn:    ") + QDir::homePath() +
        QStringLiteral(
            "/Dokumenter/R10-202611.xls\nDsnr:       123\nRegnr:      4567\nRapportnr:  10\n"
            "Periode:    202611\nRapportmal: 25.02.2009\n \nValideringsrapport nr. 1:\n"
            "Antall feillinjer: 0\n------------------------------------\nValidering nr. 1 er ferdig.\n"
            "Radene fra og med 11 til og med 14\ndanner grunnlaget for valideringen."));
    ok = savePicture(window, folder, QStringLiteral("TfrmMain")) && ok;
    window.aNewReport();
    window.aKonfig();
    window.aAbout();
    window.btnHjemmesideClick();

    // The history of a year's reports, before the pictured send below adds to it: the list, and the
    // overview on the day the sample stands on.
    if (!fillSampleHistory(programFolder())) {
        std::fprintf(stderr, "Klarte ikke å fylle historikken\n");
        return 1;
    }
    {
        ui::TfrmHistorikk history(
            window.history(),
            {&prompter, &fileDialogs, services.runDialog, [] { return kSampleHistoryToday; }, {}}, 4567,
            &window);
        ok = savePicture(history, folder, QStringLiteral("TfrmHistorikk")) && ok;
        history.findChild<QTabWidget*>()->setCurrentIndex(1);
        ok = savePicture(history, folder, QStringLiteral("TfrmHistorikk-oversikt")) && ok;
    }

    {
        ui::DataFileProgressWindow progress(&window);
        progress({1, 3, QStringLiteral("4567"), QStringLiteral("20")});
        ok = savePicture(*progress.dialog(), folder, QStringLiteral("DataFileProgress")) && ok;
    }

    // The flat data file commands as a person goes through them: saved as encrypted files, the same
    // cancelled at the folder, and sent by mail.
    ModalAnswers person(folder, dataFile, outputFolder);
    person.expect({QStringLiteral("Flatfil-Dsnr-sporsmal")});
    window.aLagre2();
    person.setCancelFolder(true);
    person.expect({QString(), QStringLiteral("Flatfil-avbrutt")});
    window.aLagre2();
    // The configuration read again, unseen, sends to this machine.
    configure(true);
    picturing = false;
    window.aKonfig();
    picturing = true;
    person.expect({QString(), QStringLiteral("Flatfil-send-sporsmal"), QStringLiteral("Flatfil-send-passord"),
                   QStringLiteral("Flatfil-send-resultat")});
    window.aSendAttachment();
    if (!person.ok()) {
        std::fprintf(stderr, "Kommandoene for flate filer viste ikke de ventede vinduene\n");
        ok = false;
    }
    return ok ? 0 : 1;
}
