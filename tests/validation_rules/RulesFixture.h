#pragma once

#include <gtest/gtest.h>

#include <QString>
#include <QStringList>
#include <QTemporaryDir>
#include <memory>
#include <optional>
#include <ostream>

#include "core/Locale.h"
#include "core/TemplateVersion.h"
#include "validation/TVeskValidator.h"
#include "workbook/Excel.h"

// The validators' rules against one engine. A test binary runs the suites on its engine by defining a
// function that returns that engine's RulesEngine and, inside namespace telvainn::rules,
//
//     TELVAINN_INSTANTIATE_VALIDATION_RULES(Memory, memoryRulesEngine);
namespace telvainn {
inline void PrintTo(const RowRecord& r, std::ostream* os) {
    *os << "{" << r.text.toStdString() << "|" << r.objektid.toStdString() << "|" << r.tillegg.toStdString()
        << "|" << r.sektor.toStdString() << "|" << r.naering.toStdString() << "|" << r.land.toStdString()
        << "|" << r.valuta.toStdString() << "|" << r.verdi.toStdString() << "}";
}
}  // namespace telvainn

namespace telvainn::rules {

struct RulesEngine {
    const char* name;
    excel::Application& (*application)();
    QString (*programFolder)();  // holds maler/r10.xls ... r60.xls made from the sample sources
};

inline void PrintTo(const RulesEngine& engine, std::ostream* os) {
    *os << engine.name;
}

// Norwegian number settings: decimal comma, a no-break space between thousands.
Locale norwegianLocale();

// A data row of report 10's current layout, from column A: no text, no description.
inline QStringList row10(const QString& objektid, const QString& sektor, const QString& naering,
                         const QString& valuta, const QString& verdi) {
    return {QString(), objektid, QString(), sektor, naering, valuta, verdi};
}

class RulesTest : public ::testing::TestWithParam<RulesEngine> {
  protected:
    void SetUp() override;
    void TearDown() override;

    excel::Application& app() const { return GetParam().application(); }
    QString programFolder() const { return GetParam().programFolder(); }

    // A report workbook from the current template of `reportNumber`, heading filled in (Dsnr 007, Regnr
    // 1234, period 200812, the type), with its validator. The sheet is left unprotected.
    void currentReport(int reportNumber, const QString& type = QStringLiteral("N"));
    // The report's validator made from the templates of another program folder.
    void useTemplatesOf(const QString& folder);
    // A workbook from a sample source text (sheets, cells, fills), with the validator of `generation`.
    void workbookFrom(const QString& source, TemplateGeneration generation, int reportNumber);

    // Cells from `firstColumn` on: "" empty, "'text" a text, whole numbers and decimal-comma numbers
    // numbers, anything else a text.
    void setRow(int row, const QStringList& cells, int firstColumn = 1);
    void setCell(const QString& address, const QString& cell);

    // ReadRow of one row; nullopt when skipped.
    std::optional<RowRecord> read(int row, ReadMode mode);
    QStringList validate();  // one run; its log
    QString validateRow(int row);
    int colour(const QString& address);
    int normalColour();
    bool red(const QString& address) { return colour(address) == 3; }

    excel::Worksheet& sheet() { return *m_sheet; }
    TVeskValidator& validator() { return *m_validator; }

    Locale m_locale = norwegianLocale();
    TemplateVersion m_templateVersion;
    TemplateGeneration m_generation = TemplateGeneration::Current;
    QString m_reportType = QStringLiteral("N");
    QString m_validationHeading;
    SheetReading m_reading = SheetReading::Bulk;

  private:
    std::optional<QTemporaryDir> m_scratch;
    std::unique_ptr<excel::Workbook> m_workbook;
    std::unique_ptr<excel::Worksheet> m_sheet;
    std::unique_ptr<TVeskValidator> m_validator;
};

// Suites by rule, so that they read and filter as groups.
class RowLayouts : public RulesTest {};
class RunLog : public RulesTest {};
class Sums : public RulesTest {};
class HeadingChecks : public RulesTest {};
class FieldChecks : public RulesTest {};
class ReadingPaths : public RulesTest {};

}  // namespace telvainn::rules

#define TELVAINN_INSTANTIATE_VALIDATION_RULES(prefix, engineFunction)                     \
    INSTANTIATE_TEST_SUITE_P(prefix, RowLayouts, ::testing::Values(engineFunction()));    \
    INSTANTIATE_TEST_SUITE_P(prefix, RunLog, ::testing::Values(engineFunction()));        \
    INSTANTIATE_TEST_SUITE_P(prefix, Sums, ::testing::Values(engineFunction()));          \
    INSTANTIATE_TEST_SUITE_P(prefix, HeadingChecks, ::testing::Values(engineFunction())); \
    INSTANTIATE_TEST_SUITE_P(prefix, FieldChecks, ::testing::Values(engineFunction()));   \
    INSTANTIATE_TEST_SUITE_P(prefix, ReadingPaths, ::testing::Values(engineFunction()))
