#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/ReportCatalogue.h"
#include "validation_rules/RulesFixture.h"

namespace telvainn::rules {
TEST_P(FieldChecks, TheFirstFailingFieldNamesTheRowAndTheRestAreResetToNormal) {
    currentReport(10);
    struct Case {
        QStringList row;
        QString message;
        const char16_t* redCell;
    };
    const Case cases[] = {
        {row10(QStringLiteral("9999999"), QStringLiteral("310"), QStringLiteral("11"), QStringLiteral("9"),
               QStringLiteral("-5")),
         QStringLiteral("Objekt "), u"B"},
        {row10(QStringLiteral("1010000"), QStringLiteral("310"), QStringLiteral("11"), QStringLiteral("9"),
               QStringLiteral("-5")),
         QStringLiteral("Sektor "), u"D"},
        {row10(QStringLiteral("1010000"), QStringLiteral("0"), QStringLiteral("11"), QStringLiteral("9"),
               QStringLiteral("-5")),
         QStringLiteral("Næring "), u"E"},
        {row10(QStringLiteral("1010000"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("2"),
               QStringLiteral("-5")),
         QStringLiteral("Valuta "), u"F"},
        {row10(QStringLiteral("1010000"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1"),
               QStringLiteral("-5")),
         QStringLiteral("Fortegnsfeil"), u"G"},
        {row10(QStringLiteral("5901000"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1"),
               QStringLiteral("5")),
         QStringLiteral("Fortegnsfeil"), u"G"},
        {row10(QStringLiteral("1010000"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1"),
               QStringLiteral("'1.000")),
         QStringLiteral("Fortegnsfeil"), u"G"},
    };
    int row = 11;
    for (const Case& c : cases) {
        SCOPED_TRACE(row);
        setRow(row, c.row);
        for (const QChar column : QStringLiteral("BDEFG")) {
            sheet().GetRange(column + QString::number(row))->SetColorIndex(3);
        }
        EXPECT_EQ(validateRow(row), QStringLiteral("Feil i rad (%1) : ").arg(row) + c.message);
        for (const QChar column : QStringLiteral("BDEFG")) {
            const QString cell = column + QString::number(row);
            EXPECT_EQ(red(cell), column == QChar(c.redCell[0])) << cell.toStdString();
        }
        ++row;
    }
}

TEST_P(FieldChecks, SignsFollowTheMustAndMayBeNegativeLists) {
    currentReport(10);
    setRow(11, row10(QStringLiteral("5901000"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1"),
                     QStringLiteral("-5")));
    setRow(12, row10(QStringLiteral("5991234"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1"),
                     QStringLiteral("-1234567890")));
    setRow(13, row10(QStringLiteral("5901000"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1"),
                     QStringLiteral("0")));
    setRow(14, row10(QStringLiteral("1010000"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1"),
                     QStringLiteral("12345678901")));
    setRow(15, row10(QStringLiteral("1010000"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1"),
                     QStringLiteral("'9999999999,5")));
    EXPECT_EQ(validateRow(11), QString());
    EXPECT_EQ(validateRow(12), QString()) << "ten digits and a minus are allowed";
    EXPECT_EQ(validateRow(13), QString()) << "zero has no sign";
    EXPECT_EQ(validateRow(14), QStringLiteral("Feil i rad (14) : Beløpet (12345678901) inneholder mer enn 10 "
                                              "gjeldende siffer."));
    EXPECT_EQ(validateRow(15), QStringLiteral("Feil i rad (15) : Beløpet (10000000000) inneholder mer enn 10 "
                                              "gjeldende siffer."));
}

TEST_P(FieldChecks, IndustryCodedRowsBetweenSectors550And810NeedAnIndustry) {
    currentReport(10);
    setRow(11, row10(QStringLiteral("2511234"), QStringLiteral("600"), QStringLiteral("11"),
                     QStringLiteral("1"), QStringLiteral("1")));
    setRow(12, row10(QStringLiteral("2511234"), QStringLiteral("600"), QStringLiteral("0"),
                     QStringLiteral("1"), QStringLiteral("1")));
    setRow(13, row10(QStringLiteral("2511234"), QStringLiteral("550"), QStringLiteral("0"),
                     QStringLiteral("1"), QStringLiteral("1")));
    setRow(14, row10(QStringLiteral("2511234"), QStringLiteral("810"), QStringLiteral("11"),
                     QStringLiteral("1"), QStringLiteral("1")));
    EXPECT_EQ(validateRow(11), QString());
    EXPECT_EQ(validateRow(12), QStringLiteral("Feil i rad (12) : Næring "));
    EXPECT_EQ(validateRow(13), QString());
    EXPECT_EQ(validateRow(14), QStringLiteral("Feil i rad (14) : Næring "));
}

// A template may keep a code list as a name of its code sheet alone; the spreadsheet looks there before
// the workbook's names, and so must the checks, whichever way they read.
TEST_P(FieldChecks, ACodeListNamedOnTheCodeSheetItselfComesBeforeTheWorkbooks) {
    const QTemporaryDir program;
    const QString folder = program.path();
    ASSERT_TRUE(QDir(folder).mkdir(QStringLiteral("maler")));
    ASSERT_TRUE(QFile::copy(templatePath(programFolder(), 10), templatePath(folder, 10)));
    {
        const auto codes = app().Open(templatePath(folder, 10));
        const auto base = codes->WorksheetNamed(QStringLiteral("Base"));
        base->WriteBlock(1, 26, {{QStringLiteral("099")}, {QStringLiteral("098")}});
        codes->AddSheetName(QStringLiteral("_naring"), QStringLiteral("Base"), QStringLiteral("Z1:Z2"));
        codes->Save();
        codes->Close();
    }
    for (const auto reading : {SheetReading::Bulk, SheetReading::CellByCell}) {
        m_reading = reading;
        currentReport(10);
        useTemplatesOf(folder);
        setRow(11, row10(QStringLiteral("2511234"), QStringLiteral("600"), QStringLiteral("99"),
                         QStringLiteral("1"), QStringLiteral("1")));
        setRow(12, row10(QStringLiteral("2511234"), QStringLiteral("600"), QStringLiteral("11"),
                         QStringLiteral("1"), QStringLiteral("1")));
        EXPECT_EQ(validateRow(11), QString());
        EXPECT_EQ(validateRow(12), QStringLiteral("Feil i rad (12) : Næring "))
            << "the workbook's list of the same name is not the one asked";
        TearDown();
        SetUp();
    }
}

TEST_P(FieldChecks, ReportSixtySearchesCountiesOrCountriesBySectorAndObject) {
    currentReport(60);
    const auto row = [](const QString& objektid, const QString& sektor, const QString& land) {
        return QStringList{QString(),           objektid,           sektor, QStringLiteral("0"), land,
                           QStringLiteral("1"), QStringLiteral("1")};
    };
    setRow(11, row(QStringLiteral("1201234"), QStringLiteral("899"), QStringLiteral("'0003")));
    setRow(12, row(QStringLiteral("1201234"), QStringLiteral("900"), QStringLiteral("'0003")));
    setRow(13, row(QStringLiteral("1201234"), QStringLiteral("900"), QStringLiteral("'0124")));
    setRow(14, row(QStringLiteral("1369012"), QStringLiteral("900"), QStringLiteral("'0000")));
    EXPECT_EQ(validateRow(11), QString());
    EXPECT_EQ(validateRow(12), QStringLiteral("Feil i rad (12) : Landkode "));
    EXPECT_TRUE(red(QStringLiteral("E12")));
    EXPECT_EQ(validateRow(13), QString());
    EXPECT_EQ(validateRow(14), QString());
}

TEST_P(FieldChecks, ReportElevenCallsItsTilleggMaturityAndFiftyOneChecksLand) {
    currentReport(11);
    setRow(11, {QString(), QStringLiteral("1234567"), QStringLiteral("40"), QStringLiteral("310"),
                QStringLiteral("0"), QStringLiteral("1"), QStringLiteral("1")});
    EXPECT_EQ(validateRow(11), QStringLiteral("Feil i rad (11) : Løpetid "));
    EXPECT_TRUE(red(QStringLiteral("C11")));
    TearDown();
    SetUp();

    currentReport(51);
    setRow(11, {QString(), QStringLiteral("551000000"), QStringLiteral("310"), QStringLiteral("'0124"),
                QStringLiteral("1"), QStringLiteral("1")});
    EXPECT_EQ(validateRow(11), QStringLiteral("Feil i rad (11) : Landkode "))
        << "a domestic sector has no country";
}

}  // namespace telvainn::rules
