#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>

namespace telvainn {

// The only report numbers the program accepts, in the order reports are handled.
inline constexpr std::array<int, 8> kReportNumbers = {10, 11, 20, 21, 35, 50, 51, 60};

// How often a report is due, which also decides the periods it may carry.
enum class Frequency {
    Monthly,    // any month; one from the current month onward needs confirmation
    Quarterly,  // month 3, 6, 9 or 12
    Annual,     // month 12
};

struct CatalogueEntry {
    int reportNumber;
    Frequency frequency;
    bool validated;     // a report that is not validated may be sent as it is
    const char* macro;  // called after the template's workbook is opened
};

bool isCatalogueReport(int reportNumber);

// The entry of a catalogue number; raises the report-number message for any other number.
const CatalogueEntry& catalogueEntry(int reportNumber);

// Place of the report number's two-character text ("10" ... "60") in the catalogue, or -1. The
// comparison is exact: "010" or " 10" are not found.
int catalogueIndex(QStringView reportNumberText);

// "\"12\" er ikke et normalt rapport nr. ..." for a number outside the catalogue.
QString reportNumberMessage(int reportNumber);
// "\"X\" er ikke en normal rapport type. ..." for a report type other than N or K.
QString reportTypeMessage(const QString& reportType);

// Upper-cases a report type and accepts "N" and "K"; raises the report-type message otherwise.
QString checkedReportType(const QString& reportType);

// <program folder>/maler, as an absolute path.
QString templatesFolder(const QString& programFolder);

// <program folder>/maler/r<number>.xls
QString templatePath(const QString& programFolder, int reportNumber);

// Q1.xls -> Q1.txt; Q1.xls.bak -> Q1.xls.bak.txt; Q1 -> Q1.txt.
QString dataFileNameFor(const QString& reportFileName);

}  // namespace telvainn
