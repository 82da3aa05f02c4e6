#include <array>
#include <chrono>
#include <utility>

#include "core/Error.h"
#include "workbook_conformance/EngineUnderTest.h"

namespace telvainn::excel::conformance {

void ConformanceTest::SetUp() {
    m_scratch.emplace(QDir(engine().scratchRoot()).filePath(QStringLiteral("workbook-conformance-XXXXXX")));
    ASSERT_TRUE(m_scratch->isValid()) << m_scratch->errorString().toStdString();
    Application& application = app();
    m_workbookCountAtStart = application.WorkbookCount();
    m_screenUpdating = application.ScreenUpdating();
    m_visible = application.Visible();
    m_displayAlerts = application.DisplayAlerts();
    m_enableEvents = application.EnableEvents();
}

void ConformanceTest::TearDown() {
    Application& application = app();
    // A notification that came late runs now, while the workbooks its handler may use are still held.
    application.SetNotificationWaker({});
    application.DeliverNotifications();
    for (const auto& workbook : m_workbooks) {
        try {
            if (workbook->IsOpen()) {
                workbook->Close();
            }
        } catch (const Error& error) {
            ADD_FAILURE() << "closing a workbook after the test: " << error.what();
        }
    }
    m_workbooks.clear();
    application.SetScreenUpdating(m_screenUpdating);
    application.SetVisible(m_visible);
    application.SetDisplayAlerts(m_displayAlerts);
    application.SetEnableEvents(m_enableEvents);
    EXPECT_EQ(application.WorkbookCount(), m_workbookCountAtStart) << "a workbook of the test is still open";
}

QString ConformanceTest::scratchPath(const QString& fileName) const {
    return m_scratch->filePath(fileName);
}

Workbook& ConformanceTest::keep(std::unique_ptr<Workbook> workbook) {
    m_workbooks.push_back(std::move(workbook));
    return *m_workbooks.back();
}

Workbook& ConformanceTest::newWorkbookWithSheets(const QStringList& sheetNames) {
    Workbook& workbook = newWorkbook();
    workbook.Worksheets(1)->SetName(sheetNames.front());
    for (qsizetype i = 1; i < sheetNames.size(); ++i) {
        workbook.AddWorksheet(sheetNames[i]);
    }
    return workbook;
}

Workbook& ConformanceTest::saveCloseAndReopen(Workbook& workbook, const QString& fileName) {
    const QString path = scratchPath(fileName);
    workbook.SaveAs(path);
    workbook.Close();
    return open(path);
}

bool ConformanceTest::deliverUntil(const std::function<bool()>& done) {
    using Clock = std::chrono::steady_clock;
    const auto deadline = Clock::now() + engine().notificationBound();
    while (!done()) {
        const auto left = std::chrono::duration_cast<std::chrono::milliseconds>(deadline - Clock::now());
        if (left <= std::chrono::milliseconds(0)) {
            return false;
        }
        app().DeliverNotifications(left);
    }
    return true;
}

::testing::AssertionResult raisesWithMessage(const std::function<void()>& call) {
    try {
        call();
    } catch (const Error& error) {
        if (error.message().trimmed().isEmpty()) {
            return ::testing::AssertionFailure() << "raised without a message";
        }
        return ::testing::AssertionSuccess() << "raised: " << error.what();
    } catch (const std::exception& other) {
        return ::testing::AssertionFailure()
               << "raised something other than telvainn::Error: " << other.what();
    }
    return ::testing::AssertionFailure() << "nothing raised";
}

int colorIndexReadBack(int index) {
    // Excel's default palette: these indexes repeat a colour of a lower one.
    static constexpr std::array<std::pair<int, int>, 10> kRepeats = {
        {{25, 11}, {26, 7}, {27, 6}, {28, 8}, {29, 13}, {30, 9}, {31, 14}, {32, 5}, {34, 20}, {54, 18}}};
    for (const auto& [repeat, first] : kRepeats) {
        if (repeat == index) {
            return first;
        }
    }
    return index;
}

}  // namespace telvainn::excel::conformance
