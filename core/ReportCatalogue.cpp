#include "core/ReportCatalogue.h"

#include <QDir>
#include <algorithm>

#include "core/Error.h"

namespace telvainn {
namespace {

constexpr int A = 1, B = 2, C = 3, D = 4, E = 5, F = 6, G = 7, H = 8, I = 9;
using enum Field;

constexpr std::array<CatalogueEntry, kReportNumbers.size()> kCatalogue = {{
    {.reportNumber = 10,
     .frequency = Frequency::Monthly,
     .validated = true,
     .macro = "Ark1.buildComboBox1()",
     .codePrefixLength = 5,
     .sumLimit = 599,
     .balanceSheet = true,
     .duplicateKey = {Objektid, Sektor, Naering, Valuta},
     .current = {.objektid = B, .sektor = D, .naering = E, .valuta = F, .verdi = G},
     .older = {.objektid = B, .sektor = C, .naering = D, .valuta = E, .verdi = F},
     .correction = {.skipped = {A, B, I}}},
    {.reportNumber = 11,
     .frequency = Frequency::Monthly,
     .validated = true,
     .macro = "Sheet1.buildComboBox1()",
     .codePrefixLength = 7,
     .duplicateKey = {Objektid, Tillegg, Sektor, Naering, Valuta},
     .olderDuplicateKey = {Tillegg, Objektid, Sektor, Naering, Valuta},
     .current = {.objektid = B, .tillegg = C, .sektor = D, .naering = E, .valuta = F, .verdi = G},
     .older = {.objektid = C, .tillegg = B, .sektor = D, .naering = E, .valuta = F, .verdi = G},
     .correction = {.skipped = {A, I}, .tillegg = F}},
    {.reportNumber = 20,
     .frequency = Frequency::Annual,
     .validated = true,
     .macro = "Sheet1.buildComboBox1()",
     .codePrefixLength = 10,
     .sumLimit = 399,
     .duplicateKey = {Objektid, Sektor, Valuta},
     .current = {.objektid = B, .sektor = D, .valuta = E, .verdi = F},
     // The older templates name F and G for valuta and verdi; they are read, and coloured, in E and F.
     .older = {.objektid = C, .tillegg = B, .sektor = D, .valuta = E, .verdi = F, .tilleggIsCodeHead = true},
     .correction = {.skipped = {H, I}}},
    {.reportNumber = 21,
     .frequency = Frequency::Quarterly,
     .validated = true,
     .macro = "Sheet1.buildComboBox1()",
     .codePrefixLength = 10,
     .sumLimit = 399,
     .duplicateKey = {Objektid, Sektor, Valuta},
     .current = {.objektid = B, .sektor = D, .valuta = E, .verdi = F},
     // As for report 20.
     .older = {.objektid = C, .tillegg = B, .sektor = D, .valuta = E, .verdi = F, .tilleggIsCodeHead = true},
     .correction = {.skipped = {H, I}}},
    {.reportNumber = 35,
     .frequency = Frequency::Annual,
     .validated = false,
     .macro = "Sheet1.buildComboBox1()",
     .codePrefixLength = 5,
     .duplicateKey = {Objektid, Valuta},
     .current = {.objektid = B, .valuta = C, .verdi = D},
     .older = {.objektid = C, .tillegg = B, .valuta = D, .verdi = E, .tilleggIsCodeHead = true},
     .correction = {.skipped = {F, G, H, I}}},
    {.reportNumber = 50,
     .frequency = Frequency::Annual,
     .validated = true,
     .macro = "Ark1.buildComboBox1()",
     .codePrefixLength = 5,
     .sumLimit = 599,
     .balanceSheet = true,
     .duplicateKey = {Objektid, Sektor, Naering, Valuta},
     .current = {.objektid = B, .sektor = D, .naering = E, .valuta = F, .verdi = G},
     .older = {.objektid = B, .sektor = C, .naering = D, .valuta = E, .verdi = F},
     .correction = {.skipped = {A, B, I}}},
    {.reportNumber = 51,
     .frequency = Frequency::Annual,
     .validated = true,
     .macro = "Sheet1.buildComboBox1()",
     .codePrefixLength = 9,
     .duplicateKey = {Objektid, Sektor, Land, Valuta},
     .current = {.objektid = B, .sektor = C, .land = D, .valuta = E, .verdi = F},
     .older = {.objektid = C,
               .tillegg = B,
               .sektor = D,
               .land = E,
               .valuta = F,
               .verdi = G,
               .tilleggIsCodeHead = true},
     .correction = {.skipped = {A, H}}},
    {.reportNumber = 60,
     .frequency = Frequency::Annual,
     .validated = true,
     .macro = "Sheet1.buildComboBox1()",
     .codePrefixLength = 7,
     .sumLimit = 599,
     .balanceSheet = true,
     .duplicateKey = {Objektid, Sektor, Naering, Land, Valuta},
     .current = {.objektid = B, .sektor = C, .naering = D, .land = E, .valuta = F, .verdi = G},
     .older = {.objektid = B, .sektor = C, .naering = D, .land = E, .valuta = F, .verdi = G},
     .correction = {.skipped = {A, B}}},
}};

constexpr bool numbersFollowTheTable() {
    for (std::size_t i = 0; i < kCatalogue.size(); ++i) {
        if (kCatalogue[i].reportNumber != kReportNumbers[i]) {
            return false;
        }
    }
    return true;
}
static_assert(numbersFollowTheTable(), "kReportNumbers lists the table's numbers in its order");

const CatalogueEntry* findEntry(int reportNumber) {
    const auto it = std::find_if(kCatalogue.begin(), kCatalogue.end(), [&](const CatalogueEntry& entry) {
        return entry.reportNumber == reportNumber;
    });
    return it == kCatalogue.end() ? nullptr : &*it;
}

}  // namespace

bool isCatalogueReport(int reportNumber) {
    return std::find(kReportNumbers.begin(), kReportNumbers.end(), reportNumber) != kReportNumbers.end();
}

const CatalogueEntry& catalogueEntry(int reportNumber) {
    if (const CatalogueEntry* entry = findEntry(reportNumber)) {
        return *entry;
    }
    throw Error(reportNumberMessage(reportNumber));
}

const CatalogueEntry& catalogueEntryOrEmpty(int reportNumber) {
    static constexpr CatalogueEntry kEmpty;
    const CatalogueEntry* entry = findEntry(reportNumber);
    return entry ? *entry : kEmpty;
}

const std::array<CatalogueEntry, kReportNumbers.size()>& catalogueEntries() {
    return kCatalogue;
}

int catalogueIndex(QStringView reportNumberText) {
    // Looked up for every line of a flat data file, so the text is compared without building any.
    if (reportNumberText.size() != 2) {
        return -1;
    }
    const auto digit = [](QChar c) { return c >= u'0' && c <= u'9' ? c.unicode() - u'0' : -1; };
    const int tens = digit(reportNumberText[0]);
    const int ones = digit(reportNumberText[1]);
    if (tens < 0 || ones < 0) {
        return -1;
    }
    const auto it = std::find(kReportNumbers.begin(), kReportNumbers.end(), tens * 10 + ones);
    return it == kReportNumbers.end() ? -1 : static_cast<int>(it - kReportNumbers.begin());
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
