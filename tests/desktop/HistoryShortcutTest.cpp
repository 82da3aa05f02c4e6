#include <gtest/gtest.h>

#include <QCoreApplication>
#include <memory>

#include "app/SendHistory.h"
#include "desktop/DesktopProgram.h"
#include "support/Processes.h"
#include "support/SentReports.h"
#include "ui_uno/ConfiguredProgramFolder.h"

namespace {

using namespace telvainn;

const QString kHistoryWindow = QStringLiteral("^Historikk over sendte rapporter$");

// Qt loads its SQLite driver only with an application object.
void needApplication() {
    static int argc = 1;
    static char name[] = "desktop_tests";
    static char* argv[] = {name, nullptr};
    static std::unique_ptr<QCoreApplication> application;
    if (QCoreApplication::instance() == nullptr) {
        application = std::make_unique<QCoreApplication>(argc, argv);
    }
}

// A report mailed and accepted on 3 December 2026 at 09:30, in the history of `folder`.
void recordSentReport(const QString& folder) {
    needApplication();
    const QDateTime sent(QDate(2026, 12, 3), QTime(9, 30), Qt::OffsetFromUTC, 3600);
    SendHistory history(folder, [&] { return sent; });
    HistoryEntry entry;
    entry.identity = {123, 4567, 10, QStringLiteral("202611"), QStringLiteral("N")};
    entry.recipient = QStringLiteral("telva@dalvora.no");
    entry.transport = QStringLiteral("smtp");
    entry.bytes = testsupport::envelopeOf(entry.identity, testsupport::oneRowReportXml(entry.identity, sent));
    const qint64 id = history.begin(entry);
    ASSERT_GT(id, 0);
    history.complete(id, HistoryOutcome::Sent, QStringLiteral("250 2.0.0 Ok: queued"));
    ASSERT_EQ(history.takeWarning(), QString());
}

// Ctrl+H in the main window opens the history; its list has the keyboard, so Return opens the entry
// there, whose report window names it; Escape closes the report and then the history. The background's
// context menu opens it again.
TEST(HistoryShortcutTest, CtrlHOpensTheHistoryWithItsEntryEscapeClosesItAndTheContextMenuOpensIt) {
    DesktopProgram desktop;
    ASSERT_NO_FATAL_FAILURE(makeConfiguredProgramFolder(desktop.home().path()));
    ASSERT_NO_FATAL_FAILURE(recordSentReport(desktop.home().path()));
    ASSERT_TRUE(desktop.start());
    const QString mainTitle = QStringLiteral("^Innsending av TELVA-data til ");
    const QString mainWindow = desktop.waitForWindow(mainTitle);
    ASSERT_FALSE(mainWindow.isEmpty()) << "the main window did not show";
    // A click on the window's background, below the commands, gives it the keyboard.
    const QRect place = desktop.geometry(mainWindow);
    desktop.click(place.x() + 200, place.bottom() - 12);
    ASSERT_FALSE(desktop.waitForFocus(mainTitle).isEmpty()) << "the main window does not have the focus";

    desktop.key(QStringLiteral("ctrl+h"));
    const QString history = desktop.waitForFocus(kHistoryWindow);
    ASSERT_FALSE(history.isEmpty()) << "no history window has the focus";
    desktop.key(QStringLiteral("Return"));
    const QString report = QStringLiteral("^Rapport R10 for periode 202611, 03\\.12\\.2026 09:30$");
    ASSERT_FALSE(desktop.waitForFocus(report).isEmpty()) << "the entry's report did not open";
    desktop.key(QStringLiteral("Escape"));
    ASSERT_TRUE(waitUntil([&] { return desktop.visibleWindows(report).isEmpty(); }, 60000));
    // Without a window manager nothing hands the keyboard back: a click on the list does.
    const QRect historyPlace = desktop.geometry(history);
    desktop.click(historyPlace.center().x(), historyPlace.center().y());
    ASSERT_FALSE(desktop.waitForFocus(kHistoryWindow).isEmpty());
    desktop.key(QStringLiteral("Escape"));
    ASSERT_TRUE(waitUntil([&] { return desktop.visibleWindows(kHistoryWindow).isEmpty(); }, 60000));

    // The right button on the background gives a menu, a window without a title, of one entry.
    const QStringList untitled = desktop.visibleWindows(QStringLiteral("^$"));
    xdotool(desktop.screen(),
            {QStringLiteral("mousemove"), QString::number(place.x() + 200),
             QString::number(place.bottom() - 12), QStringLiteral("click"), QStringLiteral("3")});
    ASSERT_TRUE(waitUntil(
        [&] { return desktop.visibleWindows(QStringLiteral("^$")).size() > untitled.size(); }, 60000))
        << "no context menu";
    desktop.key(QStringLiteral("Down"));
    desktop.key(QStringLiteral("Return"));
    EXPECT_FALSE(desktop.waitForFocus(kHistoryWindow).isEmpty()) << "the menu did not open the history";
}

}  // namespace
