#pragma once

#include <QHash>
#include <QSet>
#include <QString>
#include <optional>

#include "core/Locale.h"
#include "validation/ReportSheet.h"
#include "workbook/Excel.h"

namespace telvainn {

// The named code lists of a template's code sheet, looked up by the two rules of the checks. Bulk
// reading reads each list once, on its first use, and answers from memory; CellByCell asks the engine
// every time. A list that is missing or cannot be read finds nothing.
class CodeLists {
  public:
    CodeLists(excel::Worksheet& codeSheet, SheetReading reading, const Locale& locale);

    // One-cell list: its text's first word (up to the first blank) equals value, letters compared
    // without regard to case. Larger list: Find(value) finds a cell. An empty value is never found.
    bool Contains(const QString& name, const QString& value);

    // Find(value) in the list, whatever its size.
    bool Find(const QString& name, const QString& value);

  private:
    // What a list holds, read once.
    struct Snapshot {
        bool readable = false;
        int count = 0;
        QString firstCellText;  // for a one-cell list
        // Every cell as Find compares it. Set only when the cells were read in full and hold texts
        // alone; otherwise Find goes to the engine, with its answers remembered.
        std::optional<QSet<QString>> foldedTexts;
        QHash<QString, bool> engineAnswers;
    };

    Snapshot& snapshot(const QString& name);
    bool engineFind(const QString& name, const QString& value);
    bool findInSnapshot(const QString& name, Snapshot& list, const QString& value);

    excel::Worksheet& m_codeSheet;
    SheetReading m_reading;
    Locale m_locale;
    QHash<QString, Snapshot> m_lists;
};

// The one-cell rule: the text before the first blank, equal in length and letters (any case).
bool firstWordEquals(const QString& cellText, const QString& value);

}  // namespace telvainn
