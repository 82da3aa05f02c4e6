#include <gtest/gtest.h>

#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include "app/SettingsStore.h"
#include "core/ReportCatalogue.h"
#include "support/OfficeKiller.h"
#include "support/ScriptedPrompter.h"
#include "support/ScriptedUi.h"
#include "ui/TfrmMain.h"
#include "ui_uno/ConfiguredProgramFolder.h"
#include "workbook_uno/LibreOfficeFixture.h"

using namespace telvainn;

namespace {

// The engine's text for the call the office died in, or for a call on a workbook that went with it:
// which of them a cut-off run meets depends on where it was cut off, and both say what happened.
bool tellsOfTheOfficesEnd(const QString& text, const QString& workbook) {
    return text == excel::uno::kOfficeDiedMessage ||
           text ==
               QStringLiteral("Arbeidsboka \"%1\" ble lukket da LibreOffice Calc avsluttet.").arg(workbook);
}

// The main window over a real office, with a report whose rows make its validation and its XML build
// long enough to be cut off in the middle.
class OfficeKilledTest : public ::testing::Test {
  protected:
    static constexpr int kRows = 20;

    void SetUp() override {
        ASSERT_NO_FATAL_FAILURE(makeConfiguredProgramFolder(home.path()));

        services.prompter = &prompter;
        services.fileDialogs = &files;
        services.shell = &shell;
        services.runDialog = std::ref(dialogs);
        services.makeExcel = [this] {
            auto options = excel::testing::testOfficeOptions();
            // A call that never returns ends the test within this bound instead of hanging it.
            options.callTimeout = std::chrono::seconds(10);
            options.beforeCall = cutter.hook();
            return excel::uno::makeLibreOfficeApplication(options);
        };
        services.today = [] { return QDate(2009, 6, 15); };
        services.programFolder = home.path();
        services.locale.decimalSeparator = QLatin1Char(',');
        window = std::make_unique<ui::TfrmMain>(QStringList{}, services);
    }

    // A new report 10 of `period` saved as R10-<period>.xls, with `rows` filled data rows.
    TVeskReport* newReport(const QString& period, int rows) {
        dialogs.then([period](QDialog& dialog) {
            dialog.findChild<QLineEdit*>(QStringLiteral("edtPeriode"))->setText(period);
            return static_cast<int>(QDialog::Accepted);
        });
        files.answers.push_back(home.filePath(QStringLiteral("R10-%1.xls").arg(period)));
        window->aNewReport();
        TVeskReport* report = window->reports()->CurrentReport();
        if (report == nullptr) {
            ADD_FAILURE() << "no report: " << prompter.messages.join(QLatin1Char('\n')).toStdString();
            return nullptr;
        }
        excel::Block block;
        for (int row = 0; row < rows; ++row) {
            block.push_back({QString(QStringLiteral("Innskudd")), 6001234.0, QString(), 810.0, QString(), 1.0,
                             -250.75 - row});
        }
        // A block is written in one call, but Calc refuses it on a protected sheet.
        report->reportSheet().Unprotect();
        report->reportSheet().WriteBlock(11, 1, block);
        report->reportSheet().Protect();
        return report;
    }

    // The calls into the office that a run of `work` makes.
    template <typename Work>
    long callsOf(Work work) {
        cutter.count();
        work();
        return cutter.calls();
    }

    pid_t office() {
        return testsupport::officeProcessId(excel::uno::libreOfficeConnection(window->reports()->excel()));
    }

    // Runs `command` with the office killed at the first call for which `cutHere` holds; `killed` is the
    // office that was killed.
    template <typename Command>
    void runCutOff(Command command, const std::function<bool(long)>& cutHere, const char* what,
                   pid_t& killed) {
        killed = office();
        ASSERT_GT(killed, 0);
        cutter.arm(killed, cutHere);
        command();
        const bool cut = cutter.killed();
        cutter.count();
        ASSERT_TRUE(cut) << "the office outlived the " << what;
    }

