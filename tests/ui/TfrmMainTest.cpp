#include <gtest/gtest.h>

#include <QAction>
#include <QComboBox>
#include <QCoreApplication>
#include <QDir>
#include <QFile>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QRadioButton>
#include <QTemporaryDir>
#include <QToolButton>

#include "app/SettingsStore.h"
#include "app/TemplateVersions.h"
#include "core/FileIo.h"
#include "core/ReportCatalogue.h"
#include "report/TVeskReport.h"
#include "support/MemoryProgramFolder.h"
#include "support/RecordingMailTransport.h"
#include "support/ScriptedPrompter.h"
#include "support/ScriptedUi.h"
#include "ui/TfrmMain.h"

using namespace telvainn;
using telvainn::ui::TfrmMain;

namespace {

const QString kSample = QStringLiteral(TELVAINN_SAMPLES_DIR "/datafil-eksempel.txt");

// A program folder of its own with the sample templates, the answers of a user, and the in-memory
// engine behind the window.
class MainWindowTest : public ::testing::Test {
  protected:
    MainWindowTest() {
        QDir(home.path()).mkpath(QStringLiteral("maler"));
        for (const int reportNumber : kReportNumbers) {
            QFile::copy(templatePath(testsupport::memoryProgramFolder(), reportNumber),
                        templatePath(home.path(), reportNumber));
        }
    }

    // A settings file for Dsnr 123 and Regnr 4567 with the given mail system.
    void configure(const QString& emailSystem = QStringLiteral("Microsoft Outlook/Exchange")) {
        TSettings settings;
        settings.Dsnr = 123;
        settings.Regnr = 4567;
        settings.EmailSystem = emailSystem;
        SaveSettings(iniPath(), RunMode{}, settings);
    }
    QString iniPath() const { return home.filePath(QStringLiteral("telvainn.ini")); }
    QString path(const char* name) const { return home.filePath(QString::fromLatin1(name)); }

    std::unique_ptr<TfrmMain> start(const QStringList& arguments = {}) {
        ui::DesktopServices services;
        services.prompter = &prompter;
        services.fileDialogs = &files;
        services.shell = &shell;
        services.runDialog = std::ref(dialogs);
        services.makeExcel = [this] {
            auto app = std::make_unique<excel::memory::Application>();
            engine = app.get();
            return app;
        };
        services.excelAvailable = [] { return true; };
        services.makeTransport = [this](const TSettings&, Prompter&) {
            return std::make_unique<ForwardingTransport>(mail);
        };
        services.today = [] { return QDate(2009, 6, 15); };
        services.programFolder = home.path();
        services.locale.decimalSeparator = QLatin1Char(',');
        return std::make_unique<TfrmMain>(arguments, services);
    }

    // A new report 10 for 200905 at `file`, through the dialog and the save dialog.
    void newReport(TfrmMain& window, const QString& file) {
        dialogs.then([](QDialog& dialog) {
            dialog.findChild<QLineEdit*>(QStringLiteral("edtPeriode"))->setText(QStringLiteral("200905"));
            return static_cast<int>(QDialog::Accepted);
        });
        files.answers.push_back(file);
        window.aNewReport();
    }

    // One data row in the open report, as the user would type it.
    static void fillRow(TfrmMain& window) {
        excel::Worksheet& sheet = window.reports()->CurrentReport()->reportSheet();
        sheet.SetCell(11, 1, QStringLiteral("Innskudd, Østlandet"));
        sheet.SetCell(11, 2, 6001234.0);
        sheet.SetCell(11, 4, 810.0);
        sheet.SetCell(11, 6, 1.0);
        sheet.SetCell(11, 7, -250.75);
    }

    bool enabled(TfrmMain& window, const char* action) {
        return window.findChild<QAction*>(QString::fromLatin1(action))->isEnabled();
    }
    QStringList log(TfrmMain& window) { return window.logWindow()->toPlainText().split(QLatin1Char('\n')); }

