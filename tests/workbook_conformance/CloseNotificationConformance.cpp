#include <atomic>
#include <memory>
#include <thread>

#include "workbook_conformance/EngineUnderTest.h"

namespace telvainn::excel::conformance {
namespace {

// Counts the handler's runs and remembers the thread of the last one. The handler shares the count, so
// that a notification arriving after the test has ended harms nothing.
class HandlerRuns {
  public:
    int count() const { return m_state->count; }
    std::thread::id thread() const { return m_state->thread; }

    std::function<void()> handler() const {
        return [state = m_state] {
            ++state->count;
            state->thread = std::this_thread::get_id();
        };
    }

  private:
    struct State {
        int count = 0;
        std::thread::id thread;
    };
    std::shared_ptr<State> m_state = std::make_shared<State>();
};

TEST_P(CloseNotifications, UserCloseRunsBeforeCloseOnTheDeliveringThreadAndNotEarlier) {
    app().SetEnableEvents(true);
    Workbook& workbook = newWorkbook();
    workbook.SaveAs(scratchPath(QStringLiteral("brukeren lukker.xls")));
    const int before = app().WorkbookCount();
    HandlerRuns runs;
    workbook.OnBeforeClose(runs.handler());

    engine().userCloses(workbook);
    EXPECT_EQ(runs.count(), 0) << "ran before DeliverNotifications";
    EXPECT_TRUE(deliverUntil([&] { return runs.count() > 0; }));
    EXPECT_EQ(runs.count(), 1);
    EXPECT_EQ(runs.thread(), std::this_thread::get_id());
    EXPECT_FALSE(workbook.IsOpen());
    EXPECT_EQ(app().WorkbookCount(), before - 1);
    EXPECT_EQ(app().DeliverNotifications(), 0);
    EXPECT_EQ(runs.count(), 1);
}

TEST_P(CloseNotifications, TheWakerIsCalledWhenANotificationWaits) {
    app().SetEnableEvents(true);
    // The waker may be called on another thread, so it shares what it counts.
    const auto wakes = std::make_shared<std::atomic<int>>(0);
    app().SetNotificationWaker([wakes] { ++*wakes; });
    Workbook& workbook = newWorkbook();
    workbook.SaveAs(scratchPath(QStringLiteral("vekker.xls")));
    HandlerRuns runs;
    workbook.OnBeforeClose(runs.handler());

    engine().userCloses(workbook);
    EXPECT_TRUE(deliverUntil([&] { return runs.count() > 0; }));
    EXPECT_GE(wakes->load(), 1);
}

TEST_P(CloseNotifications, TheProgramsOwnCloseRunsNoHandler) {
    app().SetEnableEvents(true);
    Workbook& workbook = newWorkbook();
    workbook.SaveAs(scratchPath(QStringLiteral("programmet lukker.xls")));
    HandlerRuns runs;
    workbook.OnBeforeClose(runs.handler());

    workbook.Close();
    EXPECT_FALSE(deliverUntil([&] { return runs.count() > 0; }));
    EXPECT_EQ(runs.count(), 0);
    EXPECT_FALSE(workbook.IsOpen());
}

TEST_P(CloseNotifications, NoHandlerRunsWhileEventsAreOff) {
    app().SetEnableEvents(false);
    Workbook& workbook = newWorkbook();
    workbook.SaveAs(scratchPath(QStringLiteral("uten hendelser.xls")));
    HandlerRuns runs;
    workbook.OnBeforeClose(runs.handler());

    engine().userCloses(workbook);
    EXPECT_FALSE(deliverUntil([&] { return runs.count() > 0; }));
    EXPECT_EQ(runs.count(), 0);
    EXPECT_FALSE(workbook.IsOpen());
}

TEST_P(CloseNotifications, AnEmptyHandlerUnregisters) {
    app().SetEnableEvents(true);
    Workbook& workbook = newWorkbook();
    workbook.SaveAs(scratchPath(QStringLiteral("avmeldt.xls")));
    HandlerRuns runs;
    workbook.OnBeforeClose(runs.handler());
    workbook.OnBeforeClose({});

    engine().userCloses(workbook);
    EXPECT_FALSE(deliverUntil([&] { return runs.count() > 0; }));
    EXPECT_EQ(runs.count(), 0);
}

TEST_P(CloseNotifications, OnlyTheClosedWorkbooksHandlerRunsAndItMayCloseAnother) {
    app().SetEnableEvents(true);
    Workbook& report = newWorkbook();
    report.SaveAs(scratchPath(QStringLiteral("rapport.xls")));
    Workbook& codes = newWorkbook();
    codes.SaveAs(scratchPath(QStringLiteral("mal.xls")));
    HandlerRuns codeRuns;
    codes.OnBeforeClose(codeRuns.handler());
    const auto reportRuns = std::make_shared<int>(0);
    // What the report manager does when the user closes the report: the program closes what it holds.
    report.OnBeforeClose([reportRuns, &codes] {
        ++*reportRuns;
        codes.Close();
    });

    engine().userCloses(report);
    EXPECT_TRUE(deliverUntil([&] { return *reportRuns > 0; }));
    EXPECT_EQ(*reportRuns, 1);
    EXPECT_FALSE(codes.IsOpen());
    EXPECT_FALSE(deliverUntil([&] { return codeRuns.count() > 0; }));
    EXPECT_EQ(codeRuns.count(), 0);
}

}  // namespace
}  // namespace telvainn::excel::conformance
