#include <gtest/gtest.h>

#include <QTemporaryDir>

#include "support/RaisedMessage.h"
#include "workbook/memory/MemoryApplication.h"

namespace telvainn::excel::memory {
namespace {

using namespace std::chrono_literals;

class MemoryApplication : public ::testing::Test {
  protected:
    void SetUp() override { ASSERT_TRUE(m_dir.isValid()); }

    std::unique_ptr<Workbook> saved(const QString& fileName) {
        auto workbook = m_app.NewWorkbook();
        workbook->SaveAs(m_dir.filePath(fileName));
        return workbook;
    }

    Application m_app;
    QTemporaryDir m_dir;
};

TEST_F(MemoryApplication, StartsAsExcelDoesUnderAutomation) {
    EXPECT_TRUE(m_app.ScreenUpdating());
    EXPECT_FALSE(m_app.Visible());
    EXPECT_TRUE(m_app.DisplayAlerts());
    EXPECT_TRUE(m_app.EnableEvents());
    EXPECT_EQ(m_app.WorkbookCount(), 0);
}

TEST_F(MemoryApplication, NewWorkbooksAreNumberedAndHaveOneSheet) {
    auto first = m_app.NewWorkbook();
    auto second = m_app.NewWorkbook();
    EXPECT_EQ(first->Name(), QStringLiteral("Book1"));
    EXPECT_EQ(first->FullName(), QStringLiteral("Book1"));
    EXPECT_EQ(second->Name(), QStringLiteral("Book2"));
    EXPECT_EQ(first->WorksheetCount(), 1);
    EXPECT_EQ(first->Worksheets(1)->Name(), QStringLiteral("Sheet1"));
    EXPECT_EQ(first->ActiveSheet()->Name(), QStringLiteral("Sheet1"));
}

TEST_F(MemoryApplication, OpeningAnOpenWorkbookGivesThatWorkbook) {
    auto workbook = saved(QStringLiteral("r10.xls"));
    workbook->Worksheets(1)->SetCell(1, 1, QStringLiteral("ulagret"));
    auto again = m_app.Open(m_dir.filePath(QStringLiteral("r10.xls")));
    EXPECT_EQ(m_app.WorkbookCount(), 1);
    EXPECT_EQ(again->Worksheets(1)->Cell(1, 1), CellValue(QStringLiteral("ulagret")));
    again->Close();
    EXPECT_FALSE(workbook->IsOpen());
}

TEST_F(MemoryApplication, WindowsAreShownOnOpeningAndHiddenOnRequest) {
    auto workbook = saved(QStringLiteral("r10.xls"));
    EXPECT_TRUE(m_app.WindowVisible(QStringLiteral("r10.xls")));
    m_app.SetWindowVisible(QStringLiteral("R10.xls"), false);
    EXPECT_FALSE(m_app.WindowVisible(QStringLiteral("r10.xls")));
    workbook->Close();
    auto reopened = m_app.Open(m_dir.filePath(QStringLiteral("r10.xls")));
    EXPECT_TRUE(m_app.WindowVisible(QStringLiteral("r10.xls")));
}

TEST_F(MemoryApplication, DeletingSheetsKeepsTheActiveSheetWherePossible) {
    auto workbook = m_app.NewWorkbook();
    workbook->AddWorksheet(QStringLiteral("B"));
    workbook->AddWorksheet(QStringLiteral("C"));
    workbook->Worksheets(2)->Activate();
    workbook->DeleteWorksheet(1);
    EXPECT_EQ(workbook->ActiveSheet()->Name(), QStringLiteral("B"));
    workbook->DeleteWorksheet(1);
    EXPECT_EQ(workbook->ActiveSheet()->Name(), QStringLiteral("C"));
    workbook->AddWorksheet(QStringLiteral("D"));
    workbook->Worksheets(2)->Activate();
    workbook->DeleteWorksheet(2);
    EXPECT_EQ(workbook->ActiveSheet()->Name(), QStringLiteral("C"));
}

TEST_F(MemoryApplication, UserCloseDecidesOnEventsWhenTheUserCloses) {
    auto workbook = saved(QStringLiteral("r10.xls"));
    int runs = 0;
    workbook->OnBeforeClose([&] { ++runs; });
    m_app.SetEnableEvents(true);
    m_app.UserCloses(QStringLiteral("R10.XLS"));
    m_app.SetEnableEvents(false);  // too late to stop the notification already on its way
    EXPECT_EQ(runs, 0);
    EXPECT_FALSE(workbook->IsOpen());
    EXPECT_EQ(m_app.WorkbookCount(), 0);
    EXPECT_EQ(m_app.DeliverNotifications(), 1);
    EXPECT_EQ(runs, 1);

    auto other = saved(QStringLiteral("r11.xls"));
    other->OnBeforeClose([&] { ++runs; });
    m_app.UserCloses(QStringLiteral("r11.xls"));
    m_app.SetEnableEvents(true);
    EXPECT_EQ(m_app.DeliverNotifications(10ms), 0);
    EXPECT_EQ(runs, 1);
}

TEST_F(MemoryApplication, TheWakerRunsAsTheUserCloses) {
    auto workbook = saved(QStringLiteral("r10.xls"));
    workbook->OnBeforeClose([] {});
    int wakes = 0;
    m_app.SetNotificationWaker([&] { ++wakes; });
    m_app.UserCloses(QStringLiteral("r10.xls"));
    EXPECT_EQ(wakes, 1);
    EXPECT_EQ(m_app.DeliverNotifications(), 1);
}

TEST_F(MemoryApplication, QuitClosesEverythingUnsavedAndTheEngineWorksAgainAfter) {
    auto workbook = saved(QStringLiteral("r10.xls"));
    workbook->Worksheets(1)->SetCell(1, 1, CellValue(5.0));
    int runs = 0;
    workbook->OnBeforeClose([&] { ++runs; });
    auto fresh = m_app.NewWorkbook();
    m_app.SetVisible(true);
    m_app.Quit();
    EXPECT_EQ(m_app.WorkbookCount(), 0);
    EXPECT_FALSE(workbook->IsOpen());
    EXPECT_FALSE(fresh->IsOpen());
    EXPECT_FALSE(m_app.Visible());
    EXPECT_EQ(m_app.DeliverNotifications(), 0);
    EXPECT_EQ(runs, 0);

    auto reopened = m_app.Open(m_dir.filePath(QStringLiteral("r10.xls")));
    EXPECT_TRUE(reopened->Worksheets(1)->Cell(1, 1).isEmpty());
}

TEST_F(MemoryApplication, ConnectionsOutlivingTheApplicationRaise) {
    std::unique_ptr<Workbook> workbook;
    {
        Application shortLived;
        workbook = shortLived.NewWorkbook();
    }
    EXPECT_FALSE(workbook->IsOpen());
    EXPECT_EQ(raisedMessage([&] { workbook->WorksheetCount(); }),
              QStringLiteral("The workbook 'Book1' has been closed."));
}

}  // namespace
}  // namespace telvainn::excel::memory