    // The window's transport is made per run; the mails all land here.
    struct ForwardingTransport : MailTransport {
        explicit ForwardingTransport(RecordingMailTransport& target) : target(target) {}
        bool SendMail(const MailRequest& request) override { return target.SendMail(request); }
        RecordingMailTransport& target;
    };

    QTemporaryDir home;
    ScriptedPrompter prompter;
    testsupport::ScriptedFileDialogs files;
    testsupport::RecordingShell shell;
    testsupport::ScriptedDialogs dialogs;
    RecordingMailTransport mail;
    excel::memory::Application* engine = nullptr;
};

}  // namespace

TEST_F(MainWindowTest, NoToTheModeQuestionCreatesNothing) {
    prompter = ScriptedPrompter({Answer::No});
    const auto window = start({QStringLiteral("-test")});
    EXPECT_TRUE(window->stopped());
    EXPECT_EQ(window->reports(), nullptr);
    EXPECT_FALSE(QFile::exists(iniPath()));
    EXPECT_TRUE(dialogs.shown.isEmpty());

    prompter = ScriptedPrompter({Answer::Ok});
    EXPECT_TRUE(start({QStringLiteral("-TEST"), QStringLiteral("-DATAFIL")})->stopped());
    EXPECT_FALSE(QFile::exists(iniPath()));
}

TEST_F(MainWindowTest, FirstStartOpensTheConfigurationAndCreatesTheSettingsFile) {
    dialogs.then([](QDialog&) { return static_cast<int>(QDialog::Rejected); });
    const auto window = start();
    EXPECT_EQ(dialogs.shown, QStringList{QStringLiteral("TfrmKonfig")});
    EXPECT_TRUE(QFile::exists(iniPath()));
    EXPECT_FALSE(window->stopped());

    // Configured: no dialog the next time.
    const auto again = start();
    EXPECT_EQ(dialogs.shown.size(), 1);
}

TEST_F(MainWindowTest, CaptionAndLayoutFollowTheRunMode) {
    configure();
    const auto production = start();
    production->show();
    EXPECT_EQ(production->windowTitle(),
              QStringLiteral("Innsending av TELVA-data til Dalvora som kryptert e-post"));
    EXPECT_EQ(production->size(), QSize(1014, 297));
    EXPECT_EQ(production->minimumSize(), QSize(878, 297));
    const QPlainTextEdit* memo = production->logWindow();
    EXPECT_EQ(memo->geometry(), QRect(520, 32, 1014 - 520 - 13, 297 - 32 - 52));
    const auto* print = production->findChild<QToolButton*>(QStringLiteral("btnPrintLog"));
    EXPECT_EQ(print->x() + print->width(), memo->x() + memo->width());
    EXPECT_TRUE(production->findChild<QToolButton*>(QStringLiteral("btnNew"))->text().isEmpty());
    EXPECT_EQ(production->findChild<QToolButton*>(QStringLiteral("btnAbout"))->text(), QStringLiteral("i"));
    EXPECT_FALSE(production->findChild<QWidget*>(QStringLiteral("btnLagDatafil"))->isVisible());

    prompter = ScriptedPrompter({Answer::Yes});
    const auto test = start({QStringLiteral("-Test")});
    test->show();
    EXPECT_EQ(test->windowTitle(),
              QStringLiteral("Innsending av TELVA-data til Dalvora som kryptert e-post  -  TESTMODUS"));

    prompter = ScriptedPrompter({Answer::Yes});
    const auto dataFile = start({QStringLiteral("-DATAFIL")});
    dataFile->show();
    EXPECT_EQ(dataFile->windowTitle(),
              QStringLiteral("Program for generering av datafil for TELVA-rapporter"));
    for (const char* hidden : {"btnSendReport", "lblSend", "btnSendFile", "lblSendFile", "btnSave",
                               "lblSave1", "lblSave2", "btnSave2", "lblSave3", "lblSave4"}) {
        EXPECT_FALSE(dataFile->findChild<QWidget*>(QString::fromLatin1(hidden))->isVisible()) << hidden;
    }
    EXPECT_TRUE(dataFile->findChild<QWidget*>(QStringLiteral("btnLagDatafil"))->isVisible());
    EXPECT_EQ(dataFile->findChild<QWidget*>(QStringLiteral("btnLagDatafil"))->geometry(),
              dataFile->findChild<QWidget*>(QStringLiteral("btnSendReport"))->geometry());
    EXPECT_EQ(dataFile->findChild<QWidget*>(QStringLiteral("lblLagDatafil"))->geometry(),
              dataFile->findChild<QWidget*>(QStringLiteral("lblSend"))->geometry());
}

