#include "core/ReportCatalogue.h"

#include <QDir>
#include <algorithm>

#include "core/Error.h"

namespace telvainn {
namespace {

constexpr std::array<CatalogueEntry, 8> kCatalogue = {{
    {10, Frequency::Monthly, true, "Ark1.buildComboBox1()"},
    {11, Frequency::Monthly, true, "Sheet1.buildComboBox1()"},
    {20, Frequency::Annual, true, "Sheet1.buildComboBox1()"},
    {21, Frequency::Quarterly, true, "Sheet1.buildComboBox1()"},
    {35, Frequency::Annual, false, "Sheet1.buildComboBox1()"},
    {50, Frequency::Annual, true, "Ark1.buildComboBox1()"},
    {51, Frequency::Annual, true, "Sheet1.buildComboBox1()"},
    {60, Frequency::Annual, true, "Sheet1.buildComboBox1()"},
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
    // Looked up for every line of a flat data file, so the texts are compared without building any.
    static constexpr std::array<QStringView, kReportNumbers.size()> kTexts = {u"10", u"11", u"20", u"21",
                                                                              u"35", u"50", u"51", u"60"};
    const auto it = std::find(kTexts.begin(), kTexts.end(), reportNumberText);
    return it == kTexts.end() ? -1 : static_cast<int>(it - kTexts.begin());
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

QString templatesFolder(const QString& programFolder) {
    return QDir(QDir(programFolder).absoluteFilePath(QStringLiteral("maler"))).absolutePath();
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
