#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "support/MemoryProgramFolder.h"
#include "validation/TVeskValidator.h"

namespace telvainn {
namespace {

// When the spreadsheet refuses the calls that prepare the sheet (in Excel: a cell still being edited),
// the run's findings give way to an explanation of what to do.
TEST(RefusedValidationRun, ExplainsTheUnfinishedCellEditAndCountsTheRun) {
    excel::memory::Application excel;
    const QString folder = testsupport::memoryProgramFolder();
    QTemporaryDir scratch;
    const QString path = scratch.filePath(QStringLiteral("rapport.xls"));
    ASSERT_TRUE(QFile::copy(templatePath(folder, 10), path));
    auto report = excel.Open(path);
    const auto sheet = report->ActiveSheet();
    const auto validator = makeValidator(TemplateGeneration::Current, excel, folder, 10, Locale{});
    report->Close();  // every call on the sheet now raises

    QStringList log{QStringLiteral("gammel linje")};
    QString heading;
    validator->RunValidation({*sheet, TemplateGeneration::Current, QStringLiteral("N"), log, heading});
    EXPECT_EQ(log,
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
