#include "validation/CodeLists.h"

#include <exception>

#include "core/Numbers.h"
#include "workbook/CellText.h"

namespace telvainn {

bool firstWordEquals(const QString& cellText, const QString& value) {
    const QString text = trimmed(cellText);
    if (text.isEmpty()) {
        return false;
    }
    const qsizetype blank = text.indexOf(QLatin1Char(' '));
    const QStringView word = blank < 0 ? QStringView(text) : QStringView(text).left(blank);
    return word.size() == value.size() && word.compare(value, Qt::CaseInsensitive) == 0;
}

CodeLists::CodeLists(excel::Worksheet& codeSheet, SheetReading reading, const Locale& locale)
    : m_codeSheet(codeSheet), m_reading(reading), m_locale(locale) {}

bool CodeLists::Contains(const QString& name, const QString& value) {
    if (value.isEmpty()) {
        return false;
    }
    if (m_reading == SheetReading::CellByCell) {
        try {
            const auto range = m_codeSheet.GetRange(name);
            if (range->Count() == 1) {
                return firstWordEquals(excel::cellText(range->Value(), m_locale), value);
            }
            return range->Find(value).has_value();
        } catch (const std::exception&) {
            return false;
        }
    }
    Snapshot& list = snapshot(name);
    if (!list.readable) {
        return false;
    }
    if (list.count == 1) {
        return firstWordEquals(list.firstCellText, value);
    }
    return findInSnapshot(name, list, value);
}

bool CodeLists::Find(const QString& name, const QString& value) {
    if (m_reading == SheetReading::CellByCell) {
        return engineFind(name, value);
    }
    Snapshot& list = snapshot(name);
    return list.readable && findInSnapshot(name, list, value);
}

bool CodeLists::engineFind(const QString& name, const QString& value) {
    try {
        return m_codeSheet.GetRange(name)->Find(value).has_value();
    } catch (const std::exception&) {
        return false;
    }
}

bool CodeLists::findInSnapshot(const QString& name, Snapshot& list, const QString& value) {
    if (value.isEmpty()) {
        return false;
    }
    if (list.foldedTexts) {
        return list.foldedTexts->contains(value.toCaseFolded());
    }
    const auto known = list.engineAnswers.constFind(value);
    if (known != list.engineAnswers.constEnd()) {
        return *known;
    }
    const bool found = engineFind(name, value);
    list.engineAnswers.insert(value, found);
    return found;
}

CodeLists::Snapshot& CodeLists::snapshot(const QString& name) {
    const auto existing = m_lists.find(name);
    if (existing != m_lists.end()) {
        return *existing;
    }
    Snapshot list;
    try {
        const auto range = m_codeSheet.GetRange(name);
        list.count = range->Count();
        const excel::Block cells = range->Values();
        if (!cells.empty() && !cells.front().empty()) {
            list.firstCellText = excel::cellText(cells.front().front(), m_locale);
        }
        // A number is found by the text the sheet shows, which depends on its format; only lists of
        // texts can be answered from memory.
        QSet<QString> texts;
        int read = 0;
        bool textsOnly = true;
        for (const auto& row : cells) {
            for (const auto& cell : row) {
                ++read;
                if (cell.isText()) {
                    texts.insert(cell.text().toCaseFolded());
                } else if (!cell.isEmpty()) {
                    textsOnly = false;
                }
            }
        }
        if (textsOnly && read == list.count) {
            list.foldedTexts = std::move(texts);
        }
        list.readable = true;
    } catch (const std::exception&) {
        list.readable = false;
    }
    return *m_lists.insert(name, std::move(list));
}

}  // namespace telvainn
