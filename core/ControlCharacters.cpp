#include "core/ControlCharacters.h"

namespace telvainn {
namespace {

bool isEscaped(QStringView text, qsizetype i) {
    const char16_t c = text[i].unicode();
    if (c == u'\t' || c == u'\n') {
        return false;
    }
    if (c == u'\r') {
        return i + 1 >= text.size() || text[i + 1] != u'\n';
    }
    return c < 0x20 || (c >= 0x7F && c <= 0x9F);
}

}  // namespace

std::optional<QChar> firstControlCharacter(QStringView text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x20 && c != u'\t') {
            return c;
        }
    }
    return std::nullopt;
}

std::optional<QChar> firstNonXmlCharacter(QStringView text) {
    for (const QChar c : text) {
        if (c.unicode() < 0x20 && c != u'\t' && c != u'\n' && c != u'\r') {
            return c;
        }
    }
    return std::nullopt;
}

QString escapedCharacter(QChar c) {
    return QStringLiteral("\\x%1").arg(c.unicode(), 2, 16, QLatin1Char('0'));
}

QString withVisibleControls(QStringView text) {
    QString shown;
    shown.reserve(text.size());
    for (qsizetype i = 0; i < text.size(); ++i) {
        if (isEscaped(text, i)) {
            shown += escapedCharacter(text[i]);
        } else {
            shown += text[i];
        }
    }
    return shown;
}

}  // namespace telvainn
