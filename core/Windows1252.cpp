#include "core/Windows1252.h"

#include <array>
#include <unordered_map>

namespace telvainn {
namespace {

// Unicode code points of the bytes 0x80..0x9F.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

const std::unordered_map<char16_t, char>& reverseHighControls() {
    static const auto map = [] {
        std::unordered_map<char16_t, char> m;
        for (std::size_t i = 0; i < kHighControls.size(); ++i) {
            m.emplace(kHighControls[i], static_cast<char>(0x80 + i));
        }
        return m;
    }();
    return map;
}

}  // namespace

QString fromWindows1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = (b >= 0x80 && b <= 0x9F) ? QChar(kHighControls[b - 0x80]) : QChar(b);
    }
    return text;
}

QByteArray toWindows1252(QStringView text) {
    QByteArray bytes(text.size(), Qt::Uninitialized);
    char* out = bytes.data();
    for (qsizetype i = 0; i < text.size(); ++i) {
        const char16_t u = text[i].unicode();
        if (QChar::isHighSurrogate(u) && i + 1 < text.size() &&
            QChar::isLowSurrogate(text[i + 1].unicode())) {
            ++i;  // one character outside the code page, one "?"
            *out++ = '?';
        } else if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
            *out++ = static_cast<char>(u);
        } else {
            const auto& reverse = reverseHighControls();
            const auto it = reverse.find(u);
            *out++ = it != reverse.end() ? it->second : '?';
        }
    }
    bytes.truncate(out - bytes.constData());
    return bytes;
}

}  // namespace telvainn
