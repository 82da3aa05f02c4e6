#include "workbook_conformance/EngineUnderTest.h"

namespace telvainn::excel::conformance {
namespace {

TEST_P(ApplicationControl, FlagsReadBackAsSet) {
    Application& application = app();
    for (const bool on : {false, true, false}) {
        application.SetScreenUpdating(on);
        EXPECT_EQ(application.ScreenUpdating(), on);
        application.SetDisplayAlerts(on);
        EXPECT_EQ(application.DisplayAlerts(), on);
        application.SetEnableEvents(on);
        EXPECT_EQ(application.EnableEvents(), on);
        application.SetVisible(on);
        EXPECT_EQ(application.Visible(), on);
    }
}

TEST_P(ApplicationControl, FlagsAreIndependent) {
    Application& application = app();
    application.SetScreenUpdating(true);
    application.SetDisplayAlerts(true);
    application.SetEnableEvents(true);
    application.SetScreenUpdating(false);
    EXPECT_TRUE(application.DisplayAlerts());
    EXPECT_TRUE(application.EnableEvents());
    application.SetEnableEvents(false);
    EXPECT_FALSE(application.ScreenUpdating());
    EXPECT_TRUE(application.DisplayAlerts());
}

TEST_P(ApplicationControl, WindowOfAnOpenWorkbookCanBeHiddenAndShown) {
    Workbook& workbook = newWorkbook();
    workbook.SaveAs(scratchPath(QStringLiteral("vindu.xls")));
    workbook.Worksheets(1)->SetCell(1, 1, QStringLiteral("skjult"));
    app().SetWindowVisible(QStringLiteral("vindu.xls"), false);
    EXPECT_TRUE(workbook.IsOpen());
    EXPECT_EQ(workbook.Worksheets(1)->Cell(1, 1), CellValue(QStringLiteral("skjult")));
    app().SetWindowVisible(QStringLiteral("vindu.xls"), true);
    EXPECT_TRUE(workbook.IsOpen());
    app().SetWindowVisible(QStringLiteral("vindu.xls"), false);
}

TEST_P(ApplicationControl, WindowOfNoOpenWorkbookRaises) {
    EXPECT_TRUE(raisesWithMessage([&] { app().SetWindowVisible(QStringLiteral("ikke-åpen.xls"), false); }));
    Workbook& workbook = newWorkbook();
    workbook.SaveAs(scratchPath(QStringLiteral("lukket vindu.xls")));
    workbook.Close();
    EXPECT_TRUE(
        raisesWithMessage([&] { app().SetWindowVisible(QStringLiteral("lukket vindu.xls"), false); }));
}

TEST_P(ApplicationControl, RunOnAWorkbookWithoutMacrosDoesNothing) {
    Workbook& workbook = newWorkbook();
    workbook.Worksheets(1)->SetName(QStringLiteral("r10"));
    workbook.Worksheets(1)->SetCell(5, 2, CellValue(10.0));
    workbook.SaveAs(scratchPath(QStringLiteral("r10.xls")));
    const int before = app().WorkbookCount();

    app().Run(QStringLiteral("'r10.xls'!Ark1.buildComboBox1()"));

    EXPECT_TRUE(workbook.IsOpen());
    EXPECT_EQ(app().WorkbookCount(), before);
    EXPECT_EQ(workbook.WorksheetCount(), 1);
    EXPECT_EQ(workbook.Worksheets(1)->Cell(5, 2), CellValue(10.0));
}

}  // namespace
}  // namespace telvainn::excel::conformance
