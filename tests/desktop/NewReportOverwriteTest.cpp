#include <gtest/gtest.h>

#include "core/FileIo.h"
#include "desktop/DesktopProgram.h"
#include "support/Processes.h"
#include "ui_uno/ConfiguredProgramFolder.h"

namespace {

// A new report named without ".xls" where that workbook is filled in already: the question about
// replacing it is the window with the focus, and "Nei" leaves the workbook as it was, byte for byte.
TEST(NewReportOverwriteTest, ANameWithoutTheExtensionIsAskedAboutBeforeTheFilledWorkbookIsReplaced) {
    DesktopProgram desktop;
    ASSERT_NO_FATAL_FAILURE(makeConfiguredProgramFolder(desktop.home().path()));
    // The first save dialog opens in the documents folder, or the home folder when there is none.
    const QString workbook = desktop.home().filePath(QStringLiteral("R10K-202611.xls"));
    const QByteArray filled =
        telvainn::readFileBytes(telvainn::templatePath(desktop.home().path(), 10)) + QByteArray("utfylt");
    telvainn::writeFileBytes(workbook, filled);
    ASSERT_TRUE(desktop.start());

    // "Opprett ny Excel-rapport fra mal": the first command button, top left in the main window.
    const QString mainWindow = desktop.waitForWindow(QStringLiteral("TELVA"));
    ASSERT_FALSE(mainWindow.isEmpty()) << "the main window did not show";
    const QRect window = desktop.geometry(mainWindow);
    desktop.click(window.left() + 24, window.top() + 48);
    ASSERT_FALSE(desktop.waitForFocus(QStringLiteral("^Start ny rapport$")).isEmpty());
    desktop.key(QStringLiteral("Return"));
    const QString saveDialog = desktop.waitForFocus(QStringLiteral("^Lagre rapporten$"));
    ASSERT_FALSE(saveDialog.isEmpty()) << "no save dialog has the focus";
    desktop.key(QStringLiteral("ctrl+a"));
    desktop.type(QStringLiteral("R10K-202611"));
    desktop.key(QStringLiteral("Return"));

    // The question has the dialog's title; it is another window, over the dialog.
    QString question;
    waitUntil(
        [&] {
            const QString focused = desktop.focusedWindow();
            if (!focused.isEmpty() && focused != saveDialog &&
                desktop.windowName(focused) == QLatin1String("Lagre rapporten")) {
                question = focused;
            }
            return !question.isEmpty() || desktop.process().state() == QProcess::NotRunning;
        },
        60000);
    ASSERT_FALSE(question.isEmpty()) << "no question about replacing the workbook has the focus";
    desktop.key(QStringLiteral("alt+n"));
    // "Nei" leads back to the save dialog (on this bare X server the focus does not follow: a click gives
    // it back); Escape leaves it without a new report.
    const auto shows = [&](const QString& window) {
        return desktop.visibleWindows(QStringLiteral("^Lagre rapporten$")).contains(window);
    };
    ASSERT_TRUE(waitUntil([&] { return !shows(question); }, 60000)) << "the question stayed";
    ASSERT_TRUE(shows(saveDialog)) << "the save dialog closed";
    const QRect dialog = desktop.geometry(saveDialog);
    desktop.click(dialog.center().x(), dialog.center().y());
    ASSERT_FALSE(desktop.waitForFocus(QStringLiteral("^Lagre rapporten$")).isEmpty());
    desktop.key(QStringLiteral("Escape"));
    ASSERT_TRUE(waitUntil([&] { return !shows(saveDialog); }, 60000)) << "the save dialog stayed";
    EXPECT_TRUE(desktop.waitForWindow(QStringLiteral("LibreOffice"), 0).isEmpty()) << "a workbook was opened";
    EXPECT_EQ(telvainn::readFileBytes(workbook), filled);
}

}  // namespace