TEST_F(MainWindowTest, TemplateChecksFollowTheFirstPaint) {
    TSettings settings;
    settings.Dsnr = 123;
    settings.Regnr = 4567;
    settings.CheckExcelOnStartup = true;
    SaveSettings(iniPath(), RunMode{}, settings);
    QFile::remove(templatePath(home.path(), 35));
    const auto window = start();
    EXPECT_TRUE(prompter.messages.isEmpty());
    window->show();
    QCoreApplication::processEvents();
    // The messages speak of "Maler" beside the program file; the folder really read follows.
    const QString folderLine =
        QStringLiteral("\r\n") + QDir(home.path()).absolutePath() + QStringLiteral("/maler");
    EXPECT_EQ(
        prompter.messages,
        (QStringList{QStringLiteral("Kunne ikke finne en eller flere av rapport-malene i Excel.\r\nHvis du "
                                    "benytter dette programmet mot Excel, må du sørge for at malene ligger i "
                                    "mappen \"Maler\" under mappen der denne programfila ligger.") +
                         folderLine,
                     kTemplatesUnreachableMessage + folderLine}));
    // The readable templates are recorded all the same.
    QFile ini(iniPath());
    ASSERT_TRUE(ini.open(QIODevice::ReadOnly));
    const QByteArray text = ini.readAll();
    EXPECT_TRUE(text.contains("R10=") && text.contains("programversion=") && !text.contains("R35="));
}

// Whether any pixel of the widget as drawn is purple, the colour of the notes under the save commands;
// a greyed text has no such pixel.
bool drawnInPurple(QWidget& widget) {
    const QImage image = widget.grab().toImage();
    for (int y = 0; y < image.height(); ++y) {
        for (int x = 0; x < image.width(); ++x) {
            const QColor pixel = image.pixelColor(x, y);
            if (pixel.red() - pixel.green() > 40 && pixel.blue() - pixel.green() > 40) {
                return true;
            }
        }
    }
    return false;
}

TEST_F(MainWindowTest, ReportCommandsFollowTheOpenReport) {
    configure();
    const auto window = start();
    window->show();
    for (const char* action : {"aValidate", "aLagre", "aSend", "aLagDatafil"}) {
        EXPECT_FALSE(enabled(*window, action)) << action;
    }
    EXPECT_TRUE(enabled(*window, "aNewReport"));
    // The note under the save command greys with it; the one under a command that can be used is purple.
    QLabel* saveNote = window->findChild<QLabel*>(QStringLiteral("lblSave2"));
    QLabel* flatFileNote = window->findChild<QLabel*>(QStringLiteral("lblSave4"));
    ASSERT_TRUE(saveNote != nullptr && flatFileNote != nullptr);
    EXPECT_FALSE(drawnInPurple(*saveNote));
    EXPECT_TRUE(drawnInPurple(*flatFileNote));

    newReport(*window, path("R10-200905.xls"));
    ASSERT_NE(window->reports()->CurrentReport(), nullptr);
    EXPECT_EQ(log(*window), window->reports()->CurrentReport()->logLines());
    for (const char* action : {"aValidate", "aLagre", "aSend"}) {
        EXPECT_TRUE(enabled(*window, action)) << action;
    }
    EXPECT_FALSE(enabled(*window, "aLagDatafil"));
    EXPECT_TRUE(drawnInPurple(*saveNote));

    // The user closes the workbook in the spreadsheet program.
    engine->UserCloses(QStringLiteral("R10-200905.xls"));
    engine->DeliverNotifications();
    EXPECT_EQ(window->reports()->CurrentReport(), nullptr);
    EXPECT_TRUE(window->logWindow()->toPlainText().isEmpty());
    for (const char* action : {"aValidate", "aLagre", "aSend"}) {
        EXPECT_FALSE(enabled(*window, action)) << action;
    }
}

