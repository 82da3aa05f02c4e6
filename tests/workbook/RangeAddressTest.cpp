#include "workbook/RangeAddress.h"

#include <gtest/gtest.h>

namespace telvainn::excel {
namespace {

using Rects = std::vector<CellRect>;

std::optional<Rects> parsed(const char16_t* text) {
    return parseRangeAddress(QStringView(text));
}

TEST(RangeAddressParsing, OneCellInAnyCaseWithOrWithoutDollars) {
    const Rects b3 = {{3, 2, 3, 2}};
    EXPECT_EQ(parsed(u"B3"), b3);
    EXPECT_EQ(parsed(u"b3"), b3);
    EXPECT_EQ(parsed(u"$B$3"), b3);
    EXPECT_EQ(parsed(u"$B3"), b3);
    EXPECT_EQ(parsed(u"B$3"), b3);
    EXPECT_EQ(parsed(u" B3 "), b3);
    EXPECT_EQ(parsed(u"L12"), (Rects{{12, 12, 12, 12}}));
    EXPECT_EQ(parsed(u"AA100"), (Rects{{100, 27, 100, 27}}));
}

TEST(RangeAddressParsing, RectanglesInEitherOrder) {
    const Rects expected = {{3, 2, 7, 4}};
    EXPECT_EQ(parsed(u"B3:D7"), expected);
    EXPECT_EQ(parsed(u"D7:B3"), expected);
    EXPECT_EQ(parsed(u"B7:D3"), expected);
    EXPECT_EQ(parsed(u"$B$3:$D$7"), expected);
    EXPECT_EQ(parsed(u"b3:d7"), expected);
    EXPECT_EQ(parsed(u"A11:G510"), (Rects{{11, 1, 510, 7}}));
}

TEST(RangeAddressParsing, UnionsWithSemicolonsOrCommasAndSpacesAround) {
    const Rects b15c15 = {{15, 2, 15, 2}, {15, 3, 15, 3}};
    EXPECT_EQ(parsed(u"B15;C15"), b15c15);
    EXPECT_EQ(parsed(u"B15,C15"), b15c15);
    EXPECT_EQ(parsed(u"B15 ; C15"), b15c15);
    EXPECT_EQ(parsed(u"B15 ,C15"), b15c15);
    EXPECT_EQ(parsed(u"B3:B7;L12,F5:G5"), (Rects{{3, 2, 7, 2}, {12, 12, 12, 12}, {5, 6, 5, 7}}));
}

TEST(RangeAddressParsing, TheSheetsLimitsHold) {
    EXPECT_EQ(parsed(u"XFD1048576"), (Rects{{kMaxRows, kMaxColumns, kMaxRows, kMaxColumns}}));
    EXPECT_EQ(parsed(u"XFE1"), std::nullopt);
    EXPECT_EQ(parsed(u"A1048577"), std::nullopt);
    EXPECT_EQ(parsed(u"A0"), std::nullopt);
    EXPECT_EQ(parsed(u"A99999999999"), std::nullopt);
}

TEST(RangeAddressParsing, WhatIsNoAddressIsANameOrNothing) {
    for (const char16_t* text :
         {u"",         u" ",    u"B",     u"15",    u"B15;",   u";B15",     u"B15:", u":B15", u"B15;;C15",
          u"A1:B2:C3", u"B 15", u"$$B15", u"B$$15", u"B15$",   u"R1C1",     u"Æ1",   u"B1.5", u"Base_Itens",
          u"_l10100",  u"_s10", u"land",  u"_land", u"valuta", u"_SKALNEG", u"BÅ;CÅ"}) {
        EXPECT_EQ(parsed(text), std::nullopt) << QString::fromUtf16(text).toStdString();
    }
}

TEST(RangeAddressWriting, ColumnLetters) {
    EXPECT_EQ(columnLetters(1), QStringLiteral("A"));
    EXPECT_EQ(columnLetters(26), QStringLiteral("Z"));
    EXPECT_EQ(columnLetters(27), QStringLiteral("AA"));
    EXPECT_EQ(columnLetters(52), QStringLiteral("AZ"));
    EXPECT_EQ(columnLetters(702), QStringLiteral("ZZ"));
    EXPECT_EQ(columnLetters(703), QStringLiteral("AAA"));
    EXPECT_EQ(columnLetters(kMaxColumns), QStringLiteral("XFD"));
}

TEST(RangeAddressWriting, CellsAndRectanglesReadBackAsWritten) {
    EXPECT_EQ(cellAddress(15, 2), QStringLiteral("B15"));
    EXPECT_EQ(rectAddress({3, 2, 3, 2}), QStringLiteral("B3"));
    EXPECT_EQ(rectAddress({3, 2, 7, 4}), QStringLiteral("B3:D7"));
    for (const CellRect& rect : {CellRect{1, 1, 1, 1}, CellRect{11, 1, 510, 7}, CellRect{5, 26, 9, 28}}) {
        EXPECT_EQ(parseRangeAddress(rectAddress(rect)), (Rects{rect})) << rectAddress(rect).toStdString();
    }
}

TEST(CellRectCount, CountsEveryCell) {
    EXPECT_EQ((CellRect{3, 2, 7, 4}).cellCount(), 15);
    EXPECT_EQ((CellRect{15, 2, 15, 2}).cellCount(), 1);
}

}  // namespace
}  // namespace telvainn::excel
