#include <gtest/gtest.h>

#include "core/Error.h"
#include "core/ReportCatalogue.h"
#include "core/ReportIdentity.h"
#include "core/TemplateVersion.h"

using namespace telvainn;

TEST(ReportCatalogue, AcceptsTheEightNumbersOnly) {
    for (const int number : {10, 11, 20, 21, 35, 50, 51, 60}) {
        EXPECT_TRUE(isCatalogueReport(number)) << number;
        EXPECT_EQ(catalogueEntry(number).reportNumber, number);
    }
    for (const int number : {0, 12, 30, 61, -10}) {
        EXPECT_FALSE(isCatalogueReport(number)) << number;
    }
    try {
        catalogueEntry(12);
        FAIL() << "12 accepted";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(),
                  QStringLiteral("\"12\" er ikke et normalt rapport nr. Programmet kan dermed ikke "
                                 "behandle rapporten."));
    }
}

TEST(ReportCatalogue, FrequenciesValidationAndMacros) {
    EXPECT_EQ(catalogueEntry(10).frequency, Frequency::Monthly);
    EXPECT_EQ(catalogueEntry(11).frequency, Frequency::Monthly);
    EXPECT_EQ(catalogueEntry(21).frequency, Frequency::Quarterly);
    EXPECT_EQ(catalogueEntry(35).frequency, Frequency::Annual);
    EXPECT_STREQ(catalogueEntry(10).macro, "Ark1.buildComboBox1()");
    EXPECT_STREQ(catalogueEntry(50).macro, "Ark1.buildComboBox1()");
    EXPECT_STREQ(catalogueEntry(60).macro, "Sheet1.buildComboBox1()");
}

TEST(ReportCatalogue, IndexIsFoundByExactTwoCharacterText) {
    EXPECT_EQ(catalogueIndex(u"10"), 0);
    EXPECT_EQ(catalogueIndex(u"60"), 7);
    EXPECT_EQ(catalogueIndex(u"35"), 4);
    EXPECT_EQ(catalogueIndex(u"12"), -1);
    EXPECT_EQ(catalogueIndex(u"010"), -1);
    EXPECT_EQ(catalogueIndex(u"+10"), -1);
}

TEST(ReportType, UpperCasesAndAcceptsNAndKOnly) {
    EXPECT_EQ(checkedReportType(QStringLiteral("n")), QStringLiteral("N"));
    EXPECT_EQ(checkedReportType(QStringLiteral("K")), QStringLiteral("K"));
    try {
        checkedReportType(QStringLiteral("X"));
        FAIL() << "X accepted";
    } catch (const Error& e) {
        EXPECT_EQ(e.message(),
                  QStringLiteral("\"X\" er ikke en normal rapport type. Programmet kan  dermed ikke "
                                 "behandle rapporten."));
    }
}

TEST(FileNames, TemplateAndDataFileNames) {
    EXPECT_EQ(templatePath(QStringLiteral("/opt/telva"), 35), QStringLiteral("/opt/telva/maler/r35.xls"));
    EXPECT_EQ(dataFileNameFor(QStringLiteral("Q1.xls")), QStringLiteral("Q1.txt"));
    EXPECT_EQ(dataFileNameFor(QStringLiteral("Q1.xls.bak")), QStringLiteral("Q1.xls.bak.txt"));
    EXPECT_EQ(dataFileNameFor(QStringLiteral("Q1")), QStringLiteral("Q1.txt"));
    EXPECT_EQ(dataFileNameFor(QString()), QStringLiteral(".txt"));
    EXPECT_EQ(dataFileNameFor(QStringLiteral("/a.xls/b.xls")), QStringLiteral("/a.xls/b.xls.txt"));
}

TEST(ReportIdentityTexts, LogLinesPadLabelsAndWriteNumbersPlain) {
    TReportIdentity id;
    id.Dsnr = 7;
    id.Regnr = 123;
    id.Rapportnr = 20;
    id.Periode = QStringLiteral("200912");
    id.Rapporttype = QStringLiteral("N");
    EXPECT_EQ(identityLogLines(id, QStringLiteral("rapport.xls"), QStringLiteral("01.01.2009")),
              (QStringList{QStringLiteral("Filnavn:    rapport.xls"), QStringLiteral("Dsnr:       7"),
                           QStringLiteral("Regnr:      123"), QStringLiteral("Rapportnr:  20"),
                           QStringLiteral("Periode:    200912"), QStringLiteral("Rapportmal: 01.01.2009")}));
    EXPECT_EQ(dsnrText(id.Dsnr), QStringLiteral("007"));
    EXPECT_EQ(regnrText(id.Regnr), QStringLiteral("0123"));
    EXPECT_EQ(informationList(id, QStringLiteral("Annet"), QStringLiteral("0")),
              (QStringList{"7", "N", "200912", "3.0.5", "123", "20", "Annet", "0"}));
}

TEST(TemplateVersionText, FlatFileScopeSetsFlatfilAndLeavesZero) {
    TemplateVersion version;
    EXPECT_EQ(version.text(), QStringLiteral("0"));
    version.set(QStringLiteral("25.02.2009"));
    {
        const FlatFileVersionScope scope(version);
        EXPECT_EQ(version.text(), QStringLiteral("FLATFIL"));
    }
    EXPECT_EQ(version.text(), QStringLiteral("0"));
}