TEST_F(MainWindowTest, NewReportSuggestsItsNameAndAddsTheExtension) {
    configure();
    const auto window = start();
    dialogs.then([](QDialog& dialog) {
        dialog.findChild<QComboBox*>(QStringLiteral("cmbRapportNr"))->setCurrentIndex(3);
        dialog.findChild<QLineEdit*>(QStringLiteral("edtPeriode"))->setText(QStringLiteral("200903"));
        for (auto* button : dialog.findChildren<QRadioButton*>()) {
            button->setChecked(button->text() == QLatin1String("Korreksjon"));
        }
        return static_cast<int>(QDialog::Accepted);
    });
    files.answers.push_back(path("korreksjon"));
    window->aNewReport();
    ASSERT_EQ(files.requests.size(), 1u);
    EXPECT_EQ(files.requests[0].suggestedName, QStringLiteral("R21K-200903.xls"));
    EXPECT_EQ(files.requests[0].title, QStringLiteral("Lagre rapporten"));
    EXPECT_EQ(files.requests[0].filterIndex, 2);
    EXPECT_TRUE(files.saves[0]);
    ASSERT_NE(window->reports()->CurrentReport(), nullptr);
    EXPECT_EQ(window->reports()->CurrentReport()->fileName(), path("korreksjon.xls"));

    // Cancel at the save reminder keeps the report and asks nothing more.
    prompter = ScriptedPrompter({Answer::Cancel});
    TVeskReport* open = window->reports()->CurrentReport();
    window->aNewReport();
    EXPECT_EQ(prompter.questions, QStringList{kSaveReminderMessage});
    EXPECT_EQ(window->reports()->CurrentReport(), open);
    EXPECT_EQ(dialogs.shown.size(), 1);

    // OK at the reminder; a name in capitals keeps its extension.
    prompter = ScriptedPrompter({Answer::Ok});
    newReport(*window, path("STOR.XLS"));
    EXPECT_EQ(window->reports()->CurrentReport()->fileName(), path("STOR.XLS"));
}

// The save dialog asked about the name as chosen; the workbook the appended ".xls" points at is asked
// about before it is replaced, and "Nei" leaves it and the open report alone.
TEST_F(MainWindowTest, NewReportAsksBeforeReplacingTheWorkbookItsExtensionPointsAt) {
    configure();
    const auto window = start();
    writeFileBytes(path("R10-200905.xls"), "utfylt rapport");
    newReport(*window, path("annen.xls"));
    TVeskReport* open = window->reports()->CurrentReport();

    prompter = ScriptedPrompter({Answer::Ok, Answer::No});
    newReport(*window, path("R10-200905"));
    const QString question = QStringLiteral("R10-200905.xls finnes allerede.\nVil du erstatte den?");
    EXPECT_EQ(prompter.questions, (QStringList{kSaveReminderMessage, question}));
    EXPECT_EQ(readFileBytes(path("R10-200905.xls")), QByteArray("utfylt rapport"));
    EXPECT_EQ(window->reports()->CurrentReport(), open);

    prompter = ScriptedPrompter({Answer::Ok, Answer::Yes});
    newReport(*window, path("R10-200905"));
    EXPECT_EQ(prompter.questions, (QStringList{kSaveReminderMessage, question}));
    ASSERT_NE(window->reports()->CurrentReport(), nullptr);
    EXPECT_EQ(window->reports()->CurrentReport()->fileName(), path("R10-200905.xls"));
    EXPECT_NE(readFileBytes(path("R10-200905.xls")), QByteArray("utfylt rapport"));
}

