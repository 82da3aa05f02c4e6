#include "core/Windows1252.h"

#include <algorithm>
#include <array>

namespace telvainn {
namespace {

// Unicode code points of the bytes 0x80..0x9F.
constexpr std::array<char16_t, 32> kHighControls = {
    0x20AC, 0x0081, 0x201A, 0x0192, 0x201E, 0x2026, 0x2020, 0x2021, 0x02C6, 0x2030, 0x0160,
    0x2039, 0x0152, 0x008D, 0x017D, 0x008F, 0x0090, 0x2018, 0x2019, 0x201C, 0x201D, 0x2022,
    0x2013, 0x2014, 0x02DC, 0x2122, 0x0161, 0x203A, 0x0153, 0x009D, 0x017E, 0x0178};

// The byte of a character that is not Latin-1 above 0x9F: one of the 32 in the table, or "?". Rare in
// report texts, so a plain search serves.
char highControlByte(char16_t u) {
    for (std::size_t i = 0; i < kHighControls.size(); ++i) {
        if (kHighControls[i] == u) {
            return static_cast<char>(0x80 + i);
        }
    }
    return '?';
}

}  // namespace

QString fromWindows1252(QByteArrayView bytes) {
    QString text(bytes.size(), Qt::Uninitialized);
    QChar* out = text.data();
    for (const char c : bytes) {
        const auto b = static_cast<unsigned char>(c);
        *out++ = (b >= 0x80 && b <= 0x9F) ? QChar(kHighControls[b - 0x80]) : QChar(char16_t{b});
    }
    return text;
}

qsizetype toWindows1252(QStringView text, char* out) {
    char* const start = out;
    const char16_t* p = text.utf16();
    const char16_t* const end = p + text.size();
    while (p != end) {
        // Nearly every character of a report is ASCII or Latin-1 above 0x9F, whose byte is its code point:
        // a block of those is checked and copied in loops without branches, which the compiler vectorises.
        constexpr qsizetype kBlock = 64;
        const qsizetype n = std::min<qsizetype>(kBlock, end - p);
        if (n == kBlock) {
            bool plain = true;
            for (qsizetype i = 0; i < kBlock; ++i) {
                plain &= p[i] < 0x80 || (p[i] >= 0xA0 && p[i] <= 0xFF);
            }
            if (plain) {
                for (qsizetype i = 0; i < kBlock; ++i) {
                    out[i] = static_cast<char>(p[i]);
                }
                p += kBlock;
                out += kBlock;
                continue;
            }
        }
        for (const char16_t* const blockEnd = p + n; p < blockEnd;) {
            const char16_t u = *p++;
            if (u < 0x80 || (u >= 0xA0 && u <= 0xFF)) {
                *out++ = static_cast<char>(u);
            } else if (QChar::isHighSurrogate(u) && p != end && QChar::isLowSurrogate(*p)) {
                ++p;  // one character outside the code page, one "?"
                *out++ = '?';
            } else {
                *out++ = highControlByte(u);
            }
        }
    }
    return out - start;
}

QByteArray toWindows1252(QStringView text) {
    QByteArray bytes(text.size(), Qt::Uninitialized);
    bytes.truncate(toWindows1252(text, bytes.data()));
    return bytes;
}

}  // namespace telvainn
