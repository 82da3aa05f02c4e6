#pragma once

#include <QString>
#include <QStringList>
#include <QStringView>
#include <array>
#include <cstdint>
#include <initializer_list>

#include "core/ReportIdentity.h"
#include "core/RowRecord.h"

namespace telvainn {

// The only report numbers the program accepts, in the order reports are handled.
inline constexpr std::array<int, 8> kReportNumbers = {10, 11, 20, 21, 35, 50, 51, 60};

// How often a report is due, which also decides the periods it may carry.
enum class Frequency {
    Monthly,    // any month; one from the current month onward needs confirmation
    Quarterly,  // month 3, 6, 9 or 12
    Annual,     // month 12
};

// Fields in a given order.
class FieldList {
  public:
    constexpr FieldList() = default;
    constexpr FieldList(std::initializer_list<Field> fields) {
        for (const Field field : fields) {
            m_fields[m_size++] = field;
        }
    }
    constexpr const Field* begin() const { return m_fields.data(); }
    constexpr const Field* end() const { return m_fields.data() + m_size; }
    constexpr std::size_t size() const { return m_size; }
    constexpr bool empty() const { return m_size == 0; }

  private:
    std::array<Field, kFieldCount> m_fields{};
    std::size_t m_size = 0;
};

// Columns of a sheet by number, 1 = A.
class ColumnSet {
  public:
    constexpr ColumnSet() = default;
    constexpr ColumnSet(std::initializer_list<int> columns) {
        for (const int column : columns) {
            m_bits |= std::uint32_t{1} << column;
        }
    }
    constexpr bool contains(int column) const {
        return column > 0 && column < 32 && (m_bits & (std::uint32_t{1} << column)) != 0;
    }

  private:
    std::uint32_t m_bits = 0;
};

// A template generation with one column per field: the column each field is read from, 0 where the
// report has no such field. Every field read is checked and coloured in its own column, except a
// tillegg column that holds the head of the object code.
struct FieldColumns {
    int objektid = 0;
    int tillegg = 0;
    int sektor = 0;
    int naering = 0;
    int land = 0;
    int valuta = 0;
    int verdi = 0;
    // The tillegg column is coloured and checked together with the object id's column, as one code.
    bool tilleggIsCodeHead = false;

    constexpr int of(Field field) const {
        switch (field) {
            case Field::Objektid:
                return objektid;
            case Field::Sektor:
                return sektor;
            case Field::Tillegg:
                return tillegg;
            case Field::Naering:
                return naering;
            case Field::Land:
                return land;
            case Field::Valuta:
                return valuta;
            case Field::Verdi:
            default:
                return verdi;
        }
    }
};

// The correction form has fixed places for the fields in columns A to K (tillegg A-B, object code
// C-F, sektor G, naering H, land I, valuta J, verdi K); a report leaves some of them out.
struct CorrectionColumns {
    ColumnSet skipped{};
    // A column of the object code that is checked and coloured as the tillegg; 0 = none.
    int tillegg = 0;
};

struct CatalogueEntry {
    int reportNumber = 0;
    Frequency frequency = Frequency::Monthly;
    bool validated = false;         // a report that is not validated may be sent as it is
    const char* macro = "";         // called after the template's workbook is opened
    int codePrefixLength = 0;       // how much of an object id names its own code lists
    int sumLimit = 0;               // last object group of the first sum, 0 = not summed
    bool balanceSheet = false;      // the sums are assets and liabilities rather than income and costs
    FieldList duplicateKey{};       // fields whose values together may fill one row only
    FieldList olderDuplicateKey{};  // the older templates' key when its order differs
    FieldColumns current{};
    FieldColumns older{};
    CorrectionColumns correction{};

    const FieldList& duplicateKeyOf(TemplateGeneration generation) const {
        return generation == TemplateGeneration::Older && !olderDuplicateKey.empty() ? olderDuplicateKey
                                                                                     : duplicateKey;
    }
};

bool isCatalogueReport(int reportNumber);

// The entry of a catalogue number; raises the report-number message for any other number.
const CatalogueEntry& catalogueEntry(int reportNumber);

// The entry of a catalogue number, or an entry with nothing to read, check or sum for any other.
const CatalogueEntry& catalogueEntryOrEmpty(int reportNumber);

// Every entry, in the order of kReportNumbers.
const std::array<CatalogueEntry, kReportNumbers.size()>& catalogueEntries();

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
