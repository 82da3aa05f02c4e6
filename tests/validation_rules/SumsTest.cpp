#include "validation_rules/RulesFixture.h"

namespace telvainn::rules {

TEST_P(Sums, IncomeAndCostsSplitAtObjectGroup399AndShowRounded) {
    currentReport(20);
    const auto row = [](const QString& objektid, const QString& verdi) {
        return QStringList{QString(), objektid, QString(), QStringLiteral("0"), QStringLiteral("1"), verdi};
    };
    setRow(11, row(QStringLiteral("3991234"), QStringLiteral("100")));
    setRow(12, row(QStringLiteral("3991234"), QStringLiteral("12,5")));
    setRow(13, row(QStringLiteral("4001234"), QStringLiteral("60")));
    setRow(14, row(QStringLiteral("'39912A4"), QStringLiteral("1000")));  // no object id at all
    setRow(15, row(QStringLiteral("3991234"), QStringLiteral("'1x")));    // validated, not summed
    const QStringList log = validate();
    EXPECT_TRUE(log.contains(QStringLiteral("Sum inntekter    : 113")))
        << log.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("Sum kostnader    : 60")));
    EXPECT_EQ(sheet().Cell(3, 6), excel::CellValue(QStringLiteral("Sum inntekter")));
    EXPECT_EQ(sheet().Cell(4, 6), excel::CellValue(QStringLiteral("Sum kostnader")));
    EXPECT_EQ(sheet().Cell(5, 6), excel::CellValue(QStringLiteral("Diff")));
    EXPECT_EQ(sheet().Cell(3, 7), excel::CellValue(112.5));
    EXPECT_EQ(sheet().Cell(5, 7), excel::CellValue(52.5));
    EXPECT_EQ(colour(QStringLiteral("F5")), normalColour());
}

TEST_P(Sums, AssetsAndLiabilitiesSplitAtObjectGroup599) {
    currentReport(10);
    setRow(11, {QString(), QStringLiteral("5991234"), QString(), QStringLiteral("0"), QStringLiteral("0"),
                QStringLiteral("1"), QStringLiteral("250")});
    setRow(12, {QString(), QStringLiteral("6001234"), QString(), QStringLiteral("110"), QStringLiteral("0"),
                QStringLiteral("1"), QStringLiteral("100")});
    const QStringList log = validate();
    EXPECT_TRUE(log.contains(QStringLiteral("Sum aktiva       : 250")));
    EXPECT_TRUE(log.contains(QStringLiteral("Sum passiva      : 100")));
    EXPECT_EQ(sheet().Cell(3, 6), excel::CellValue(QStringLiteral("Aktiva")));
    EXPECT_EQ(sheet().Cell(4, 6), excel::CellValue(QStringLiteral("Passiva")));
    EXPECT_TRUE(red(QStringLiteral("F5")) && red(QStringLiteral("G5"))) << "150 apart";
}

TEST_P(Sums, TheDifferenceTurnsRedFromExactlyOneHundred) {
    currentReport(10);
    EXPECT_FALSE(validator().WriteSums(sheet(), 100, 0));
    EXPECT_TRUE(red(QStringLiteral("F5")) && red(QStringLiteral("G5")));
    EXPECT_TRUE(validator().WriteSums(sheet(), 0, 99.99));
    EXPECT_EQ(colour(QStringLiteral("F5")), normalColour());
    EXPECT_EQ(colour(QStringLiteral("G5")), normalColour());
}

TEST_P(Sums, OnlyOrdinaryBalanceAndIncomeReportsAreSummed) {
    for (const int reportNumber : {11, 35, 51}) {
        SCOPED_TRACE(reportNumber);
        currentReport(reportNumber);
        const QStringList log = validate();
        EXPECT_FALSE(log.join(QString()).contains(QStringLiteral("Sum ")))
            << log.join(QLatin1Char('\n')).toStdString();
        EXPECT_TRUE(sheet().Cell(3, 6).isEmpty()) << "no sum block";
        TearDown();
        SetUp();
    }
    currentReport(10, QStringLiteral("K"));
    EXPECT_FALSE(validate().join(QString()).contains(QStringLiteral("Sum ")));
}

}  // namespace telvainn::rules
