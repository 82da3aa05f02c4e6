#include "workbook/ColorIndex.h"
#include "workbook_conformance/EngineUnderTest.h"

namespace telvainn::excel::conformance {
namespace {

CellValue text(const char16_t* value) {
    return CellValue(QString::fromUtf16(value));
}

// A template's code sheet: lists of texts and of numbers, a one-cell list with a description, and a list
// spanning two columns.
class CodeSheet {
  public:
    explicit CodeSheet(Workbook& workbook) : m_workbook(workbook) {
        m_workbook.Worksheets(1)->SetName(QStringLiteral("r10"));
        auto base = m_workbook.AddWorksheet(QStringLiteral("Base"));
        base->WriteBlock(2, 1, {{text(u"NOK")}, {text(u"SEK")}, {text(u"EUR")}, {text(u"12345")}});
        base->WriteBlock(2, 3, {{CellValue(12345.0)}, {CellValue(2511234.0)}, {CellValue(900.0)}});
        base->SetCell(2, 5, text(u"1234567 Utlån, langsiktige"));
        base->WriteBlock(10, 1, {{text(u"NO"), text(u"Norge")}, {text(u"SE"), text(u"Sverige")}});
        base->SetCell(1, 1, CellValue(39783.0));
        m_workbook.AddName(QStringLiteral("valuta"), QStringLiteral("Base"), QStringLiteral("A2:A5"));
        m_workbook.AddName(QStringLiteral("_naring"), QStringLiteral("Base"), QStringLiteral("C2:C4"));
        m_workbook.AddName(QStringLiteral("_l10100"), QStringLiteral("Base"), QStringLiteral("E2"));
        m_workbook.AddName(QStringLiteral("land"), QStringLiteral("Base"), QStringLiteral("A10:B11"));
    }

    std::unique_ptr<Range> list(const QString& name) {
        return m_workbook.WorksheetNamed(QStringLiteral("Base"))->GetRange(name);
    }

  private:
    Workbook& m_workbook;
};

TEST_P(NamedRanges, CountValueAndValuesOfMultiCellAndOneCellNames) {
    CodeSheet codes(newWorkbook());
    const auto valuta = codes.list(QStringLiteral("valuta"));
    EXPECT_EQ(valuta->Count(), 4);
    EXPECT_EQ(valuta->Value(), text(u"NOK"));
    EXPECT_EQ(valuta->Values(), (Block{{text(u"NOK")}, {text(u"SEK")}, {text(u"EUR")}, {text(u"12345")}}));

    const auto oneCell = codes.list(QStringLiteral("_l10100"));
    EXPECT_EQ(oneCell->Count(), 1);
    EXPECT_EQ(oneCell->Value(), text(u"1234567 Utlån, langsiktige"));

    const auto land = codes.list(QStringLiteral("land"));
    EXPECT_EQ(land->Count(), 4);
    EXPECT_EQ(land->Values(), (Block{{text(u"NO"), text(u"Norge")}, {text(u"SE"), text(u"Sverige")}}));
}

TEST_P(NamedRanges, FindGivesTheCellThatEqualsTheValue) {
    CodeSheet codes(newWorkbook());
    EXPECT_EQ(codes.list(QStringLiteral("valuta"))->Find(QStringLiteral("SEK")), (CellPosition{3, 1}));
    EXPECT_EQ(codes.list(QStringLiteral("valuta"))->Find(QStringLiteral("12345")), (CellPosition{5, 1}));
    EXPECT_EQ(codes.list(QStringLiteral("land"))->Find(QStringLiteral("Sverige")), (CellPosition{11, 2}));
    EXPECT_EQ(codes.list(QStringLiteral("valuta"))->Find(QStringLiteral("DKK")), std::nullopt);
}

TEST_P(NamedRanges, FindIgnoresLetterCase) {
    CodeSheet codes(newWorkbook());
    EXPECT_EQ(codes.list(QStringLiteral("valuta"))->Find(QStringLiteral("eur")), (CellPosition{4, 1}));
    EXPECT_EQ(codes.list(QStringLiteral("land"))->Find(QStringLiteral("NORGE")), (CellPosition{10, 2}));
}

TEST_P(NamedRanges, FindDoesNotMatchPartOfACell) {
    CodeSheet codes(newWorkbook());
    const auto naring = codes.list(QStringLiteral("_naring"));
    EXPECT_EQ(naring->Find(QStringLiteral("1234")), std::nullopt);
    EXPECT_EQ(naring->Find(QStringLiteral("2345")), std::nullopt);
    EXPECT_EQ(naring->Find(QStringLiteral("123456")), std::nullopt);
    EXPECT_EQ(naring->Find(QStringLiteral("90")), std::nullopt);
    EXPECT_EQ(codes.list(QStringLiteral("valuta"))->Find(QStringLiteral("NO")), std::nullopt);
    EXPECT_EQ(codes.list(QStringLiteral("_l10100"))->Find(QStringLiteral("1234567")), std::nullopt);
}

TEST_P(NamedRanges, FindFindsNumbersByTheirText) {
    CodeSheet codes(newWorkbook());
    const auto naring = codes.list(QStringLiteral("_naring"));
    EXPECT_EQ(naring->Find(QStringLiteral("12345")), (CellPosition{2, 3}));
    EXPECT_EQ(naring->Find(QStringLiteral("2511234")), (CellPosition{3, 3}));
    EXPECT_EQ(naring->Find(QStringLiteral("900")), (CellPosition{4, 3}));
}

TEST_P(NamedRanges, ColouringANameFillsEachOfItsCells) {
    Workbook& workbook = newWorkbook();
    CodeSheet codes(workbook);
    codes.list(QStringLiteral("land"))->SetColorIndex(35);
    EXPECT_EQ(codes.list(QStringLiteral("land"))->ColorIndex(), 35);
    const auto base = workbook.WorksheetNamed(QStringLiteral("Base"));
    for (int row = 10; row <= 11; ++row) {
        for (int column = 1; column <= 2; ++column) {
            EXPECT_EQ(base->Cells(row, column)->ColorIndex(), 35) << row << "," << column;
        }
    }
    EXPECT_EQ(base->Cells(12, 1)->ColorIndex(), kColorIndexNone);
    EXPECT_EQ(base->Cells(10, 3)->ColorIndex(), kColorIndexNone);
}

TEST_P(NamedRanges, AMissingNameRaises) {
    CodeSheet codes(newWorkbook());
    EXPECT_TRUE(raisesWithMessage([&] { codes.list(QStringLiteral("_SKALNEG")); }));
    EXPECT_TRUE(raisesWithMessage([&] { codes.list(QStringLiteral("valutaer")); }));
}

}  // namespace
}  // namespace telvainn::excel::conformance
