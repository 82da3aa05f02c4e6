#include "workbook/ColorIndex.h"
#include "workbook_conformance/EngineUnderTest.h"

namespace telvainn::excel::conformance {
namespace {

TEST_P(Ranges, SingleCellAddressesWithOrWithoutDollarsAndInAnyCase) {
    auto sheet = newWorkbook().Worksheets(1);
    sheet->SetCell(3, 2, QStringLiteral("B3"));
    for (const QString& address : {QStringLiteral("B3"), QStringLiteral("$B$3"), QStringLiteral("B$3"),
                                   QStringLiteral("$B3"), QStringLiteral("b3")}) {
        const auto range = sheet->GetRange(address);
        EXPECT_EQ(range->Count(), 1) << address.toStdString();
        EXPECT_EQ(range->Value(), CellValue(QStringLiteral("B3"))) << address.toStdString();
    }
    sheet->GetRange(QStringLiteral("$C$4"))->SetValue(CellValue(4.0));
    EXPECT_EQ(sheet->Cell(4, 3), CellValue(4.0));
}

TEST_P(Ranges, RectangleCountsValuesAndTakesOneValueEverywhere) {
    auto sheet = newWorkbook().Worksheets(1);
    sheet->SetCell(3, 2, QStringLiteral("øverst til venstre"));
    sheet->SetCell(7, 4, CellValue(74.0));
    const auto range = sheet->GetRange(QStringLiteral("B3:D7"));
    EXPECT_EQ(range->Count(), 15);
    EXPECT_EQ(range->Value(), CellValue(QStringLiteral("øverst til venstre")));
    const Block values = range->Values();
    ASSERT_EQ(values.size(), 5U);
    ASSERT_EQ(values[0].size(), 3U);
    EXPECT_EQ(values[0][0], CellValue(QStringLiteral("øverst til venstre")));
    EXPECT_EQ(values[4][2], CellValue(74.0));
    EXPECT_TRUE(values[2][1].isEmpty());

    sheet->GetRange(QStringLiteral("C4:D5"))->SetValue(CellValue(0.0));
    EXPECT_EQ(sheet->ReadBlock(3, 2, 4, 4),
              (Block{{CellValue(QStringLiteral("øverst til venstre")), CellValue(), CellValue(), CellValue()},
                     {CellValue(), CellValue(0.0), CellValue(0.0), CellValue()},
                     {CellValue(), CellValue(0.0), CellValue(0.0), CellValue()},
                     {CellValue(), CellValue(), CellValue(), CellValue()}}));
}

TEST_P(Ranges, UnionsWithSemicolonOrCommaCoverEveryArea) {
    auto sheet = newWorkbook().Worksheets(1);
    for (const QString& address : {QStringLiteral("B15;C15"), QStringLiteral("B15,C15")}) {
        const auto range = sheet->GetRange(address);
        EXPECT_EQ(range->Count(), 2) << address.toStdString();
        range->SetColorIndex(kColorIndexRed);
        EXPECT_EQ(sheet->Cells(15, 2)->ColorIndex(), kColorIndexRed) << address.toStdString();
        EXPECT_EQ(sheet->Cells(15, 3)->ColorIndex(), kColorIndexRed) << address.toStdString();
        EXPECT_EQ(range->ColorIndex(), kColorIndexRed) << address.toStdString();
        range->SetColorIndex(kColorIndexNone);
        EXPECT_EQ(sheet->Cells(15, 2)->ColorIndex(), kColorIndexNone) << address.toStdString();
        EXPECT_EQ(sheet->Cells(15, 3)->ColorIndex(), kColorIndexNone) << address.toStdString();
    }
    EXPECT_EQ(sheet->GetRange(QStringLiteral("A11:G11;L12"))->Count(), 8);
    EXPECT_EQ(sheet->GetRange(QStringLiteral("B15;C15;E20:F21"))->Count(), 6);
    EXPECT_EQ(sheet->Cells(15, 4)->ColorIndex(), kColorIndexNone) << "a cell between the areas is untouched";
}

TEST_P(Ranges, UnionValueAndColourAreThoseOfTheFirstAreasTopLeftCell) {
    auto sheet = newWorkbook().Worksheets(1);
    sheet->SetCell(15, 2, QStringLiteral("B"));
    sheet->SetCell(15, 3, QStringLiteral("C"));
    sheet->Cells(15, 2)->SetColorIndex(kColorIndexRed);
    sheet->Cells(15, 3)->SetColorIndex(6);
    EXPECT_EQ(sheet->GetRange(QStringLiteral("B15;C15"))->Value(), CellValue(QStringLiteral("B")));
    EXPECT_EQ(sheet->GetRange(QStringLiteral("B15;C15"))->ColorIndex(), kColorIndexRed);
    EXPECT_EQ(sheet->GetRange(QStringLiteral("C15;B15"))->Value(), CellValue(QStringLiteral("C")));
    EXPECT_EQ(sheet->GetRange(QStringLiteral("C15;B15"))->ColorIndex(), 6);

    sheet->GetRange(QStringLiteral("B15;C15"))->SetValue(QStringLiteral("begge"));
    EXPECT_EQ(sheet->Cell(15, 2), CellValue(QStringLiteral("begge")));
    EXPECT_EQ(sheet->Cell(15, 3), CellValue(QStringLiteral("begge")));
}

TEST_P(Ranges, FindMatchesWholeCellsOfAnAddressedRectangle) {
    auto sheet = newWorkbook().Worksheets(1);
    sheet->WriteBlock(2, 1,
                      {{CellValue(QStringLiteral("NOK")), CellValue(12345.0)},
                       {CellValue(QStringLiteral("SEK")), CellValue(QStringLiteral("Svenske kroner"))}});
    sheet->SetCell(9, 1, QStringLiteral("DKK"));
    const auto range = sheet->GetRange(QStringLiteral("A2:B3"));
    EXPECT_EQ(range->Find(QStringLiteral("SEK")), (CellPosition{3, 1}));
    EXPECT_EQ(range->Find(QStringLiteral("12345")), (CellPosition{2, 2}));
    EXPECT_EQ(range->Find(QStringLiteral("sek")), (CellPosition{3, 1}));
    EXPECT_EQ(range->Find(QStringLiteral("Svenske")), std::nullopt);
    EXPECT_EQ(range->Find(QStringLiteral("DKK")), std::nullopt) << "outside the range";
}

}  // namespace
}  // namespace telvainn::excel::conformance
