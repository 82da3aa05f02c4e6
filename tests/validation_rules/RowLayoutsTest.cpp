#include "validation_rules/RulesFixture.h"

namespace telvainn::rules {
namespace {

RowRecord record(QString text, QString objektid, QString tillegg, QString sektor, QString naering,
                 QString land, QString valuta, QString verdi) {
    return {std::move(text),    std::move(objektid), std::move(tillegg), std::move(sektor),
            std::move(naering), std::move(land),     std::move(valuta),  std::move(verdi)};
}

const QString kOlder11 = QStringLiteral(R"(
sheet r11 active
cell B3 "007"
cell B4 "1234"
cell B5 11
cell B6 "200812"
row A11 "Lån" 12 3456789 310 0 1 100
fill L12 36
)");

const QString kCorrection11 = QStringLiteral(R"(
sheet Korreksjon active
cell A1 "KORREKSJONSFORMULAR"
cell G1 11
cell I1 "200812"
cell B6 "1234"
row A11 9 12 3 45 67 89 310 0 "SE" 1 100
fill L12 36
)");

}  // namespace

TEST_P(RowLayouts, CurrentTemplatesReadOneColumnPerFieldAndSplitTheCodesForTheOutputs) {
    currentReport(11);
    setRow(11, {QStringLiteral("Lån"), QStringLiteral("1234567"), QStringLiteral("89"), QStringLiteral("310"),
                QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("100")});
    EXPECT_EQ(
        read(11, ReadMode::Validation),
        record(QStringLiteral("Lån"), QStringLiteral("1234567"), QStringLiteral("89"), QStringLiteral("310"),
               QStringLiteral("000"), QString(), QStringLiteral("01"), QStringLiteral("100")));
    const auto built = read(11, ReadMode::Build);
    ASSERT_TRUE(built);
    EXPECT_EQ(built->tillegg, QStringLiteral("012"));
    EXPECT_EQ(built->objektid, QStringLiteral("3456789"));
}

TEST_P(RowLayouts, ReportTwentyAndThirtyFiveTakeTheirPrefixFromTheObjectCode) {
    currentReport(20);
    setRow(11, {QString(), QStringLiteral("1234567"), QString(), QStringLiteral("0"), QStringLiteral("1"),
                QStringLiteral("5")});
    const auto twenty = read(11, ReadMode::Build);
    ASSERT_TRUE(twenty);
    EXPECT_EQ(twenty->tillegg, QStringLiteral("123"));
    EXPECT_EQ(twenty->objektid, QStringLiteral("4567"));
    EXPECT_EQ(twenty->valuta, QStringLiteral("01"));
    EXPECT_EQ(twenty->verdi, QStringLiteral("5"));
    TearDown();
    SetUp();

    currentReport(35);
    setRow(11, {QString(), QStringLiteral("1234567"), QStringLiteral("1"), QStringLiteral("5")});
    const auto thirtyFive = read(11, ReadMode::Build);
    ASSERT_TRUE(thirtyFive);
    EXPECT_EQ(thirtyFive->tillegg, QStringLiteral("123"));
    EXPECT_EQ(thirtyFive->objektid, QStringLiteral("456700"));
}

TEST_P(RowLayouts, CellsAreReadAsZeroPaddedDigitsOrNotAtAll) {
    currentReport(60);
    setRow(11, {QString(), QStringLiteral("123"), QStringLiteral("'0"), QStringLiteral("'abc"),
                QStringLiteral("SE"), QStringLiteral(" 2 "), QStringLiteral(" 12,5 ")});
    setRow(12, {QString(), QStringLiteral("1201234"), QString(), QString(), QStringLiteral("578"),
                QStringLiteral("1"), QStringLiteral("1")});
    setRow(13, {QString(), QStringLiteral("12A4567"), QString(), QString(), QString(), QString(),
                QStringLiteral("1")});
    const auto padded = read(11, ReadMode::Validation);
    ASSERT_TRUE(padded);
    EXPECT_EQ(padded->objektid, QStringLiteral("0000123"));
    EXPECT_EQ(padded->sektor, QStringLiteral("000"));
    EXPECT_EQ(padded->naering, QString()) << "letters in a digit field read as nothing";
    EXPECT_EQ(padded->land, QStringLiteral("00SE"));
    EXPECT_EQ(padded->valuta, QStringLiteral("02"));
    EXPECT_EQ(padded->verdi, QStringLiteral("12,5")) << "the amount as the locale writes it, trimmed";
    EXPECT_EQ(read(12, ReadMode::Validation)->land, QStringLiteral("0578"));
    for (const auto mode : {ReadMode::Validation, ReadMode::Build}) {
        const auto letter = read(13, mode);
        ASSERT_TRUE(letter) << "a row whose object id reads as nothing is kept, not dropped";
        EXPECT_EQ(letter->objektid, QString());
        ASSERT_TRUE(validator().unusableCell());
        EXPECT_EQ(validator().unusableCell()->address(), QStringLiteral("B13"));
        EXPECT_EQ(validator().unusableCell()->reason(),
                  QStringLiteral("Fant en kode (12A4567) som inneholder ulovlige tegn. Valider på nytt!"));
    }
    EXPECT_TRUE(read(12, ReadMode::Validation));
    EXPECT_FALSE(validator().unusableCell()) << "each row is judged on its own";
}

TEST_P(RowLayouts, AmountsDecideWhichRowsTheOutputsKeep) {
    currentReport(10);
    setRow(11, {QString(), QStringLiteral("1010000"), QString(), QStringLiteral("0"), QStringLiteral("0"),
                QStringLiteral("1"), QString()});
    setRow(12, {QString(), QStringLiteral("1010000"), QString(), QStringLiteral("0"), QStringLiteral("0"),
                QStringLiteral("1"), QStringLiteral("0")});
    setRow(13, {QString(), QStringLiteral("1010000"), QString(), QStringLiteral("0"), QStringLiteral("0"),
                QStringLiteral("1"), QStringLiteral("'0,0")});
    setRow(14, {QString(), QStringLiteral("1010000"), QString(), QStringLiteral("0"), QStringLiteral("0"),
                QStringLiteral("1"), QStringLiteral("'00")});
    EXPECT_EQ(read(11, ReadMode::Validation)->verdi, QStringLiteral("0")) << "validated as 0";
    EXPECT_FALSE(read(11, ReadMode::Build));
    EXPECT_FALSE(read(12, ReadMode::Build)) << "a zero amount is left out of an ordinary report";
    EXPECT_TRUE(read(13, ReadMode::Build));
    EXPECT_TRUE(read(14, ReadMode::Build));

    setCell(QStringLiteral("B7"), QStringLiteral("K"));
    EXPECT_TRUE(read(12, ReadMode::Build)) << "but kept in a correction";
    EXPECT_EQ(read(12, ReadMode::Build)->tillegg, QString()) << "report 10's current layout has no tillegg";
}

TEST_P(RowLayouts, OlderTemplatesJoinTheSplitObjectCode) {
    workbookFrom(kOlder11, TemplateGeneration::Older, 11);
    const auto validated = read(11, ReadMode::Validation);
    ASSERT_TRUE(validated);
    EXPECT_EQ(validated->objektid, QStringLiteral("1234567"));
    EXPECT_EQ(validated->tillegg, QStringLiteral("89"));
    const auto built = read(11, ReadMode::Build);
    ASSERT_TRUE(built);
    EXPECT_EQ(built->objektid, QStringLiteral("3456789"));
    EXPECT_EQ(built->tillegg, QStringLiteral("012"));
    EXPECT_EQ(validator().reportType(), QStringLiteral("N")) << "the older templates are always ordinary";
}

TEST_P(RowLayouts, TheCorrectionFormRunsItsDigitCellsTogether) {
    workbookFrom(kCorrection11, TemplateGeneration::Correction, 11);
    const auto validated = read(11, ReadMode::Validation);
    ASSERT_TRUE(validated);
    EXPECT_EQ(*validated,
              record(QString(), QStringLiteral("1234567"), QStringLiteral("89"), QStringLiteral("310"),
                     QStringLiteral("000"), QString(), QStringLiteral("01"), QStringLiteral("100")))
        << "column A and the land column are not read for report 11";
    const auto built = read(11, ReadMode::Build);
    ASSERT_TRUE(built);
    EXPECT_EQ(built->objektid, QStringLiteral("3456789"));
    EXPECT_EQ(built->tillegg, QStringLiteral("012"));

    setCell(QStringLiteral("K11"), QString());
    EXPECT_FALSE(read(11, ReadMode::Validation)) << "a correction row without an amount is skipped";
}

}  // namespace telvainn::rules

