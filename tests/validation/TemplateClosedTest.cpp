#include <gtest/gtest.h>

#include <QFile>
#include <QTemporaryDir>

#include "core/TemplateVersion.h"
#include "support/MemoryProgramFolder.h"
#include "validation/TVeskValidator.h"

namespace telvainn {
namespace {

// The template workbook is hidden, but the user can still close it; the report then has to go on.
TEST(TemplateClosedByTheUser, TheNextValidationOpensItAgainAndReportClosesStillArrive) {
    excel::memory::Application excel;
    const QString folder = testsupport::memoryProgramFolder();
    QTemporaryDir scratch;
    const QString path = scratch.filePath(QStringLiteral("rapport.xls"));
    ASSERT_TRUE(QFile::copy(templatePath(folder, 10), path));
    const auto report = excel.Open(path);
    const auto sheet = report->ActiveSheet();
    sheet->WriteBlock(11, 2, {{QString(QStringLiteral("9999999"))}});
    const auto validator = makeValidator(TemplateGeneration::Current, excel, folder, 10, Locale{});
    EXPECT_FALSE(excel.WindowVisible(QStringLiteral("r10.xls")));
    EXPECT_EQ(templateVersionText(), QStringLiteral("25.02.2009"));

    excel.UserCloses(QStringLiteral("r10.xls"));
    EXPECT_EQ(excel.DeliverNotifications(), 1);
    EXPECT_FALSE(validator->templateOpen());
    EXPECT_TRUE(excel.EnableEvents()) << "the report's own close must still be noticed";

    QStringList log;
    QString heading;
    validator->RunValidation({*sheet, TemplateGeneration::Current, QStringLiteral("N"), log, heading});
    EXPECT_TRUE(validator->templateOpen());
    EXPECT_TRUE(log.contains(QStringLiteral("Feil i rad (11) : Objekt ")))
        << log.join(QLatin1Char('\n')).toStdString();
    EXPECT_EQ(excel.WorkbookCount(), 2);
}

}  // namespace
}  // namespace telvainn
