#include "workbook/ColorIndex.h"
#include "workbook_conformance/EngineUnderTest.h"

namespace telvainn::excel::conformance {
namespace {

TEST_P(FillColours, ACellWithoutFillReadsAsNoFill) {
    auto sheet = newWorkbook().Worksheets(1);
    EXPECT_EQ(sheet->Cells(1, 1)->ColorIndex(), kColorIndexNone);
    sheet->SetCell(1, 1, QStringLiteral("tekst uten farge"));
    EXPECT_EQ(sheet->Cells(1, 1)->ColorIndex(), kColorIndexNone);
}

TEST_P(FillColours, EveryPaletteIndexReadsBackAsTheLowestIndexOfItsColour) {
    auto sheet = newWorkbook().Worksheets(1);
    for (int index = 1; index <= kPaletteSize; ++index) {
        sheet->Cells(index, 1)->SetColorIndex(index);
    }
    for (int index = 1; index <= kPaletteSize; ++index) {
        EXPECT_EQ(sheet->Cells(index, 1)->ColorIndex(), colorIndexReadBack(index)) << "index " << index;
    }
}

TEST_P(FillColours, EveryPaletteIndexSurvivesSaveAndOpen) {
    Workbook& made = newWorkbook();
    auto sheet = made.Worksheets(1);
    for (int index = 1; index <= kPaletteSize; ++index) {
        sheet->Cells(index, 2)->SetColorIndex(index);
        sheet->SetCell(index, 1, CellValue(static_cast<double>(index)));
    }
    auto again = saveCloseAndReopen(made, QStringLiteral("palett.xls")).Worksheets(1);
    for (int index = 1; index <= kPaletteSize; ++index) {
        EXPECT_EQ(again->Cells(index, 2)->ColorIndex(), colorIndexReadBack(index)) << "index " << index;
        EXPECT_EQ(again->Cells(index, 1)->ColorIndex(), kColorIndexNone) << "row " << index;
    }
}

TEST_P(FillColours, NoFillRemovesAColour) {
    auto sheet = newWorkbook().Worksheets(1);
    const auto cell = sheet->Cells(5, 6);
    cell->SetColorIndex(kColorIndexRed);
    EXPECT_EQ(cell->ColorIndex(), kColorIndexRed);
    cell->SetColorIndex(kColorIndexNone);
    EXPECT_EQ(cell->ColorIndex(), kColorIndexNone);
    cell->SetColorIndex(kColorIndexNone);
    EXPECT_EQ(cell->ColorIndex(), kColorIndexNone);
}

// How MarkCell gives a passed cell the sheet's normal colour: read from L12, set on the cells.
TEST_P(FillColours, ReadIndexCopiesToOtherCells) {
    auto sheet = newWorkbook().Worksheets(1);
    sheet->Cells(12, 12)->SetColorIndex(35);
    sheet->GetRange(QStringLiteral("F5;G5"))->SetColorIndex(kColorIndexRed);
    sheet->GetRange(QStringLiteral("F5;G5"))->SetColorIndex(sheet->Cells(12, 12)->ColorIndex());
    EXPECT_EQ(sheet->Cells(5, 6)->ColorIndex(), 35);
    EXPECT_EQ(sheet->Cells(5, 7)->ColorIndex(), 35);
}

TEST_P(FillColours, ColourAndValueAreIndependent) {
    auto sheet = newWorkbook().Worksheets(1);
    sheet->SetCell(14, 3, QStringLiteral("600"));
    sheet->Cells(14, 3)->SetColorIndex(kColorIndexRed);
    EXPECT_EQ(sheet->Cell(14, 3), CellValue(QStringLiteral("600")));
    sheet->SetCell(14, 3, QStringLiteral("550"));
    EXPECT_EQ(sheet->Cells(14, 3)->ColorIndex(), kColorIndexRed);
    sheet->SetCell(14, 3, CellValue());
    EXPECT_EQ(sheet->Cells(14, 3)->ColorIndex(), kColorIndexRed);
}

}  // namespace
}  // namespace telvainn::excel::conformance
