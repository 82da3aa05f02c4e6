#include "workbook/ColorIndex.h"

#include <gtest/gtest.h>

#include <map>
#include <set>

namespace telvainn::excel {
namespace {

TEST(ColorIndexPalette, KnownEntriesOfExcelsDefaultPalette) {
    EXPECT_EQ(rgbForColorIndex(1), 0x000000U);
    EXPECT_EQ(rgbForColorIndex(2), 0xFFFFFFU);
    EXPECT_EQ(rgbForColorIndex(kColorIndexRed), 0xFF0000U);
    EXPECT_EQ(rgbForColorIndex(6), 0xFFFF00U);
    EXPECT_EQ(rgbForColorIndex(15), 0xC0C0C0U);
    EXPECT_EQ(rgbForColorIndex(35), 0xCCFFCCU);
    EXPECT_EQ(rgbForColorIndex(56), 0x333333U);
}

TEST(ColorIndexPalette, OnlyOneToFiftySixAreColours) {
    EXPECT_EQ(rgbForColorIndex(0), std::nullopt);
    EXPECT_EQ(rgbForColorIndex(57), std::nullopt);
    EXPECT_EQ(rgbForColorIndex(-1), std::nullopt);
    EXPECT_EQ(rgbForColorIndex(kColorIndexNone), std::nullopt);
}

TEST(ColorIndexFromRgb, NoFillIsItsOwnIndex) {
    EXPECT_EQ(colorIndexForRgb(std::nullopt), kColorIndexNone);
}

TEST(ColorIndexFromRgb, RepeatedColoursGiveTheLowestIndex) {
    const std::map<int, int> repeats = {{25, 11}, {26, 7},  {27, 6}, {28, 8},  {29, 13},
                                        {30, 9},  {31, 14}, {32, 5}, {34, 20}, {54, 18}};
    for (int index = 1; index <= kPaletteSize; ++index) {
        const auto found = repeats.find(index);
        const int expected = found == repeats.end() ? index : found->second;
        EXPECT_EQ(colorIndexForRgb(rgbForColorIndex(index)), expected) << "index " << index;
    }
}

TEST(ColorIndexFromRgb, TheRepeatsAreExactlyTheTenDuplicatedColours) {
    std::set<quint32> colours;
    for (int index = 1; index <= kPaletteSize; ++index) {
        colours.insert(*rgbForColorIndex(index));
    }
    EXPECT_EQ(colours.size(), 46U);
}

TEST(ColorIndexFromRgb, AColourOutsideThePaletteGivesTheNearest) {
    EXPECT_EQ(colorIndexForRgb(0xFE0101), kColorIndexRed);
    EXPECT_EQ(colorIndexForRgb(0x010101), 1);
    EXPECT_EQ(colorIndexForRgb(0xFFFFFE), 2);
    EXPECT_EQ(colorIndexForRgb(0xCBFECB), 35);
    EXPECT_EQ(colorIndexForRgb(0x000081), 11) << "nearest to a repeated colour: its lowest index";
}

}  // namespace
}  // namespace telvainn::excel
