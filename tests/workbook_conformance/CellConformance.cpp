#include "workbook/ColorIndex.h"
#include "workbook_conformance/EngineUnderTest.h"

namespace telvainn::excel::conformance {
namespace {

TEST_P(Cells, HoldNumbersTextsOrNothing) {
    auto sheet = newWorkbook().Worksheets(1);
    EXPECT_TRUE(sheet->Cell(5, 2).isEmpty());
    sheet->SetCell(5, 2, CellValue(202012.0));
    EXPECT_EQ(sheet->Cell(5, 2), CellValue(202012.0));
    EXPECT_TRUE(sheet->Cell(5, 2).isNumber());
    sheet->SetCell(5, 2, QStringLiteral("N"));
    EXPECT_EQ(sheet->Cell(5, 2), CellValue(QStringLiteral("N")));
    sheet->SetCell(5, 2, QStringLiteral("10"));
    EXPECT_TRUE(sheet->Cell(5, 2).isText()) << "a text of digits written as text stays a text";
    sheet->SetCell(5, 2, CellValue(-0.5));
    EXPECT_EQ(sheet->Cell(5, 2), CellValue(-0.5));
    sheet->SetCell(5, 2, CellValue());
    EXPECT_TRUE(sheet->Cell(5, 2).isEmpty());
}

TEST_P(Cells, FarAwayCellsAreEmptyAndUsable) {
    auto sheet = newWorkbook().Worksheets(1);
    EXPECT_TRUE(sheet->Cell(65536, 256).isEmpty());
    sheet->SetCell(5000, 200, QStringLiteral("langt ute"));
    EXPECT_EQ(sheet->Cell(5000, 200), CellValue(QStringLiteral("langt ute")));
}

TEST_P(Cells, RowOrColumnZeroRaises) {
    auto sheet = newWorkbook().Worksheets(1);
    EXPECT_TRUE(raisesWithMessage([&] { sheet->Cell(0, 1); }));
    EXPECT_TRUE(raisesWithMessage([&] { sheet->Cell(1, 0); }));
    EXPECT_TRUE(raisesWithMessage([&] { sheet->SetCell(0, 1, CellValue(1.0)); }));
    EXPECT_TRUE(raisesWithMessage([&] { sheet->Cells(1, 0); }));
}

TEST_P(Cells, CellsItemIsARangeOfThatOneCell) {
    auto sheet = newWorkbook().Worksheets(1);
    sheet->SetCell(12, 12, QStringLiteral("normal"));
    const auto cell = sheet->Cells(12, 12);
    EXPECT_EQ(cell->Count(), 1);
    EXPECT_EQ(cell->Value(), CellValue(QStringLiteral("normal")));
    EXPECT_EQ(cell->Values(), (Block{{CellValue(QStringLiteral("normal"))}}));
    cell->SetValue(CellValue(42.0));
    EXPECT_EQ(sheet->Cell(12, 12), CellValue(42.0));
    EXPECT_TRUE(sheet->Cell(12, 13).isEmpty());
    EXPECT_TRUE(sheet->Cell(11, 12).isEmpty());
    cell->SetColorIndex(kColorIndexRed);
    EXPECT_EQ(sheet->Cells(12, 12)->ColorIndex(), kColorIndexRed);
    EXPECT_EQ(sheet->Cells(12, 13)->ColorIndex(), kColorIndexNone);
    EXPECT_EQ(cell->Find(QStringLiteral("42")), (CellPosition{12, 12}));
}

TEST_P(Cells, ReadBlockGivesTheRectangleRowByRowAndEmptiesPastTheUsedArea) {
    auto sheet = newWorkbook().Worksheets(1);
    sheet->SetCell(11, 1, CellValue(2511234.0));
    sheet->SetCell(11, 2, QStringLiteral("600"));
    sheet->SetCell(12, 1, CellValue(1101234.0));
    sheet->SetCell(12, 3, CellValue(-17.25));

    const Block block = sheet->ReadBlock(11, 1, 4, 5);
    ASSERT_EQ(block.size(), 4U);
    for (const auto& row : block) {
        ASSERT_EQ(row.size(), 5U);
    }
    EXPECT_EQ(block[0][0], CellValue(2511234.0));
    EXPECT_EQ(block[0][1], CellValue(QStringLiteral("600")));
    EXPECT_TRUE(block[0][2].isEmpty());
    EXPECT_EQ(block[1][0], CellValue(1101234.0));
    EXPECT_TRUE(block[1][1].isEmpty());
    EXPECT_EQ(block[1][2], CellValue(-17.25));
    for (std::size_t row = 0; row < 4; ++row) {
        EXPECT_TRUE(block[row][3].isEmpty());
        EXPECT_TRUE(block[row][4].isEmpty());
    }
    for (std::size_t column = 0; column < 5; ++column) {
        EXPECT_TRUE(block[2][column].isEmpty());
        EXPECT_TRUE(block[3][column].isEmpty());
    }
    EXPECT_EQ(sheet->ReadBlock(12, 3, 1, 1), (Block{{CellValue(-17.25)}}));
}

TEST_P(Cells, WriteBlockWritesEveryValueAndEmptiesClear) {
    auto sheet = newWorkbook().Worksheets(1);
    sheet->SetCell(12, 2, QStringLiteral("gammel"));
    const Block rows = {
        {CellValue(1.0), CellValue(QStringLiteral("to")), CellValue(3.5)},
        {CellValue(QStringLiteral("fire")), CellValue(), CellValue(-6.0)},
    };
    sheet->WriteBlock(11, 1, rows);
    EXPECT_EQ(sheet->ReadBlock(11, 1, 2, 3), rows);
    EXPECT_TRUE(sheet->Cell(12, 2).isEmpty());
    EXPECT_EQ(sheet->Cell(11, 2), CellValue(QStringLiteral("to")));
    EXPECT_TRUE(sheet->Cell(11, 4).isEmpty());
    EXPECT_TRUE(sheet->Cell(13, 1).isEmpty());

    sheet->WriteBlock(60000, 100, {{CellValue(7.0)}});
    EXPECT_EQ(sheet->Cell(60000, 100), CellValue(7.0));
}

}  // namespace
}  // namespace telvainn::excel::conformance
