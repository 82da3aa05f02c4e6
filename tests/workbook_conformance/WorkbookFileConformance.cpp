#include <QFile>
#include <QFileInfo>

#include "workbook/ColorIndex.h"
#include "workbook_conformance/EngineUnderTest.h"

namespace telvainn::excel::conformance {
namespace {

CellValue text(const char16_t* value) {
    return CellValue(QString::fromUtf16(value));
}

TEST_P(WorkbookFiles, SaveAsAndOpenKeepNumbersTextsAndEmptyCells) {
    Workbook& made = newWorkbookWithSheets({QStringLiteral("r10"), QStringLiteral("Base")});
    auto sheet = made.Worksheets(1);
    const std::vector<std::pair<CellPosition, CellValue>> cells = {
        {{1, 1}, CellValue(10.0)},    {{1, 2}, CellValue(-1234.5)},
        {{1, 3}, CellValue(0.1)},     {{1, 4}, CellValue(12345678901.0)},
        {{1, 5}, CellValue(39783.0)}, {{2, 1}, text(u"Blåbær Østre AS")},
        {{2, 2}, text(u"007")},  // a text of digits stays a text
        {{2, 3}, text(u"12345")},     {{4, 7}, text(u"etter tomme celler")},
    };
    for (const auto& [position, value] : cells) {
        sheet->SetCell(position.row, position.column, value);
    }
    made.Worksheets(2)->SetCell(1, 1, CellValue(39783.0));

    Workbook& reopened = saveCloseAndReopen(made, QStringLiteral("verdier.xls"));
    ASSERT_EQ(reopened.WorksheetCount(), 2);
    EXPECT_EQ(reopened.Worksheets(1)->Name(), QStringLiteral("r10"));
    EXPECT_EQ(reopened.Worksheets(2)->Name(), QStringLiteral("Base"));
    auto again = reopened.Worksheets(1);
    for (const auto& [position, value] : cells) {
        EXPECT_EQ(again->Cell(position.row, position.column), value)
            << "cell " << position.row << "," << position.column;
    }
    EXPECT_TRUE(again->Cell(3, 1).isEmpty());
    EXPECT_TRUE(again->Cell(4, 6).isEmpty());
    EXPECT_TRUE(again->Cell(1, 6).isEmpty());
    EXPECT_EQ(reopened.Worksheets(2)->Cell(1, 1), CellValue(39783.0));
}

TEST_P(WorkbookFiles, SaveAsNamesTheWorkbookAfterItsFile) {
    Workbook& workbook = newWorkbook();
    const QString path = scratchPath(QStringLiteral("rapport 10.xls"));
    workbook.SaveAs(path);
    EXPECT_EQ(workbook.Name(), QStringLiteral("rapport 10.xls"));
    EXPECT_EQ(QFileInfo(workbook.FullName()).canonicalFilePath(), QFileInfo(path).canonicalFilePath());
    EXPECT_TRUE(QFileInfo::exists(path));

    workbook.Close();
    Workbook& reopened = open(path);
    EXPECT_EQ(reopened.Name(), QStringLiteral("rapport 10.xls"));
    EXPECT_EQ(QFileInfo(reopened.FullName()).canonicalFilePath(), QFileInfo(path).canonicalFilePath());
}

TEST_P(WorkbookFiles, SaveAsAndOpenKeepOneCellAndMultiCellNames) {
    Workbook& made = newWorkbookWithSheets({QStringLiteral("r51"), QStringLiteral("Base")});
    auto base = made.WorksheetNamed(QStringLiteral("Base"));
    base->WriteBlock(2, 1, {{text(u"1101234")}, {text(u"1201234")}, {text(u"1369012")}});
    base->SetCell(2, 3, text(u"2511234 Utlån til foretak"));
    base->WriteBlock(5, 5, {{text(u"NO"), text(u"Norge")}, {text(u"SE"), text(u"Sverige")}});
    made.AddName(QStringLiteral("Base_Itens"), QStringLiteral("Base"), QStringLiteral("A2:A4"));
    made.AddName(QStringLiteral("_l10100"), QStringLiteral("Base"), QStringLiteral("C2"));
    made.AddName(QStringLiteral("land"), QStringLiteral("Base"), QStringLiteral("$E$5:$F$6"));

    Workbook& reopened = saveCloseAndReopen(made, QStringLiteral("navn.xls"));
    auto sheet = reopened.WorksheetNamed(QStringLiteral("Base"));
    const auto items = sheet->GetRange(QStringLiteral("Base_Itens"));
    EXPECT_EQ(items->Count(), 3);
    EXPECT_EQ(items->Values(), (Block{{text(u"1101234")}, {text(u"1201234")}, {text(u"1369012")}}));
    const auto oneCell = sheet->GetRange(QStringLiteral("_l10100"));
    EXPECT_EQ(oneCell->Count(), 1);
    EXPECT_EQ(oneCell->Value(), text(u"2511234 Utlån til foretak"));
    const auto land = sheet->GetRange(QStringLiteral("land"));
    EXPECT_EQ(land->Count(), 4);
    EXPECT_EQ(land->Values(), (Block{{text(u"NO"), text(u"Norge")}, {text(u"SE"), text(u"Sverige")}}));
}

// As a formula on a sheet sees names: the sheet's own first, then the workbook's; the file keeps both.
TEST_P(WorkbookFiles, ANameOfASheetIsFoundOnThatSheetBeforeTheWorkbooksAndIsKept) {
    Workbook& made = newWorkbookWithSheets({QStringLiteral("r10"), QStringLiteral("Base")});
    made.WorksheetNamed(QStringLiteral("Base"))
        ->WriteBlock(2, 1, {{text(u"NOK")}, {text(u"SEK")}, {text(u"EUR")}});
    made.AddName(QStringLiteral("valuta"), QStringLiteral("Base"), QStringLiteral("A4"));
    made.AddSheetName(QStringLiteral("valuta"), QStringLiteral("Base"), QStringLiteral("A2:A3"));
    made.AddSheetName(QStringLiteral("_naring"), QStringLiteral("Base"), QStringLiteral("A2"));

    Workbook& reopened = saveCloseAndReopen(made, QStringLiteral("lokale.xls"));
    const auto base = reopened.WorksheetNamed(QStringLiteral("Base"));
    const auto report = reopened.WorksheetNamed(QStringLiteral("r10"));
    EXPECT_EQ(base->GetRange(QStringLiteral("valuta"))->Values(), (Block{{text(u"NOK")}, {text(u"SEK")}}));
    EXPECT_EQ(report->GetRange(QStringLiteral("valuta"))->Values(), (Block{{text(u"EUR")}}))
        << "another sheet sees the workbook's name";
    EXPECT_EQ(base->GetRange(QStringLiteral("_NARING"))->Value(), text(u"NOK"));
    EXPECT_THROW(report->GetRange(QStringLiteral("_naring")), std::exception);
}

TEST_P(WorkbookFiles, SaveAsAndOpenKeepFillColoursAndDateCellsAsSerials) {
    Workbook& made = newWorkbookWithSheets({QStringLiteral("r10")});
    auto sheet = made.Worksheets(1);
    sheet->Cells(12, 12)->SetColorIndex(35);
    sheet->GetRange(QStringLiteral("F5;G5"))->SetColorIndex(kColorIndexRed);
    sheet->GetRange(QStringLiteral("B3:B7"))->SetColorIndex(6);
    sheet->Cells(5, 2)->SetColorIndex(kColorIndexNone);
    sheet->SetNumberFormat(1, 1, QStringLiteral("DD.MM.YYYY"));
    sheet->SetCell(1, 1, CellValue(39783.0));

    Workbook& reopened = saveCloseAndReopen(made, QStringLiteral("farger.xls"));
    auto again = reopened.Worksheets(1);
    EXPECT_EQ(again->Cells(12, 12)->ColorIndex(), 35);
    EXPECT_EQ(again->Cells(5, 6)->ColorIndex(), kColorIndexRed);
    EXPECT_EQ(again->Cells(5, 7)->ColorIndex(), kColorIndexRed);
    EXPECT_EQ(again->Cells(3, 2)->ColorIndex(), 6);
    EXPECT_EQ(again->Cells(7, 2)->ColorIndex(), 6);
    EXPECT_EQ(again->Cells(5, 2)->ColorIndex(), kColorIndexNone);
    EXPECT_EQ(again->Cells(1, 2)->ColorIndex(), kColorIndexNone);
    EXPECT_EQ(again->Cell(1, 1), CellValue(39783.0));
}

TEST_P(WorkbookFiles, OpenShowsTheSheetThatWasActiveWhenSaved) {
    Workbook& made =
        newWorkbookWithSheets({QStringLiteral("Forside"), QStringLiteral("r20"), QStringLiteral("Base")});
    made.Worksheets(2)->Activate();
    Workbook& reopened = saveCloseAndReopen(made, QStringLiteral("aktiv.xls"));
    EXPECT_EQ(reopened.ActiveSheet()->Name(), QStringLiteral("r20"));
}

TEST_P(WorkbookFiles, SaveWritesChangesToTheWorkbooksOwnFile) {
    Workbook& made = newWorkbookWithSheets({QStringLiteral("r10")});
    made.Worksheets(1)->SetCell(5, 2, CellValue(10.0));
    Workbook& reopened = saveCloseAndReopen(made, QStringLiteral("lagre.xls"));
    reopened.Worksheets(1)->SetCell(5, 2, CellValue(11.0));
    reopened.Worksheets(1)->SetCell(6, 2, QStringLiteral("N"));
    reopened.Save();
    const QString path = reopened.FullName();
    reopened.Close();

    Workbook& third = open(path);
    EXPECT_EQ(third.Worksheets(1)->Cell(5, 2), CellValue(11.0));
    EXPECT_EQ(third.Worksheets(1)->Cell(6, 2), CellValue(QStringLiteral("N")));
}

TEST_P(WorkbookFiles, CloseLeavesTheFileAsItWas) {
    Workbook& made = newWorkbookWithSheets({QStringLiteral("r10")});
    made.Worksheets(1)->SetCell(5, 2, CellValue(10.0));
    Workbook& reopened = saveCloseAndReopen(made, QStringLiteral("lukk.xls"));
    reopened.Worksheets(1)->SetCell(5, 2, CellValue(99.0));
    const QString path = reopened.FullName();
    reopened.Close();
    EXPECT_FALSE(reopened.IsOpen());

    EXPECT_EQ(open(path).Worksheets(1)->Cell(5, 2), CellValue(10.0));
}

// A template is opened so by every validation; a read-only file is the user's to keep as it is.
TEST_P(WorkbookFiles, AWorkbookOpenedReadOnlyOrWhoseFileIsReadOnlyIsNotSavedOverItsFile) {
    Workbook& made = newWorkbookWithSheets({QStringLiteral("r10")});
    made.Worksheets(1)->SetCell(5, 2, CellValue(10.0));
    const QString path = scratchPath(QStringLiteral("les.xls"));
    made.SaveAs(path);
    made.Close();

    Workbook& readOnly = keep(app().Open(path, OpenMode::ReadOnly));
    readOnly.Worksheets(1)->SetCell(5, 2, CellValue(99.0));
    EXPECT_TRUE(raisesWithMessage([&] { readOnly.Save(); }));
    readOnly.Close();

    const auto permissions = QFile::permissions(path);
    ASSERT_TRUE(QFile::setPermissions(path, QFile::ReadOwner | QFile::ReadGroup | QFile::ReadOther));
    Workbook& marked = open(path);
    marked.Worksheets(1)->SetCell(5, 2, CellValue(99.0));
    EXPECT_TRUE(raisesWithMessage([&] { marked.Save(); }));
    marked.Close();
    ASSERT_TRUE(QFile::setPermissions(path, permissions));
    EXPECT_EQ(open(path).Worksheets(1)->Cell(5, 2), CellValue(10.0));
}

TEST_P(WorkbookFiles, OpeningAMissingFileRaises) {
    const QString path = scratchPath(QStringLiteral("finnes-ikke.xls"));
    EXPECT_TRUE(raisesWithMessage([&] { keep(app().Open(path)); }));
}

TEST_P(WorkbookFiles, WorkbookCountFollowsOpeningAndClosing) {
    const int before = app().WorkbookCount();
    Workbook& first = newWorkbook();
    EXPECT_EQ(first.WorksheetCount(), 1);
    EXPECT_TRUE(first.Worksheets(1)->Cell(1, 1).isEmpty());
    EXPECT_EQ(app().WorkbookCount(), before + 1);
    first.SaveAs(scratchPath(QStringLiteral("telle.xls")));
    EXPECT_EQ(app().WorkbookCount(), before + 1);
    Workbook& second = newWorkbook();
    EXPECT_EQ(app().WorkbookCount(), before + 2);
    first.Close();
    EXPECT_EQ(app().WorkbookCount(), before + 1);
    open(scratchPath(QStringLiteral("telle.xls")));
    EXPECT_EQ(app().WorkbookCount(), before + 2);
    second.Close();
    EXPECT_EQ(app().WorkbookCount(), before + 1);
}

TEST_P(WorkbookFiles, ConnectionsToAClosedWorkbookRaise) {
    Workbook& workbook = newWorkbookWithSheets({QStringLiteral("r10"), QStringLiteral("Base")});
    const auto sheet = workbook.Worksheets(1);
    const auto range = sheet->GetRange(QStringLiteral("B3:B7"));
    EXPECT_TRUE(workbook.IsOpen());
    workbook.Close();

    EXPECT_FALSE(workbook.IsOpen());
    EXPECT_TRUE(raisesWithMessage([&] { workbook.WorksheetCount(); }));
    EXPECT_TRUE(raisesWithMessage([&] { workbook.Worksheets(1); }));
    EXPECT_TRUE(raisesWithMessage([&] { workbook.ActiveSheet(); }));
    EXPECT_TRUE(raisesWithMessage([&] { workbook.Activate(); }));
    EXPECT_TRUE(raisesWithMessage([&] { workbook.Save(); }));
    EXPECT_TRUE(raisesWithMessage([&] { sheet->Cell(1, 1); }));
    EXPECT_TRUE(raisesWithMessage([&] { sheet->SetCell(1, 1, CellValue(1.0)); }));
    EXPECT_TRUE(raisesWithMessage([&] { range->Value(); }));
    EXPECT_TRUE(raisesWithMessage([&] { range->SetColorIndex(kColorIndexRed); }));
}

}  // namespace
}  // namespace telvainn::excel::conformance
