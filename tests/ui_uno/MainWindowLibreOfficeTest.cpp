#include <gtest/gtest.h>

#include <QAction>
#include <QCoreApplication>
#include <QDeadlineTimer>
#include <QDir>
#include <QFile>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QTemporaryDir>

#include "app/SettingsStore.h"
#include "core/ReportCatalogue.h"
#include "support/ScriptedPrompter.h"
#include "support/ScriptedUi.h"
#include "transmission/EnvelopeParser.h"
#include "ui/TfrmMain.h"
#include "ui_uno/ConfiguredProgramFolder.h"
#include "workbook_uno/LibreOfficeFixture.h"

using namespace telvainn;

namespace {

// What the window is given to run over a real office, with scripted answers and dialogs.
struct OfficeWindowServices {
    explicit OfficeWindowServices(const QString& programFolder, std::deque<Answer> answers = {})
        : prompter(std::move(answers)) {
        services.prompter = &prompter;
        services.fileDialogs = &files;
        services.shell = &shell;
        services.runDialog = std::ref(dialogs);
        services.makeExcel = [] {
            return excel::uno::makeLibreOfficeApplication(excel::testing::testOfficeOptions());
        };
        services.programFolder = programFolder;
    }
    OfficeWindowServices(const OfficeWindowServices&) = delete;
    OfficeWindowServices& operator=(const OfficeWindowServices&) = delete;

    ScriptedPrompter prompter;
    testsupport::ScriptedFileDialogs files;
    testsupport::RecordingShell shell;
    testsupport::ScriptedDialogs dialogs;
    ui::DesktopServices services;
};

}  // namespace

// The main window over a real office: a report made, filled, validated and saved encrypted, and then
// closed by the user in Calc, whose notice reaches the window through its event loop.
TEST(MainWindowLibreOfficeTest, ReportFromNewToClosedInCalc) {
    QTemporaryDir home;
    ASSERT_NO_FATAL_FAILURE(makeConfiguredProgramFolder(home.path()));

    OfficeWindowServices scripted(home.path());
    auto& [prompter, files, shell, dialogs, services] = scripted;
    services.today = [] { return QDate(2009, 6, 15); };
    services.locale.decimalSeparator = QLatin1Char(',');
    ui::TfrmMain window({}, services);
    window.show();

    const QString workbook = home.filePath(QStringLiteral("R10-200905.xls"));
    dialogs.then([](QDialog& dialog) {
        dialog.findChild<QLineEdit*>(QStringLiteral("edtPeriode"))->setText(QStringLiteral("200905"));
        return static_cast<int>(QDialog::Accepted);
    });
    files.answers.push_back(workbook);
    window.aNewReport();
    ASSERT_NE(window.reports()->CurrentReport(), nullptr)
        << prompter.messages.join(QLatin1Char('\n')).toStdString();

    excel::Worksheet& sheet = window.reports()->CurrentReport()->reportSheet();
    sheet.SetCell(11, 1, QStringLiteral("Innskudd, Østlandet"));
    sheet.SetCell(11, 2, 6001234.0);
    sheet.SetCell(11, 4, 810.0);
    sheet.SetCell(11, 6, 1.0);
    sheet.SetCell(11, 7, -250.75);
    window.aValidate();
    const QString heading = window.reports()->CurrentReport()->validationHeading();
    EXPECT_TRUE(window.logWindow()->toPlainText().contains(heading));
    EXPECT_EQ(window.logWindow()->textCursor().selectedText(), heading);

    const QString encrypted = home.filePath(QStringLiteral("R10-200905.txt"));
    files.answers.push_back(encrypted);
    dialogs.then([](QDialog&) { return static_cast<int>(QDialog::Accepted); });
    window.aLagre();
    EXPECT_EQ(dialogs.shown.last(), QStringLiteral("TfrmKrypterteFiler"));
    QFile file(encrypted);
    ASSERT_TRUE(file.open(QIODevice::ReadOnly));
    const ParsedEnvelope envelope = ParseEncryptedReportText(file.readAll());
    EXPECT_EQ(envelope.info.value(5), QStringLiteral("10"));

    ASSERT_EQ(excel::testing::closeAsUser(window.reports()->excel(), workbook, QStringLiteral("close")), 0);
    const QDeadlineTimer deadline(20000);
    while (window.reports()->CurrentReport() != nullptr && !deadline.hasExpired()) {
        QCoreApplication::processEvents(QEventLoop::AllEvents, 50);
    }
    EXPECT_EQ(window.reports()->CurrentReport(), nullptr);
    EXPECT_TRUE(window.logWindow()->toPlainText().isEmpty());
    EXPECT_FALSE(window.findChild<QAction*>(QStringLiteral("aValidate"))->isEnabled());
}

// A workbook handed in with macros of its own, opened in the window: the program's own open macro runs,
// nothing bound to the workbook's events does; the same workbook named .xls is refused before anything
// of it runs.
TEST(MainWindowLibreOfficeTest, OpeningAWorkbookRunsNoneOfItsEventMacros) {
    QTemporaryDir home;
    ASSERT_NO_FATAL_FAILURE(makeConfiguredProgramFolder(home.path()));
    const QString markers = home.filePath(QStringLiteral("merker"));
    ASSERT_TRUE(QDir().mkpath(markers));
    const QString report = home.filePath(QStringLiteral("R10.ods"));
    {
        const auto office = excel::uno::makeLibreOfficeApplication(excel::testing::testOfficeOptions());
        ASSERT_NO_FATAL_FAILURE(
            excel::testing::makeReportWithMacros(*office, home.path(), 123, 4567, report, markers));
    }
    const QString disguised = home.filePath(QStringLiteral("R10-ods.xls"));
    ASSERT_TRUE(QFile::copy(report, disguised));

    OfficeWindowServices scripted(home.path(), {Answer::Ok});  // the reminder before the second opening
    auto& [prompter, files, shell, dialogs, services] = scripted;
    ui::TfrmMain window({}, services);

    files.answers.push_back(report);
    window.aOpenReport();
    ASSERT_NE(window.reports()->CurrentReport(), nullptr)
        << prompter.messages.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(
        prompter.messages,
        QStringList{QStringLiteral(
            "Husk å oppdatere perioden dersom du nå skal jobbe videre på en tidligere innsendt rapport!")});
    QDir marked(markers);
    EXPECT_EQ(marked.entryList(QDir::Files), QStringList{QStringLiteral("makro")});

    ASSERT_TRUE(marked.remove(QStringLiteral("makro")));
    prompter.messages.clear();
    files.answers.push_back(disguised);
    window.aOpenReport();
    EXPECT_EQ(window.reports()->CurrentReport(), nullptr);
    EXPECT_EQ(prompter.messages.last(),
              QStringLiteral("Fila \"%1\" er ikke en Excel-arbeidsbok.").arg(disguised));
    EXPECT_EQ(marked.entryList(QDir::Files), QStringList());
}