TEST_F(MainWindowTest, FailedOpenEmptiesTheLogAndLeavesNoReport) {
    configure();
    const auto window = start();
    newReport(*window, path("R10-200905.xls"));
    prompter = ScriptedPrompter({Answer::Ok});
    files.answers.push_back(path("finnes-ikke.xls"));
    window->aOpenReport();
    EXPECT_EQ(window->reports()->CurrentReport(), nullptr);
    EXPECT_TRUE(window->logWindow()->toPlainText().isEmpty());
    EXPECT_EQ(prompter.messages.size(), 1);
    EXPECT_FALSE(enabled(*window, "aValidate"));

    prompter = ScriptedPrompter();
    files.answers.push_back(path("R10-200905.xls"));
    window->aOpenReport();
    ASSERT_NE(window->reports()->CurrentReport(), nullptr);
    EXPECT_EQ(
        prompter.messages,
        QStringList{QStringLiteral("Husk å oppdatere perioden dersom du nå skal jobbe videre på en tidligere "
                                   "innsendt rapport!")});
    EXPECT_EQ(files.requests.back().title, QStringLiteral("Velg tidligere skrevet rapport"));
}

TEST_F(MainWindowTest, ValidationAppendsToTheLogAndReport35IsNotValidated) {
    configure();
    const auto window = start();
    newReport(*window, path("R10-200905.xls"));
    const QStringList before = log(*window);
    window->aValidate();
    const QStringList after = log(*window);
    ASSERT_GT(after.size(), before.size() + 4);
    EXPECT_EQ(after.mid(0, before.size()), before);
    EXPECT_EQ(after.mid(before.size(), 4),
              (QStringList{QStringLiteral(" "), QStringLiteral(" "), QStringLiteral("Starter validering..."),
                           QStringLiteral(" ")}));
    const QString heading = window->reports()->CurrentReport()->validationHeading();
    EXPECT_EQ(after.mid(before.size() + 4), window->reports()->CurrentReport()->logLines());
    EXPECT_EQ(window->logWindow()->textCursor().selectedText(), heading);

    dialogs.then([](QDialog& dialog) {
        dialog.findChild<QComboBox*>(QStringLiteral("cmbRapportNr"))->setCurrentIndex(4);
        dialog.findChild<QLineEdit*>(QStringLiteral("edtPeriode"))->setText(QStringLiteral("200812"));
        return static_cast<int>(QDialog::Accepted);
    });
    prompter = ScriptedPrompter({Answer::Ok, Answer::Ok});
    files.answers.push_back(path("R35-200812.xls"));
    window->aNewReport();
    const QStringList created = log(*window);
    window->aValidate();
    EXPECT_EQ(prompter.questions.last(),
              QStringLiteral("Rapport 35 blir ikke validert, og kan sendes slik den er."));
    const QStringList report35Lines{QStringLiteral("Rapport 35 blir ikke validert."),
                                    QStringLiteral("Du kan sende den slik den er.")};
    EXPECT_EQ(log(*window), created + report35Lines);
}