namespace telvainn::rules {
namespace {

// One row of digits in A..K (I a letter code), read by every generation for every report number: the
// record in validation mode, then the tillegg and object id build mode makes of it.
struct LayoutCase {
    TemplateGeneration generation;
    int reportNumber;
    RowRecord validation;
    QString buildTillegg;
    QString buildObjektid;
};

RowRecord rec(const char* text, const char* objektid, const char* tillegg, const char* sektor,
              const char* naering, const char* land, const char* valuta, const char* verdi) {
    return {QString::fromLatin1(text),   QString::fromLatin1(objektid), QString::fromLatin1(tillegg),
            QString::fromLatin1(sektor), QString::fromLatin1(naering),  QString::fromLatin1(land),
            QString::fromLatin1(valuta), QString::fromLatin1(verdi)};
}

const LayoutCase kLayoutCases[] = {
    {TemplateGeneration::Current, 10, rec("1", "0000023", "", "056", "078", "", "90", "123"), "", "0000023"},
    {TemplateGeneration::Current, 50, rec("1", "0000023", "", "056", "078", "", "90", "123"), "", "0000023"},
    {TemplateGeneration::Current, 11, rec("1", "0000023", "04", "056", "078", "", "90", "123"), "000",
     "0002304"},
    {TemplateGeneration::Current, 20, rec("1", "0000023", "", "056", "", "", "78", "90"), "000", "0023"},
    {TemplateGeneration::Current, 21, rec("1", "0000023", "", "056", "", "", "78", "90"), "000", "0023"},
    {TemplateGeneration::Current, 35, rec("1", "0000023", "", "", "", "", "04", "56"), "000", "002300"},
    {TemplateGeneration::Current, 51, rec("1", "0000023", "", "004", "", "0056", "78", "90"), "000", "00023"},
    {TemplateGeneration::Current, 60, rec("1", "0000023", "", "004", "056", "0078", "90", "123"), "",
     "0000023"},
    {TemplateGeneration::Older, 10, rec("1", "0000023", "", "004", "056", "", "78", "90"), "000", "0000023"},
    {TemplateGeneration::Older, 50, rec("1", "0000023", "", "004", "056", "", "78", "90"), "000", "0000023"},
    {TemplateGeneration::Older, 11, rec("1", "2300000", "04", "056", "078", "", "90", "123"), "023",
     "0000004"},
    {TemplateGeneration::Older, 20, rec("1", "230000004", "", "056", "", "", "78", "90"), "23", "0000004"},
    {TemplateGeneration::Older, 21, rec("1", "230000004", "", "056", "", "", "78", "90"), "23", "0000004"},
    {TemplateGeneration::Older, 35, rec("1", "230000004", "", "", "", "", "56", "78"), "23", "000000400"},
    {TemplateGeneration::Older, 51, rec("1", "230000004", "", "056", "", "0078", "90", "123"), "023",
     "0000004"},
    {TemplateGeneration::Older, 60, rec("1", "0000023", "", "004", "056", "0078", "90", "123"), "000",
     "0000023"},
    {TemplateGeneration::Correction, 10, rec("", "4567890", "", "123", "456", "", "07", "1000"), "000",
     "4567890"},
    {TemplateGeneration::Correction, 50, rec("", "4567890", "", "123", "456", "", "07", "1000"), "000",
     "4567890"},
    {TemplateGeneration::Correction, 11, rec("", "2345678", "90", "123", "456", "", "07", "1000"), "023",
     "4567890"},
    {TemplateGeneration::Correction, 20, rec("", "1234567890", "", "123", "", "", "07", "1000"), "123",
     "4567890"},
    {TemplateGeneration::Correction, 21, rec("", "1234567890", "", "123", "", "", "07", "1000"), "123",
     "4567890"},
    {TemplateGeneration::Correction, 35, rec("", "12345678", "", "", "", "", "07", "1000"), "123", "4567800"},
    {TemplateGeneration::Correction, 51, rec("", "234567890", "", "123", "", "00SE", "07", "1000"), "023",
     "4567890"},
    {TemplateGeneration::Correction, 60, rec("", "4567890", "", "123", "456", "00SE", "07", "1000"), "000",
     "4567890"},
};

}  // namespace

TEST_P(RowLayouts, EveryGenerationReadsAndReshapesEveryReportNumberByItsLayout) {
    for (const LayoutCase& c : kLayoutCases) {
        SCOPED_TRACE(::testing::Message()
                     << "generation " << static_cast<int>(c.generation) << ", report " << c.reportNumber);
        workbookFrom(QStringLiteral("sheet r active\nrow A11 1 23 4 56 78 90 123 456 \"SE\" 7 1000\n"),
                     c.generation, c.reportNumber);
        EXPECT_EQ(read(11, ReadMode::Validation), c.validation);
        const auto built = read(11, ReadMode::Build);
        ASSERT_TRUE(built);
        EXPECT_EQ(built->tillegg, c.buildTillegg);
        EXPECT_EQ(built->objektid, c.buildObjektid);
        TearDown();
        SetUp();
    }
}

}  // namespace telvainn::rules
