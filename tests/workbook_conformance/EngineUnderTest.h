#pragma once

#include <gtest/gtest.h>

#include <QDir>
#include <QString>
#include <QTemporaryDir>
#include <chrono>
#include <functional>
#include <memory>
#include <optional>
#include <ostream>
#include <vector>

#include "workbook/Excel.h"

// The engine-neutral conformance suite of the Excel interface. A test binary runs it against one engine
// by defining a function that returns that engine's EngineUnderTest and instantiating every suite, inside
// namespace telvainn::excel::conformance, with
//
//     TELVAINN_INSTANTIATE_WORKBOOK_CONFORMANCE(LibreOffice, sharedLibreOfficeEngine);
//
// Each test opens its own workbooks in a scratch folder of its own and closes them again, so one engine
// serves every test of a binary: the function should hand out one lazily made instance.
namespace telvainn::excel::conformance {

class EngineUnderTest {
  public:
    virtual ~EngineUnderTest() = default;

    // The engine's application, made on the first call and the same one on every later call.
    virtual Application& application() = 0;

    // Plays the user closing the open workbook in the spreadsheet program, from outside the program, and
    // returns once the workbook is closed. The tests save the workbook to a file first, so that it can be
    // found by its file. The engine may notice that close later, on its own thread.
    virtual void userCloses(Workbook& workbook) = 0;

    // How long after userCloses() the engine may take to have the BeforeClose handler waiting for
    // DeliverNotifications. Tests that expect no handler wait this long before they say so.
    virtual std::chrono::milliseconds notificationBound() const = 0;

    // Where tests make their scratch folders.
    virtual QString scratchRoot() const { return QDir::tempPath(); }
};

// The engine a binary tests, by the name its tests carry.
struct EngineChoice {
    const char* name;
    EngineUnderTest& (*engine)();
};

inline void PrintTo(const EngineChoice& choice, std::ostream* os) {
    *os << choice.name;
}

// Every suite's fixture: the shared engine, a scratch folder, and the workbooks a test opened, which are
// closed after it. After each test the application's flags are as before and no notification is left.
class ConformanceTest : public ::testing::TestWithParam<EngineChoice> {
  protected:
    void SetUp() override;
    void TearDown() override;

    EngineUnderTest& engine() const { return GetParam().engine(); }
    Application& app() const { return engine().application(); }

    QString scratchPath(const QString& fileName) const;

    // Kept open until the test ends (then closed unsaved, if still open).
    Workbook& keep(std::unique_ptr<Workbook> workbook);
    Workbook& newWorkbook() { return keep(app().NewWorkbook()); }
    Workbook& open(const QString& path) { return keep(app().Open(path)); }
    // A new workbook with these sheets in this order.
    Workbook& newWorkbookWithSheets(const QStringList& sheetNames);
    // Saves the workbook under the file name in the scratch folder, closes it and opens the file again:
    // what the file keeps.
    Workbook& saveCloseAndReopen(Workbook& workbook, const QString& fileName);
    // Runs DeliverNotifications until `done` holds or the engine's bound has passed; whether it holds.
    bool deliverUntil(const std::function<bool()>& done);

  private:
    std::optional<QTemporaryDir> m_scratch;
    std::vector<std::unique_ptr<Workbook>> m_workbooks;
    int m_workbookCountAtStart = 0;
    bool m_screenUpdating = true;
    bool m_visible = false;
    bool m_displayAlerts = true;
    bool m_enableEvents = true;
};

// The suites, one fixture each so that they read and filter as groups.
class WorkbookFiles : public ConformanceTest {};
class Worksheets : public ConformanceTest {};
class Cells : public ConformanceTest {};
class Ranges : public ConformanceTest {};
class NamedRanges : public ConformanceTest {};
class FillColours : public ConformanceTest {};
class CloseNotifications : public ConformanceTest {};
class ApplicationControl : public ConformanceTest {};

// True when `call` raises telvainn::Error with a message; says what happened otherwise.
::testing::AssertionResult raisesWithMessage(const std::function<void()>& call);

// The colour index a cell given `index` reads back: Excel's palette holds some colours twice, and a
// colour reads as the lowest index that has it.
int colorIndexReadBack(int index);

}  // namespace telvainn::excel::conformance

#define TELVAINN_INSTANTIATE_WORKBOOK_CONFORMANCE(prefix, engineFunction)                                    \
    INSTANTIATE_TEST_SUITE_P(prefix, WorkbookFiles,                                                          \
                             ::testing::Values(EngineChoice{#prefix, &engineFunction}));                     \
    INSTANTIATE_TEST_SUITE_P(prefix, Worksheets, ::testing::Values(EngineChoice{#prefix, &engineFunction})); \
    INSTANTIATE_TEST_SUITE_P(prefix, Cells, ::testing::Values(EngineChoice{#prefix, &engineFunction}));      \
    INSTANTIATE_TEST_SUITE_P(prefix, Ranges, ::testing::Values(EngineChoice{#prefix, &engineFunction}));     \
    INSTANTIATE_TEST_SUITE_P(prefix, NamedRanges,                                                            \
                             ::testing::Values(EngineChoice{#prefix, &engineFunction}));                     \
    INSTANTIATE_TEST_SUITE_P(prefix, FillColours,                                                            \
                             ::testing::Values(EngineChoice{#prefix, &engineFunction}));                     \
    INSTANTIATE_TEST_SUITE_P(prefix, CloseNotifications,                                                     \
                             ::testing::Values(EngineChoice{#prefix, &engineFunction}));                     \
    INSTANTIATE_TEST_SUITE_P(prefix, ApplicationControl,                                                     \
                             ::testing::Values(EngineChoice{#prefix, &engineFunction}))
