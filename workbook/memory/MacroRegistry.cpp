#include "workbook/memory/MacroRegistry.h"

namespace telvainn::excel::memory {
namespace {

bool sameName(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

QStringView withoutCallParentheses(QStringView macro) {
    macro = macro.trimmed();
    if (macro.endsWith(u"()")) {
        macro.chop(2);
    }
    return macro.trimmed();
}

}  // namespace

void MacroRegistry::add(const QString& documentName, const QString& macroName, Macro macro) {
    const QString name = withoutCallParentheses(macroName).toString();
    for (Entry& entry : m_entries) {
        if (sameName(entry.document, documentName) && sameName(entry.macro, name)) {
            entry.run = std::move(macro);
            return;
        }
    }
    m_entries.push_back({documentName, name, std::move(macro)});
}

bool MacroRegistry::hasMacros(QStringView documentName) const {
    for (const Entry& entry : m_entries) {
        if (sameName(entry.document, documentName)) {
            return true;
        }
    }
    return false;
}

std::optional<Macro> MacroRegistry::find(QStringView documentName, QStringView macroName) const {
    const QStringView name = withoutCallParentheses(macroName);
    for (const Entry& entry : m_entries) {
        if (sameName(entry.document, documentName) && sameName(entry.macro, name)) {
            return entry.run;
        }
    }
    return std::nullopt;
}

std::optional<MacroCall> parseMacroCall(QStringView text) {
    const qsizetype bang = text.lastIndexOf(QLatin1Char('!'));
    if (bang < 0) {
        return std::nullopt;
    }
    QStringView document = text.left(bang).trimmed();
    if (document.size() >= 2 && document.startsWith(QLatin1Char('\'')) &&
        document.endsWith(QLatin1Char('\''))) {
        document = document.mid(1, document.size() - 2);
    }
    const QStringView macro = withoutCallParentheses(text.mid(bang + 1));
    if (document.isEmpty() || macro.isEmpty()) {
        return std::nullopt;
    }
    return MacroCall{document.toString(), macro.toString()};
}

}  // namespace telvainn::excel::memory
