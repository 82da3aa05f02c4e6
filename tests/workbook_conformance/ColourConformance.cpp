#include "core/Error.h"
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

// How a validation run colours its cells: scattered cells and rectangles, on a sheet that is not the first.
TEST_P(FillColours, ManyRectanglesAtOnceTakeTheColourAndNothingElseDoes) {
    Workbook& workbook = newWorkbookWithSheets({QStringLiteral("Base"), QStringLiteral("r10")});
    auto sheet = workbook.Worksheets(2);
    sheet->GetRange(QStringLiteral("A1:H12"))->SetColorIndex(6);
    sheet->SetCell(3, 2, QStringLiteral("600"));

    sheet->SetColorIndex(
        {CellRect{3, 2, 3, 2}, CellRect{9, 7, 9, 7}, CellRect{5, 4, 6, 6}, CellRect{1, 8, 1, 8}},
        kColorIndexRed);

    for (int row = 1; row <= 12; ++row) {
        for (int column = 1; column <= 8; ++column) {
            const bool chosen = (row == 3 && column == 2) || (row == 9 && column == 7) ||
                                (row >= 5 && row <= 6 && column >= 4 && column <= 6) ||
                                (row == 1 && column == 8);
            EXPECT_EQ(sheet->Cells(row, column)->ColorIndex(), chosen ? kColorIndexRed : 6)
                << "row " << row << ", column " << column;
        }
    }
    EXPECT_EQ(sheet->Cell(3, 2), CellValue(QStringLiteral("600")));
    const auto first = workbook.Worksheets(1);
    EXPECT_EQ(first->Cells(3, 2)->ColorIndex(), kColorIndexNone) << "another sheet was coloured";
    EXPECT_EQ(first->Cells(5, 4)->ColorIndex(), kColorIndexNone) << "another sheet was coloured";
}

TEST_P(FillColours, ManyRectanglesAtOnceLoseTheirFillWithNoFill) {
    auto sheet = newWorkbook().Worksheets(1);
    sheet->GetRange(QStringLiteral("B2:D6"))->SetColorIndex(35);
    sheet->SetColorIndex({CellRect{2, 2, 2, 2}, CellRect{4, 3, 6, 4}}, kColorIndexNone);
    EXPECT_EQ(sheet->Cells(2, 2)->ColorIndex(), kColorIndexNone);
    EXPECT_EQ(sheet->Cells(4, 3)->ColorIndex(), kColorIndexNone);
    EXPECT_EQ(sheet->Cells(6, 4)->ColorIndex(), kColorIndexNone);
    EXPECT_EQ(sheet->Cells(2, 3)->ColorIndex(), 35);
    EXPECT_EQ(sheet->Cells(4, 2)->ColorIndex(), 35);
    EXPECT_EQ(sheet->Cells(3, 4)->ColorIndex(), 35);
}

TEST_P(FillColours, ManyRectanglesAtOnceRaiseForABadIndexOrPlaceAndColourNothing) {
    auto sheet = newWorkbook().Worksheets(1);
    const std::vector<CellRect> cells{CellRect{2, 2, 2, 2}, CellRect{4, 4, 5, 5}};
    for (const int index : {0, -1, kPaletteSize + 1}) {
        EXPECT_TRUE(raisesWithMessage([&] { sheet->Cells(1, 1)->SetColorIndex(index); }))
            << "index " << index;
        EXPECT_TRUE(raisesWithMessage([&] { sheet->SetColorIndex(cells, index); })) << "index " << index;
    }
    // Outside the sheet, or corners the wrong way round.
    for (const CellRect& bad : {CellRect{0, 1, 0, 1}, CellRect{1, 0, 1, 0}, CellRect{1, 1, kMaxRows + 1, 1},
                                CellRect{1, 1, 1, kMaxColumns + 1}, CellRect{3, 3, 2, 3}}) {
        auto withBad = cells;
        withBad.push_back(bad);
        EXPECT_TRUE(raisesWithMessage([&] { sheet->SetColorIndex(withBad, kColorIndexRed); }))
            << bad.firstRow << "," << bad.firstColumn << " to " << bad.lastRow << "," << bad.lastColumn;
    }
    EXPECT_EQ(sheet->Cells(2, 2)->ColorIndex(), kColorIndexNone);
    EXPECT_EQ(sheet->Cells(4, 4)->ColorIndex(), kColorIndexNone);
    EXPECT_EQ(sheet->Cells(1, 1)->ColorIndex(), kColorIndexNone);
}

// A default rectangle is A1: an empty list must not turn into one.
TEST_P(FillColours, NoRectanglesColourNothing) {
    auto sheet = newWorkbook().Worksheets(1);
    sheet->Cells(1, 1)->SetColorIndex(35);
    sheet->SetColorIndex({}, kColorIndexRed);
    sheet->SetColorIndex({}, kColorIndexNone);
    EXPECT_EQ(sheet->Cells(1, 1)->ColorIndex(), 35);
    EXPECT_EQ(sheet->Cells(1, 2)->ColorIndex(), kColorIndexNone);
}

TEST_P(FillColours, ManyRectanglesAtOnceOnAProtectedSheetFareAsOneRangeDoes) {
    auto sheet = newWorkbook().Worksheets(1);
    sheet->Protect();
    bool rangeRaised = false;
    try {
        sheet->Cells(2, 2)->SetColorIndex(kColorIndexRed);
    } catch (const Error&) {
        rangeRaised = true;
    }
    bool manyRaised = false;
    try {
        sheet->SetColorIndex({CellRect{4, 2, 4, 2}, CellRect{6, 2, 7, 3}}, kColorIndexRed);
    } catch (const Error&) {
        manyRaised = true;
    }
    EXPECT_EQ(manyRaised, rangeRaised);
    EXPECT_EQ(sheet->Cells(4, 2)->ColorIndex(), sheet->Cells(2, 2)->ColorIndex());
    EXPECT_EQ(sheet->Cells(7, 3)->ColorIndex(), sheet->Cells(2, 2)->ColorIndex());
}

}  // namespace
}  // namespace telvainn::excel::conformance
