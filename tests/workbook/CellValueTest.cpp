#include "workbook/CellValue.h"

#include <gtest/gtest.h>

#include <limits>

namespace telvainn::excel {
namespace {

TEST(CellValueKinds, HoldsNothingANumberOrAText) {
    const CellValue empty;
    EXPECT_TRUE(empty.isEmpty());
    EXPECT_FALSE(empty.isNumber());
    EXPECT_FALSE(empty.isText());

    const CellValue number(12.5);
    EXPECT_TRUE(number.isNumber());
    EXPECT_EQ(number.number(), 12.5);
    EXPECT_EQ(number.text(), QString());

    const CellValue text(QStringLiteral("12.5"));
    EXPECT_TRUE(text.isText());
    EXPECT_EQ(text.text(), QStringLiteral("12.5"));
    EXPECT_EQ(text.number(), 0.0);

    EXPECT_NE(number, text);
    EXPECT_NE(CellValue(QString()), empty) << "an empty text is still a text";
    EXPECT_NE(CellValue(0.0), empty);
    EXPECT_EQ(CellValue(3.0), CellValue(3.0));
}

TEST(CellValueGeneralText, WholeNumbersHaveNoDecimals) {
    EXPECT_EQ(CellValue(0.0).generalText(), QStringLiteral("0"));
    EXPECT_EQ(CellValue(-0.0).generalText(), QStringLiteral("0"));
    EXPECT_EQ(CellValue(12345.0).generalText(), QStringLiteral("12345"));
    EXPECT_EQ(CellValue(-7.0).generalText(), QStringLiteral("-7"));
    EXPECT_EQ(CellValue(2511234.0).generalText(), QStringLiteral("2511234"));
    EXPECT_EQ(CellValue(12345678901.0).generalText(), QStringLiteral("12345678901"));
    EXPECT_EQ(CellValue(999999999999999.0).generalText(), QStringLiteral("999999999999999"));
}

TEST(CellValueGeneralText, FractionsUseAFullStopAndAtMostFifteenDigits) {
    EXPECT_EQ(CellValue(1234.5).generalText(), QStringLiteral("1234.5"));
    EXPECT_EQ(CellValue(-0.25).generalText(), QStringLiteral("-0.25"));
    EXPECT_EQ(CellValue(0.1).generalText(), QStringLiteral("0.1"));
    EXPECT_EQ(CellValue(0.1 + 0.2).generalText(), QStringLiteral("0.3"));
    EXPECT_EQ(CellValue(1.0 / 3.0).generalText(), QStringLiteral("0.333333333333333"));
    EXPECT_EQ(CellValue(39783.75).generalText(), QStringLiteral("39783.75"));
}

TEST(CellValueGeneralText, HugeNumbersUseAnExponent) {
    EXPECT_EQ(CellValue(1e15).generalText(), QStringLiteral("1e+15"));
    EXPECT_EQ(CellValue(-2.5e20).generalText(), QStringLiteral("-2.5e+20"));
}

TEST(CellValueGeneralText, TextsAsTheyAreAndNothingAsEmpty) {
    EXPECT_EQ(CellValue(QStringLiteral(" 007 ")).generalText(), QStringLiteral(" 007 "));
    EXPECT_EQ(CellValue(QStringLiteral("Blåbær")).generalText(), QStringLiteral("Blåbær"));
    EXPECT_EQ(CellValue().generalText(), QString());
    EXPECT_TRUE(CellValue().generalText().isEmpty());
}

}  // namespace
}  // namespace telvainn::excel
