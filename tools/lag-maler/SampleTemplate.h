#pragma once

#include <QString>
#include <QStringList>
#include <map>
#include <utility>
#include <vector>

#include "workbook/CellValue.h"
#include "workbook/RangeAddress.h"

// Workbooks written as text: the sample report templates and the small test workbooks in maler/ are
// kept as readable sources (format in maler/README.md) and turned into .xls files through the Excel
// interface, so that any engine that implements it can make them.
namespace telvainn::excel {

class Application;

// What an .xls sheet can hold: columns A..IV, rows 1..65536.
inline constexpr int kXlsMaxRows = 65536;
inline constexpr int kXlsMaxColumns = 256;

// The number format a date value gets unless its source says otherwise.
inline const QString kSampleDateFormat = QStringLiteral("DD.MM.YYYY");

struct SampleFill {
    QString address;  // as written, e.g. "A11:G510" or "B3:B7;L12"
    std::vector<CellRect> areas;
    int colorIndex = 0;  // a palette index 1..56, or kColorIndexNone
};

// Cells a person may type into once the sheet is protected; every other cell stays locked.
struct SampleUnlock {
    QString address;  // as written, e.g. "A11:G65536" or "B3:B4;B6:B7"
    std::vector<CellRect> areas;
};

struct SampleSheet {
    QString name;
    int line = 0;                                    // where the source names it
    std::map<std::pair<int, int>, CellValue> cells;  // by (row, column); never an empty value
    std::map<std::pair<int, int>, QString> numberFormats;
    std::vector<SampleFill> fills;  // in source order: a later fill wins where they overlap
    std::vector<SampleUnlock> unlocked;

    CellValue cell(int row, int column) const;
    QString numberFormat(int row, int column) const;  // empty: the engine's standard format
    int colorIndex(int row, int column) const;        // kColorIndexNone where no fill covers the cell
    bool locked(int row, int column) const;
};

// A workbook-level name for a rectangle of one sheet, as the code lists are named.
struct SampleName {
    QString name;
    QString sheet;
    CellRect area;
    int line = 0;
};

struct SampleWorkbook {
    QString source;                   // file name used in messages
    std::vector<SampleSheet> sheets;  // in workbook order
    int activeSheet = 0;              // index into sheets
    std::vector<SampleName> names;    // in source order

    const SampleSheet* sheet(const QString& name) const;  // exact name, or nullptr
    const SampleName* name(const QString& name) const;    // letters compared without regard to case
    // The values of a name's cells, row by row, as the sheet shows them in the general format.
    QStringList namedTexts(const QString& name) const;
};

// Reads a source; raises telvainn::Error "<sourceName>:<line>: <what is wrong>" at the first fault.
SampleWorkbook parseSampleWorkbook(const QString& text, const QString& sourceName);
// The same from a UTF-8 file, named in messages by its path.
SampleWorkbook readSampleWorkbook(const QString& path);

// Makes the workbook through the engine and saves it as `path` (replacing a file already there),
// leaving nothing open. Raises "Klarte ikke lage \"<path>\" fra <source>: <engine's text>"; a failed
// attempt leaves no file behind at `path`.
void writeSampleWorkbook(Application& application, const SampleWorkbook& workbook, const QString& path);

}  // namespace telvainn::excel