TEST_F(MainWindowTest, SendTellsTheOutcome) {
    configure();
    const auto window = start();
    newReport(*window, path("R10-200905.xls"));
    fillRow(*window);
    window->aSend();
    ASSERT_EQ(mail.mails.size(), 1u);
    EXPECT_EQ(prompter.messages.last(),
              QStringLiteral("Rapporten ble sendt. Du vil motta en kvittering når den er lest hos Dalvora."));

    // The history has it now, so sending it again asks first; no sends nothing and says nothing more.
    const QList<HistoryRecord> sent = window->history().list({});
    ASSERT_EQ(sent.size(), 1);
    EXPECT_EQ(sent[0].outcome, HistoryOutcome::Sent);
    prompter = ScriptedPrompter({Answer::No});
    window->aSend();
    EXPECT_EQ(
        prompter.questions,
        QStringList{QStringLiteral("Rapport R10 for periode 200905 ble sendt %1. Vil du sende den igjen?")
                        .arg(sent[0].localTime.toString(QStringLiteral("dd.MM.yyyy 'kl.' HH:mm")))});
    EXPECT_EQ(mail.mails.size(), 1u);
    EXPECT_TRUE(prompter.messages.isEmpty());

    prompter = ScriptedPrompter({Answer::Yes});
    mail.failAt = 2;
    window->aSend();
    EXPECT_EQ(prompter.messages.last(),
              QStringLiteral("Kunne ikke sende rapporten:\r\n-> ") + window->reports()->LastError +
                  QStringLiteral(
                      "\r\n\r\nHvis du ikke finner ut hvordan du kan løse problemet, kan du forsøke å "
                      "lagre\r\nrapporten som kryptert fil, og sende den krypterte filen manuelt.\r\n\r\n"
                      "Du vil få en veiledning på hvordan du gjør det når du velger å lagre\r\nrapporten "
                      "som kryptert fil."));
    EXPECT_TRUE(window->reports()->LastError.contains(mail.failure));
    const HistoryRecord failed = window->history().list({}).first();
    EXPECT_EQ(failed.outcome, HistoryOutcome::Failed);
    EXPECT_EQ(failed.reply, window->reports()->LastError);
}

TEST_F(MainWindowTest, SaveEncryptedShowsTheGuidanceOrTheFailure) {
    configure();
    const auto window = start();
    newReport(*window, path("R10-200905.xls"));
    fillRow(*window);
    QStringList rows;
    dialogs.then([&rows](QDialog& dialog) {
        for (auto* label : dialog.findChildren<QLabel*>()) {
            rows.append(label->text());
        }
        return static_cast<int>(QDialog::Accepted);
    });
    files.answers.push_back(path("kryptert.txt"));
    window->aLagre();
    ASSERT_EQ(dialogs.shown.size(), 2);
    EXPECT_EQ(files.requests.back().suggestedName, path("R10-200905.txt"));
    EXPECT_EQ(dialogs.shown.last(), QStringLiteral("TfrmKrypterteFiler"));
    EXPECT_TRUE(QFile::exists(path("kryptert.txt")));
    EXPECT_TRUE(rows.contains(path("kryptert.txt")));

    files.answers.push_back(path("finnes-ikke/kryptert.txt"));
    window->aLagre();
    EXPECT_EQ(prompter.messages.last(),
              QStringLiteral("Klarte ikke å lagre rapporten:\r\n") + window->reports()->LastError);
    EXPECT_EQ(dialogs.shown.size(), 2);

    const QByteArray workbook = readFileBytes(path("R10-200905.xls"));
    files.answers.push_back(path("R10-200905.xls"));
    window->aLagre();
    EXPECT_EQ(prompter.messages.last(),
              QStringLiteral("Klarte ikke å lagre rapporten:\r\nFila \"") + path("R10-200905.xls") +
                  QStringLiteral("\" er selve rapporten og kan ikke lagres over. Velg et "
                                 "annet filnavn."));
    EXPECT_EQ(readFileBytes(path("R10-200905.xls")), workbook);

    // The file written and the one that could not be are in the history; the refused one never began.
    const QList<HistoryRecord> records = window->history().list({});
    ASSERT_EQ(records.size(), 2);
    EXPECT_EQ(records[0].outcome, HistoryOutcome::Failed);
    EXPECT_EQ(records[1].entry.kind, HistoryKind::EncryptedFile);
    EXPECT_EQ(records[1].entry.recipient, path("kryptert.txt"));
    EXPECT_EQ(window->history().record(records[1].id)->entry.bytes, readFileBytes(path("kryptert.txt")));
}