    testsupport::OfficeCallCutter cutter;  // outlives the window and its office
    QTemporaryDir home;
    ScriptedPrompter prompter;
    testsupport::ScriptedFileDialogs files;
    testsupport::RecordingShell shell;
    testsupport::ScriptedDialogs dialogs;
    ui::DesktopServices services;
    std::unique_ptr<ui::TfrmMain> window;
};

// The validation, and the log the user reads afterwards: the run's findings up to the moment the office
// went away and the office's fate, and a new report validates in a fresh office.
TEST_F(OfficeKilledTest, AValidationCutOffByTheOfficeDyingSaysSoAndTheNextReportValidates) {
    TVeskReport* report = newReport(QStringLiteral("200905"), kRows);
    ASSERT_NE(report, nullptr);
    window->reports()->setSheetReading(SheetReading::CellByCell);
    window->aValidate();
    ASSERT_TRUE(report->logLines().contains(QStringLiteral("Validering nr. 1 er ferdig.")));

    // Cut off at the first call after this run's finding of the first row: the run goes on row by row.
    pid_t killed = -1;
    const auto firstRowLogged = [report](long) {
        const QStringList& log = report->logLines();
        return log.contains(QStringLiteral("Valideringsrapport nr. 2:")) &&
               !log.filter(QStringLiteral("Feil i rad (11)")).isEmpty();
    };
    ASSERT_NO_FATAL_FAILURE(runCutOff([&] { window->aValidate(); }, firstRowLogged, "validation", killed));

    const QString log = window->logWindow()->toPlainText();
    const QString run = log.mid(log.lastIndexOf(QStringLiteral("Starter validering...")));
    EXPECT_TRUE(run.contains(QStringLiteral("Valideringsrapport nr. 2:"))) << run.toStdString();
    EXPECT_TRUE(run.contains(QStringLiteral("Feil i rad (11)"))) << "the rows the run reached are kept";
    EXPECT_FALSE(run.contains(QStringLiteral("Feil i rad (%1)").arg(10 + kRows))) << "it was cut off";
    const QString failed = QStringLiteral("Validering nr. 2 feilet.\nFeilmeldingen sier:\n");
    ASSERT_TRUE(run.contains(failed)) << run.toStdString();
    EXPECT_TRUE(
        tellsOfTheOfficesEnd(run.mid(run.indexOf(failed) + failed.size()).section(QLatin1Char('\n'), 0, 0),
                             QStringLiteral("R10-200905.xls")))
        << run.toStdString();
    EXPECT_FALSE(run.contains(QStringLiteral("celle-"))) << "no cell edit is left to finish in a dead office";
    EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.messages.join(QLatin1Char('\n')).toStdString();

    // Validating again can only say where the workbook went.
    window->aValidate();
    EXPECT_EQ(report->logLines(),
              QStringList({QStringLiteral("Validering nr. 3 feilet."),
                           QStringLiteral("------------------------------------"),
                           QStringLiteral(
                               "Arbeidsboka \"R10-200905.xls\" ble lukket da LibreOffice Calc avsluttet.")}));

    // Nothing is left to save of the workbook the office took with it, so the save reminder is not asked.
    TVeskReport* next = newReport(QStringLiteral("200906"), 1);
    ASSERT_NE(next, nullptr);
    const pid_t fresh = office();
    EXPECT_GT(fresh, 0);
    EXPECT_NE(fresh, killed);
    window->aValidate();
    EXPECT_TRUE(next->logLines().contains(QStringLiteral("Validering nr. 1 er ferdig.")))
        << next->logLines().join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(prompter.messages.isEmpty()) << prompter.messages.join(QLatin1Char('\n')).toStdString();
}

// Saving encrypted builds the report's XML from the workbook: cut off there, the save fails with the
// office's fate, no file is written, and the report opened again from its file is saved.
TEST_F(OfficeKilledTest, ASaveCutOffWhileTheXmlIsBuiltFailsClearlyAndTheReopenedReportIsSaved) {
    TVeskReport* report = newReport(QStringLiteral("200905"), kRows);
    ASSERT_NE(report, nullptr);
    report->workbook().Save();
    window->reports()->setSheetReading(SheetReading::CellByCell);
    const QString complete = home.filePath(QStringLiteral("hel.txt"));
    files.answers.push_back(complete);
    dialogs.then([](QDialog&) { return static_cast<int>(QDialog::Accepted); });
    const long fullRun = callsOf([&] { window->aLagre(); });
    ASSERT_TRUE(QFile::exists(complete)) << prompter.messages.join(QLatin1Char('\n')).toStdString();

    const QString cutOff = home.filePath(QStringLiteral("avbrutt.txt"));
    files.answers.push_back(cutOff);
    pid_t killed = -1;
    // A third of the way through the walk's calls: past the preparation, and far from the end.
    ASSERT_GT(fullRun, 30) << "a walk long enough to be cut off in the middle";
    ASSERT_NO_FATAL_FAILURE(runCutOff([&] { window->aLagre(); },
                                      [fullRun](long call) { return call == fullRun / 3; }, "save", killed));
    const QString notSaved = QStringLiteral("Klarte ikke å lagre rapporten:\r\n");
    ASSERT_EQ(prompter.messages.size(), 1);
    EXPECT_TRUE(prompter.messages.first().startsWith(notSaved));
    EXPECT_TRUE(tellsOfTheOfficesEnd(prompter.messages.first().mid(notSaved.size()),
                                     QStringLiteral("R10-200905.xls")))
        << prompter.messages.first().toStdString();
    EXPECT_FALSE(QFile::exists(cutOff));
    EXPECT_EQ(dialogs.shown.count(QStringLiteral("TfrmKrypterteFiler")), 1)
        << "no guidance for a failed save";

    // Nothing is left to save of the workbook the office took with it, so the save reminder is not asked.
    prompter.messages.clear();
    files.answers.push_back(home.filePath(QStringLiteral("R10-200905.xls")));
    window->aOpenReport();
    ASSERT_NE(window->reports()->CurrentReport(), nullptr)
        << prompter.messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_NE(office(), killed);
    const QString saved = home.filePath(QStringLiteral("igjen.txt"));
    files.answers.push_back(saved);
    dialogs.then([](QDialog&) { return static_cast<int>(QDialog::Accepted); });
    window->aLagre();
    QFile file(saved);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly)) << prompter.messages.join(QLatin1Char('\n')).toStdString();
    QFile reference(complete);
    ASSERT_TRUE(reference.open(QIODevice::ReadOnly));
    EXPECT_EQ(file.size(), reference.size()) << "the same rows as the complete save";
}

}  // namespace
