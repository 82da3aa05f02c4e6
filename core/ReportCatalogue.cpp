#include "core/ReportCatalogue.h"

#include <QDir>
#include <algorithm>

#include "core/Error.h"

namespace telvainn {
namespace {

constexpr std::array<CatalogueEntry, 8> kCatalogue = {{
    {10, PeriodRule::AnyMonth, "Ark1.buildComboBox1()"},
    {11, PeriodRule::AnyMonth, "Sheet1.buildComboBox1()"},
    {20, PeriodRule::Annual, "Sheet1.buildComboBox1()"},
    {21, PeriodRule::Quarterly, "Sheet1.buildComboBox1()"},
    {35, PeriodRule::Annual, "Sheet1.buildComboBox1()"},
    {50, PeriodRule::Annual, "Ark1.buildComboBox1()"},
    {51, PeriodRule::Annual, "Sheet1.buildComboBox1()"},
    {60, PeriodRule::Annual, "Sheet1.buildComboBox1()"},
}};

}  // namespace

bool isCatalogueReport(int reportNumber) {
    return std::find(kReportNumbers.begin(), kReportNumbers.end(), reportNumber) != kReportNumbers.end();
}

const CatalogueEntry& catalogueEntry(int reportNumber) {
    for (const auto& entry : kCatalogue) {
        if (entry.reportNumber == reportNumber) {
            return entry;
        }
    }
    throw Error(reportNumberMessage(reportNumber));
}

int catalogueIndex(QStringView reportNumberText) {
    for (std::size_t i = 0; i < kReportNumbers.size(); ++i) {
        if (reportNumberText == QString::number(kReportNumbers[i])) {
            return static_cast<int>(i);
        }
    }
    return -1;
}

QString reportNumberMessage(int reportNumber) {
    return QStringLiteral(
               "\"%1\" er ikke et normalt rapport nr. Programmet kan dermed ikke behandle rapporten.")
        .arg(reportNumber);
}

QString reportTypeMessage(const QString& reportType) {
    return QStringLiteral(
               "\"%1\" er ikke en normal rapport type. Programmet kan  dermed ikke behandle rapporten.")
        .arg(reportType);
}

QString checkedReportType(const QString& reportType) {
    const QString upper = reportType.toUpper();
    if (upper != QLatin1String("N") && upper != QLatin1String("K")) {
        throw Error(reportTypeMessage(reportType));
    }
    return upper;
}

QString templatePath(const QString& programFolder, int reportNumber) {
    return QDir(programFolder).filePath(QStringLiteral("maler/r%1.xls").arg(reportNumber));
}

QString dataFileNameFor(const QString& reportFileName) {
    const QString xls = QStringLiteral(".xls");
    const qsizetype first = reportFileName.indexOf(xls);
    if (first >= 0 && first == reportFileName.size() - xls.size()) {
        return reportFileName.left(first) + QStringLiteral(".txt");
    }
    return reportFileName + QStringLiteral(".txt");
}

}  // namespace telvainn