TEST_F(MainWindowTest, FlatFileSavedAsEncryptedFilesShowsEveryFile) {
    configure();
    const auto window = start();
    QString counted;
    dialogs.then([&counted](QDialog& dialog) {
        counted = dialog.findChild<QLabel*>(QStringLiteral("lblHva2"))->text();
        return static_cast<int>(QDialog::Accepted);
    });
    files.answers.push_back(kSample);
    QDir(home.path()).mkpath(QStringLiteral("ut"));
    files.answers.push_back(path("ut/Filnavn"));
    window->aLagre2();
    EXPECT_EQ(files.requests[0].title, QStringLiteral("Velg datafil som skal behandles"));
    EXPECT_EQ(files.requests[1].title, QStringLiteral("Velg mappe for å lagre kryptert fil"));
    EXPECT_EQ(files.requests[1].suggestedName, QStringLiteral("Filnavn"));
    EXPECT_EQ(counted, QStringLiteral("Den flate fila inneholdt tall for 2 selskaper (totalt 3 rapporter)."));
    EXPECT_EQ(QDir(path("ut")).entryList(QDir::Files).size(), 3);

    // Cancelled at the folder: told so, nothing written.
    files.answers.push_back(kSample);
    files.answers.push_back(std::nullopt);
    window->aLagre2();
    EXPECT_EQ(prompter.messages.last(), QStringLiteral("Operasjonen ble avbrutt av brukeren!"));
    EXPECT_EQ(dialogs.shown.size(), 1);
}

TEST_F(MainWindowTest, FlatFileSentAsMailsListsTheReports) {
    configure();
    const auto window = start();
    files.answers.push_back(kSample);
    window->aSendAttachment();
    EXPECT_EQ(files.requests[0].title, QStringLiteral("Velg datafil som skal sendes"));
    ASSERT_EQ(mail.mails.size(), 3u);
    EXPECT_EQ(
        prompter.messages.last(),
        QStringLiteral("Programmet skal normalt sende én mail pr. rapport som ligger i den flate fila.\n\r"
                       "Programmet har nå sendt 3 mail til telva@dalvora.no.\n\rDet er rapporten(e) R10, R20 "
                       "og R10.\r\nDu vil motta en kvittering når de er lest hos Dalvora."));

    mail.failAt = 4;
    files.answers.push_back(kSample);
    prompter = ScriptedPrompter({Answer::Yes});
    window->aSendAttachment();
    ASSERT_EQ(prompter.questions.size(), 1);
    EXPECT_TRUE(prompter.questions[0].startsWith(
        QStringLiteral("Disse rapportene for periode 200906 i fila er sendt før:\r\n\r\nRegnr 4567: rapport "
                       "R10 ble sendt ")));
    EXPECT_TRUE(prompter.messages.last().startsWith(QStringLiteral("Klarte ikke å sende filen!\n\r")));
}

TEST_F(MainWindowTest, DataFileOfTheReportEndsTheLogWithFerdig) {
    configure();
    prompter = ScriptedPrompter({Answer::Yes});
    const auto window = start({QStringLiteral("-DATAFIL")});
    newReport(*window, path("R10-200905.xls"));
    EXPECT_TRUE(enabled(*window, "aLagDatafil"));
    fillRow(*window);
    files.answers.push_back(path("data.txt"));
    window->aLagDatafil();
    EXPECT_EQ(files.requests.back().suggestedName, path("R10-200905.txt"));
    EXPECT_EQ(files.requests.back().title, QStringLiteral("Lagre rapporten som TELVA datafil"));
    EXPECT_TRUE(QFile::exists(path("data.txt")));
    EXPECT_EQ(
        log(*window).mid(log(*window).size() - 6),
        (QStringList{
            QStringLiteral(" "), QStringLiteral(" "), QStringLiteral("Starter generering av datafil."),
            QStringLiteral("Filnavn: ") + path("data.txt"), QStringLiteral(" "), QStringLiteral("Ferdig!")}));

    files.answers.push_back(path("finnes-ikke/data.txt"));
    window->aLagDatafil();
    EXPECT_EQ(prompter.messages.last(),
              QStringLiteral("Klarte ikke å lagre rapporten:\r\n") + window->reports()->LastError);
    EXPECT_EQ(log(*window).mid(log(*window).size() - 3),
              (QStringList{QStringLiteral(" "), QStringLiteral("Klarte ikke å lagre rapporten"),
                           QStringLiteral("Ferdig!")}));
    const HistoryRecord written = window->history().list({}).last();
    EXPECT_EQ(written.entry.kind, HistoryKind::DataFile);
    EXPECT_TRUE(written.entry.mode.dataFile);
    EXPECT_EQ(window->history().record(written.id)->entry.bytes, readFileBytes(path("data.txt")));
}

