#pragma once

#include <QString>
#include <QStringView>
#include <functional>
#include <optional>
#include <vector>

namespace telvainn::excel {
class Workbook;
}

namespace telvainn::excel::memory {

// A document macro: it works on the open workbook it belongs to; raising makes Run raise.
using Macro = std::function<void(excel::Workbook&)>;

// The macros documents carry, by document file name and macro name, both without regard to letter case.
class MacroRegistry {
  public:
    void add(const QString& documentName, const QString& macroName, Macro macro);
    bool hasMacros(QStringView documentName) const;
    // A copy, so that a macro may register others while it runs.
    std::optional<Macro> find(QStringView documentName, QStringView macroName) const;

  private:
    struct Entry {
        QString document;
        QString macro;
        Macro run;
    };
    std::vector<Entry> m_entries;
};

// The parts of Run's argument "'r10.xls'!Ark1.buildComboBox1()": document "r10.xls" and macro
// "Ark1.buildComboBox1" (the parentheses of a call without arguments dropped). nullopt without "!".
struct MacroCall {
    QString document;
    QString macro;
};
std::optional<MacroCall> parseMacroCall(QStringView text);

}  // namespace telvainn::excel::memory
