#include <gtest/gtest.h>
#include <QDir>

#include "core/ReportCatalogue.h"
#include "support/WorkbookPrinters.h"
#include "tools/lag-maler/SampleTemplate.h"
#include "workbook/ColorIndex.h"
#include "workbook_uno/LibreOfficeFixture.h"

namespace telvainn::excel {
namespace {

// The .xls files the build made, read back through the office as the program will read them.
class SampleWorkbooksTest : public ::testing::Test {
  protected:
    std::unique_ptr<Application> application = uno::makeLibreOfficeApplication(testing::testOfficeOptions());
};

TEST_F(SampleWorkbooksTest, EveryTemplateHasItsReportSheetActiveAndAVersionedCodeSheet) {
    for (const int reportNumber : kReportNumbers) {
        SCOPED_TRACE(reportNumber);
        const auto workbook = application->Open(templatePath(QStringLiteral(TELVAINN_BIN_DIR), reportNumber));
        const auto report = workbook->ActiveSheet();
        EXPECT_EQ(report->Name(), QStringLiteral("r%1").arg(reportNumber));
        EXPECT_EQ(report->Cell(5, 2), CellValue(static_cast<double>(reportNumber)));
        EXPECT_NE(report->Cells(12, 12)->ColorIndex(), kColorIndexNone)
            << "L12 holds the sheet's normal fill";
        // What the .xls keeps of the sources' unlocked areas, as Calc reads it back.
        EXPECT_FALSE(report->Cells(11, 1)->Locked());
        EXPECT_FALSE(report->Cells(kXlsMaxRows, 2)->Locked());
        EXPECT_FALSE(report->Cells(6, 2)->Locked());
        EXPECT_TRUE(report->Cells(5, 2)->Locked());
        EXPECT_TRUE(report->Cells(10, 2)->Locked());

        std::unique_ptr<Worksheet> codeSheet;
        for (int index = 1; index <= workbook->WorksheetCount(); ++index) {
            if (auto sheet = workbook->Worksheets(index); sheet->Name().startsWith(QLatin1String("Base"))) {
                codeSheet = std::move(sheet);
            }
        }
        ASSERT_TRUE(codeSheet);
        const CellValue version = codeSheet->Cell(1, 1);
        EXPECT_TRUE(version.isNumber() && version.number() > 39000) << "a 2008/2009 date serial";

        const auto objects = codeSheet->GetRange(QStringLiteral("Base_Itens"));
        EXPECT_GT(objects->Count(), 1);
        const CellValue first = objects->Value();
        ASSERT_TRUE(first.isText()) << "codes are texts, so that leading zeros stay";
        EXPECT_TRUE(objects->Find(first.text()).has_value());
        workbook->Close();
    }
}

TEST_F(SampleWorkbooksTest, TheOlderGenerationAndTheCorrectionFormAreWhatTheirNamesSay) {
    const QDir testData(QStringLiteral(TELVAINN_TESTDATA_DIR));
    for (const QString& name : testData.entryList({QStringLiteral("*.xls")})) {
        SCOPED_TRACE(name.toStdString());
        const auto workbook = application->Open(testData.filePath(name));
        for (int index = 1; index <= workbook->WorksheetCount(); ++index) {
            EXPECT_FALSE(workbook->Worksheets(index)->Name().startsWith(QLatin1String("Base")));
        }
        const bool correction = name.startsWith(QLatin1String("korreksjon"));
        EXPECT_EQ(workbook->ActiveSheet()->Cell(1, 1) == CellValue(QStringLiteral("KORREKSJONSFORMULAR")),
                  correction);
        workbook->Close();
    }
    EXPECT_EQ(testData.entryList({QStringLiteral("*.xls")}).size(), 4);
}

}  // namespace
}  // namespace telvainn::excel