TEST_F(MainWindowTest, TemplateVersionsAreRecordedInTheSettingsFile) {
    configure();
    const auto window = start();
    window->btnOppdaterRapportmalVersjonClick();
    EXPECT_EQ(prompter.messages.last(),
              QStringLiteral("Versjonsnummeret for programmet og alle rapportmalene ble lagret til fila ") +
                  QDir(home.path()).absolutePath() + QStringLiteral("/telvainn.ini"));

    QFile::remove(templatePath(home.path(), 35));
    prompter = ScriptedPrompter({Answer::Ok});
    window->btnOppdaterRapportmalVersjonClick();
    EXPECT_EQ(prompter.questions, QStringList{kTemplatesUnreachableMessage + QStringLiteral("\r\n") +
                                              QDir(home.path()).absolutePath() + QStringLiteral("/maler")});
}

TEST_F(MainWindowTest, WebLinksOpenOrShowTheAddress) {
    configure();
    const auto window = start();
    dialogs.then([](QDialog& dialog) {
        EXPECT_EQ(dialog.findChild<QLineEdit*>(QStringLiteral("edtURL"))->text(), kDefaultUserManualAddress);
        return static_cast<int>(QDialog::Rejected);
    });
    window->aBrukerdoc();
    EXPECT_EQ(dialogs.shown, QStringList{QStringLiteral("TfrmShowURL")});
    EXPECT_TRUE(shell.opened.isEmpty());

    TSettings settings;
    LoadSettings(iniPath(), RunMode{}, settings);
    settings.WebActivated = true;
    settings.DownloadAddress = QStringLiteral("www.dalvora.no/telva");
    settings.UserManualAddress.clear();
    SaveSettings(iniPath(), RunMode{}, settings);
    const auto online = start();
    online->btnHjemmesideClick();
    EXPECT_EQ(shell.opened, QStringList{QStringLiteral("http://www.dalvora.no/telva")});
    // The delivered default names its own scheme, which is kept as it is; a desktop that cannot open
    // the address says why.
    shell.failure = QStringLiteral("There is no application associated with the given filename extension");
    settings.DownloadAddress = QStringLiteral("https://www.dalvora.no/telva");
    SaveSettings(iniPath(), RunMode{}, settings);
    const auto failing = start();
    failing->btnHjemmesideClick();
    EXPECT_EQ(shell.opened.last(), QStringLiteral("https://www.dalvora.no/telva"));
    EXPECT_EQ(prompter.messages.last(),
              QStringLiteral("Klarte ikke åpne internett-adressen https://www.dalvora.no/telva. Returnerte "
                             "følgende feil:\n\r\"There is no application associated with the given "
                             "filename extension\"."));
    online->aBrukerdoc();
    EXPECT_EQ(prompter.messages.last(),
              QStringLiteral("Det er ikke angitt noen web-adresse til brukermanualen på internett i dine "
                             "konfigurasjons-innstillinger.\r\nDefault-innstilling i programmet er:\r\n") +
                  kDefaultUserManualAddress);
}

TEST_F(MainWindowTest, ClosingWithAnOpenReportAsksTheSaveReminder) {
    configure();
    const auto window = start();
    window->show();
    newReport(*window, path("R10-200905.xls"));
    prompter = ScriptedPrompter({Answer::Cancel});
    EXPECT_FALSE(window->close());
    EXPECT_NE(window->reports()->CurrentReport(), nullptr);
    prompter = ScriptedPrompter({Answer::Ok});
    EXPECT_TRUE(window->close());
}
