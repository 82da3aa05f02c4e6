#include "validation_rules/RulesFixture.h"

#include <QDir>
#include <QFile>
#include <QRegularExpression>

#include "core/ReportCatalogue.h"
#include "tools/lag-maler/SampleTemplate.h"
#include "workbook/RangeAddress.h"

namespace telvainn::rules {

Locale norwegianLocale() {
    Locale locale;
    locale.decimalSeparator = QLatin1Char(',');
    locale.thousandsSeparator = QChar(0x00A0);
    locale.shortDateFormat = QStringLiteral("dd.MM.yyyy");
    return locale;
}

namespace {

excel::CellValue cellOf(const QString& text) {
    static const QRegularExpression number(QStringLiteral("^-?(0|[1-9][0-9]{0,14})(,[0-9]+)?$"));
    if (text.isEmpty()) {
        return {};
    }
    if (text.startsWith(QLatin1Char('\''))) {
        return text.mid(1);
    }
    if (number.match(text).hasMatch()) {
        return QString(text).replace(QLatin1Char(','), QLatin1Char('.')).toDouble();
    }
    return text;
}

}  // namespace

void RulesTest::SetUp() {
    m_scratch.emplace();
    ASSERT_TRUE(m_scratch->isValid());
}

void RulesTest::TearDown() {
    m_validator.reset();
    m_sheet.reset();
    if (m_workbook && m_workbook->IsOpen()) {
        m_workbook->Close();
    }
    m_workbook.reset();
    app().SetEnableEvents(false);
    app().SetScreenUpdating(true);
}

void RulesTest::currentReport(int reportNumber, const QString& type) {
    const QString path = m_scratch->filePath(QStringLiteral("rapport.xls"));
    ASSERT_TRUE(QFile::copy(templatePath(programFolder(), reportNumber), path));
    m_workbook = app().Open(path);
    m_sheet = m_workbook->ActiveSheet();
    m_sheet->Unprotect();
    setRow(3, {QStringLiteral("'007")}, 2);
    setRow(4, {QStringLiteral("'1234")}, 2);
    setRow(6, {QStringLiteral("'200812")}, 2);
    setRow(7, {QLatin1Char('\'') + type}, 2);
    m_reportType = type;
    m_generation = TemplateGeneration::Current;
    m_validator =
        makeValidator(m_generation, app(), programFolder(), reportNumber, m_locale, m_templateVersion);
    m_validator->setSheetReading(m_reading);
}

void RulesTest::useTemplatesOf(const QString& folder) {
    const int reportNumber = m_validator->reportNumber();
    m_validator.reset();
    m_validator = makeValidator(m_generation, app(), folder, reportNumber, m_locale, m_templateVersion);
    m_validator->setSheetReading(m_reading);
}

void RulesTest::workbookFrom(const QString& source, TemplateGeneration generation, int reportNumber) {
    const QString path = m_scratch->filePath(QStringLiteral("rapport.xls"));
    excel::writeSampleWorkbook(app(), excel::parseSampleWorkbook(source, QStringLiteral("test")), path);
    m_workbook = app().Open(path);
    m_sheet = m_workbook->ActiveSheet();
    m_generation = generation;
    m_reportType = generation == TemplateGeneration::Correction ? QStringLiteral("K") : QStringLiteral("N");
    m_validator =
        makeValidator(generation, app(), programFolder(), reportNumber, m_locale, m_templateVersion);
    m_validator->setSheetReading(m_reading);
}

void RulesTest::setRow(int row, const QStringList& cells, int firstColumn) {
    for (int i = 0; i < cells.size(); ++i) {
        m_sheet->SetCell(row, firstColumn + i, cellOf(cells[i]));
    }
}

void RulesTest::setCell(const QString& address, const QString& cell) {
    const auto rects = excel::parseRangeAddress(address);
    ASSERT_TRUE(rects);
    m_sheet->SetCell(rects->front().firstRow, rects->front().firstColumn, cellOf(cell));
}

std::optional<RowRecord> RulesTest::read(int row, ReadMode mode) {
    ReportSheet access(*m_sheet, m_reading);
    if (mode == ReadMode::Build) {
        m_validator->CheckHeading(access, false);  // the report type the build rules look at
    }
    RowRecord record;
    if (m_validator->ReadRow(access, row, mode, record)) {
        return std::nullopt;
    }
    return record;
}

QStringList RulesTest::validate() {
    QStringList log;
    m_validator->RunValidation({*m_sheet, m_generation, m_reportType, log, m_validationHeading});
    m_sheet->Unprotect();  // so that tests can go on changing cells
    return log;
}

QString RulesTest::validateRow(int row) {
    ReportSheet access(*m_sheet, m_reading);
    RowRecord record;
    EXPECT_FALSE(m_validator->ReadRow(access, row, ReadMode::Validation, record)) << "row " << row;
    return m_validator->ValidateRow(access, row, record);
}

int RulesTest::colour(const QString& address) {
    return m_sheet->GetRange(address)->ColorIndex();
}

int RulesTest::normalColour() {
    return colour(QStringLiteral("L12"));
}

}  // namespace telvainn::rules
