#include "validation_rules/RulesFixture.h"

namespace telvainn::rules {

TEST_P(HeadingChecks, EveryFailingCellAddsItsLineAndTurnsRedWhenMarking) {
    currentReport(10);
    setCell(QStringLiteral("B3"), QStringLiteral("7"));  // the number 7 reads as one character
    setCell(QStringLiteral("B4"), QStringLiteral("'12"));
    setCell(QStringLiteral("B5"), QStringLiteral("12"));
    setCell(QStringLiteral("B6"), QStringLiteral("'20081"));
    setCell(QStringLiteral("B7"), QStringLiteral("' x "));
    const QString expected = QStringLiteral(
        "Feil datasentral nummer (XXX): 7\r\nFeil registerings nummer (XXXX): 12\r\nIkke et gyldig rapport "
        "nummer "
        "(XX): 12\r\nIkke en gyldig periode (ÅÅÅÅMM): 20081\r\nIkke en gyldig rapporttype (N/K): x");
    {
        ReportSheet access(sheet(), m_reading);
        EXPECT_EQ(validator().CheckHeading(access, false), expected);
    }
    for (const auto* cell : {u"B3", u"B4", u"B5", u"B6", u"B7"}) {
        EXPECT_EQ(colour(QString::fromUtf16(cell)), normalColour()) << "not marked in the outputs";
    }
    const QStringList log = validate();
    ASSERT_GE(log.size(), 2);
    EXPECT_EQ(log[1], expected);
    for (const auto* cell : {u"B3", u"B4", u"B5", u"B6", u"B7"}) {
        EXPECT_TRUE(red(QString::fromUtf16(cell))) << QString::fromUtf16(cell).toStdString();
    }
}

TEST_P(HeadingChecks, AnAcceptedHeadingGivesNoMessageAndSetsTheType) {
    currentReport(10, QStringLiteral("k"));
    ReportSheet access(sheet(), m_reading);
    EXPECT_EQ(validator().CheckHeading(access, true), QString());
    EXPECT_EQ(validator().reportType(), QStringLiteral("K"));
}

TEST_P(HeadingChecks, TheCorrectionFormChecksRegnrReportNumberAndPeriodOnly) {
    workbookFrom(QStringLiteral(R"(
sheet Korreksjon active
cell A1 "KORREKSJONSFORMULAR"
cell G1 "9"
cell I1 "2008"
cell B6 "12345"
fill L12 36
)"),
                 TemplateGeneration::Correction, 10);
    ReportSheet access(sheet(), m_reading);
    EXPECT_EQ(validator().CheckHeading(access, true),
              QStringLiteral(
                  "Feil registerings nummer (XXXX): 12345\r\nIkke et gyldig rapport nummer (XX): 9\r\nIkke "
                  "en gyldig periode (ÅÅÅÅMM): 2008"));
    access.Flush();
    EXPECT_TRUE(red(QStringLiteral("B6")) && red(QStringLiteral("G1")) && red(QStringLiteral("I1")));
    EXPECT_EQ(validator().reportType(), QStringLiteral("K"));
}

TEST_P(HeadingChecks, OlderTemplatesHaveNoTypeCell) {
    workbookFrom(QStringLiteral(R"(
sheet r20 active
cell B3 "007"
cell B4 "1234"
cell B5 20
cell B6 "200812"
cell B7 "X"
fill L12 36
)"),
                 TemplateGeneration::Older, 20);
    ReportSheet access(sheet(), m_reading);
    EXPECT_EQ(validator().CheckHeading(access, true), QString());
    EXPECT_EQ(validator().reportType(), QStringLiteral("N"));
}

}  // namespace telvainn::rules
