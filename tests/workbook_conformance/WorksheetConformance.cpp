#include "workbook_conformance/EngineUnderTest.h"

namespace telvainn::excel::conformance {
namespace {

QStringList sheetNames(Workbook& workbook) {
    QStringList names;
    for (int index = 1; index <= workbook.WorksheetCount(); ++index) {
        names.append(workbook.Worksheets(index)->Name());
    }
    return names;
}

TEST_P(Worksheets, AreReachedByIndexInOrderAndByName) {
    Workbook& workbook =
        newWorkbookWithSheets({QStringLiteral("r60"), QStringLiteral("Base"), QStringLiteral("Base2")});
    EXPECT_EQ(workbook.WorksheetCount(), 3);
    EXPECT_EQ(sheetNames(workbook),
              (QStringList{QStringLiteral("r60"), QStringLiteral("Base"), QStringLiteral("Base2")}));

    workbook.Worksheets(3)->SetCell(1, 1, CellValue(39783.0));
    EXPECT_EQ(workbook.WorksheetNamed(QStringLiteral("Base2"))->Cell(1, 1), CellValue(39783.0));
    EXPECT_TRUE(workbook.WorksheetNamed(QStringLiteral("Base"))->Cell(1, 1).isEmpty());
    EXPECT_EQ(workbook.WorksheetNamed(QStringLiteral("Base"))->Name(), QStringLiteral("Base"));
}

TEST_P(Worksheets, IndexOutsideTheWorkbookAndMissingNamesRaise) {
    Workbook& workbook = newWorkbookWithSheets({QStringLiteral("r10"), QStringLiteral("Base")});
    EXPECT_TRUE(raisesWithMessage([&] { workbook.Worksheets(0); }));
    EXPECT_TRUE(raisesWithMessage([&] { workbook.Worksheets(3); }));
    EXPECT_TRUE(raisesWithMessage([&] { workbook.Worksheets(-1); }));
    EXPECT_TRUE(raisesWithMessage([&] { workbook.WorksheetNamed(QStringLiteral("Base3")); }));
    EXPECT_TRUE(raisesWithMessage([&] { workbook.WorksheetNamed(QString()); }));
}

TEST_P(Worksheets, RenamingAddingAndDeletingChangeTheList) {
    Workbook& workbook = newWorkbookWithSheets({QStringLiteral("Ark1"), QStringLiteral("Ark2")});
    workbook.Worksheets(1)->SetName(QStringLiteral("r35"));
    workbook.AddWorksheet(QStringLiteral("Base"))->SetCell(1, 1, CellValue(1.0));
    EXPECT_EQ(sheetNames(workbook),
              (QStringList{QStringLiteral("r35"), QStringLiteral("Ark2"), QStringLiteral("Base")}));
    workbook.DeleteWorksheet(2);
    EXPECT_EQ(sheetNames(workbook), (QStringList{QStringLiteral("r35"), QStringLiteral("Base")}));
    EXPECT_EQ(workbook.Worksheets(2)->Cell(1, 1), CellValue(1.0));
    EXPECT_TRUE(raisesWithMessage([&] { workbook.WorksheetNamed(QStringLiteral("Ark2")); }));
}

TEST_P(Worksheets, ActiveSheetIsTheOneLastActivated) {
    Workbook& workbook = newWorkbookWithSheets({QStringLiteral("r10"), QStringLiteral("Base")});
    workbook.Worksheets(2)->Activate();
    EXPECT_EQ(workbook.ActiveSheet()->Name(), QStringLiteral("Base"));
    workbook.WorksheetNamed(QStringLiteral("r10"))->Activate();
    EXPECT_EQ(workbook.ActiveSheet()->Name(), QStringLiteral("r10"));

    workbook.ActiveSheet()->SetCell(2, 2, QStringLiteral("aktiv"));
    EXPECT_EQ(workbook.Worksheets(1)->Cell(2, 2), CellValue(QStringLiteral("aktiv")));
}

TEST_P(Worksheets, ProtectAndUnprotectWithoutPassword) {
    Workbook& workbook = newWorkbookWithSheets({QStringLiteral("r10"), QStringLiteral("Base")});
    auto sheet = workbook.Worksheets(1);
    EXPECT_FALSE(sheet->IsProtected());
    sheet->Protect();
    EXPECT_TRUE(sheet->IsProtected());
    EXPECT_TRUE(workbook.Worksheets(1)->IsProtected());
    EXPECT_FALSE(workbook.Worksheets(2)->IsProtected());
    sheet->Unprotect();
    EXPECT_FALSE(sheet->IsProtected());
    sheet->Unprotect();  // unprotecting an unprotected sheet is harmless
    EXPECT_FALSE(sheet->IsProtected());
}

// How a template opens its data area to a person typing on the protected sheet.
TEST_P(Worksheets, CellsAreLockedUntilUnlockedAndKeepThatThroughSaveAndOpen) {
    Workbook& made = newWorkbookWithSheets({QStringLiteral("r10")});
    auto sheet = made.Worksheets(1);
    EXPECT_TRUE(sheet->Cells(11, 1)->Locked()) << "a new sheet's cells are locked";
    sheet->GetRange(QStringLiteral("A11:G65536"))->SetLocked(false);
    sheet->GetRange(QStringLiteral("B3:B4;B6:B7"))->SetLocked(false);
    sheet->Cells(20, 3)->SetLocked(true);
    sheet->Protect();

    auto again = saveCloseAndReopen(made, QStringLiteral("laast.xls")).Worksheets(1);
    EXPECT_TRUE(again->IsProtected());
    for (const auto& [row, column] :
         {std::pair{11, 1}, {11, 7}, {65536, 1}, {65536, 7}, {3, 2}, {4, 2}, {6, 2}, {7, 2}}) {
        EXPECT_FALSE(again->Cells(row, column)->Locked()) << row << "," << column;
    }
    for (const auto& [row, column] : {std::pair{10, 1}, {11, 8}, {5, 2}, {3, 1}, {20, 3}}) {
        EXPECT_TRUE(again->Cells(row, column)->Locked()) << row << "," << column;
    }
}

}  // namespace
}  // namespace telvainn::excel::conformance
