#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/TemplateVersion.h"
#include "support/MemoryProgramFolder.h"
#include "validation/TVeskValidator.h"

namespace telvainn {
namespace {

// A validator of report 10 beside a report workbook made from the same template, in one engine that
// tests can close workbooks in behind the validator's back.
class TemplateWorkbookTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(QFile::copy(templatePath(folder, 10), path));
        report = excel.Open(path);
        sheet = report->ActiveSheet();
        validator = makeValidator(TemplateGeneration::Current, excel, folder, 10, Locale{}, templateVersion);
    }

    QStringList validate() {
        QStringList log{QStringLiteral("gammel linje")};
        validator->RunValidation({*sheet, TemplateGeneration::Current, QStringLiteral("N"), log, heading});
        return log;
    }

    excel::memory::Application excel;
    const QString folder = testsupport::memoryProgramFolder();
    QTemporaryDir scratch;
    const QString path = scratch.filePath(QStringLiteral("rapport.xls"));
    std::unique_ptr<excel::Workbook> report;
    std::unique_ptr<excel::Worksheet> sheet;
    TemplateVersion templateVersion;
    std::unique_ptr<TVeskValidator> validator;
    QString heading;
};

// The template workbook is hidden, but the user can still close it; the report then has to go on.
TEST_F(TemplateWorkbookTest, ClosedByTheUserItIsOpenedAgainByTheNextValidation) {
    sheet->WriteBlock(11, 2, {{QString(QStringLiteral("9999999"))}});
    EXPECT_FALSE(excel.WindowVisible(QStringLiteral("r10.xls")));
    EXPECT_EQ(templateVersion.text(), QStringLiteral("25.02.2009"));

    excel.UserCloses(QStringLiteral("r10.xls"));
    EXPECT_EQ(excel.DeliverNotifications(), 1);
    EXPECT_FALSE(validator->templateOpen());
    EXPECT_TRUE(excel.EnableEvents()) << "the report's own close must still be noticed";

    const QStringList log = validate();
    EXPECT_TRUE(validator->templateOpen());
    EXPECT_TRUE(log.contains(QStringLiteral("Feil i rad (11) : Objekt ")))
        << log.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(excel.WorkbookCount(), 2);
}

// When the spreadsheet refuses the calls that prepare the sheet (in Excel: a cell still being edited),
// the run's findings give way to an explanation of what to do.
TEST_F(TemplateWorkbookTest, ARefusedRunExplainsTheUnfinishedCellEditAndCountsTheRun) {
    report->Close();  // every call on the sheet now raises
    EXPECT_EQ(validate(),
              QStringList({QStringLiteral("Validering nr. 1 feilet."),
                           QStringLiteral("------------------------------------"),
                           QStringLiteral("Det oppsto en feil under validering"),
                           QStringLiteral("som trolig skyldes at en celle-"),
                           QStringLiteral("redigering i Excel ikke ble avsluttet"),
                           QStringLiteral("før du klikket valideringsknappen i"),
                           QStringLiteral("valideringsprogrammet."), QString(),
                           QStringLiteral("Gå tilbake til Excel, og trykk ENTER-"),
                           QStringLiteral("tasten før du forsøker å validere"), QStringLiteral("på nytt.")}));
    EXPECT_EQ(heading, QStringLiteral("Validering nr. 1 feilet."));
    EXPECT_TRUE(excel.ScreenUpdating());
    EXPECT_EQ(validator->NextValidationNumber(false), QStringLiteral("1"));
}

}  // namespace
}  // namespace telvainn
