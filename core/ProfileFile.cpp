#include "core/ProfileFile.h"

#include <QDir>
#include <QFileInfo>
#include <QLockFile>
#include <QStringDecoder>
#include <algorithm>
#include <cstdint>
#include <utility>

#include "core/Error.h"
#include "core/FileIo.h"
#include "core/Numbers.h"
#include "core/Windows1252.h"

namespace telvainn {
namespace {

const QByteArray kCrLf = QByteArrayLiteral("\r\n");

QString fullPath(const QString& path) {
    return QDir::toNativeSeparators(QFileInfo(path).absoluteFilePath());
}

bool sameName(QStringView a, QStringView b) {
    return a.compare(b, Qt::CaseInsensitive) == 0;
}

bool isQuote(QChar ch) {
    return ch == QLatin1Char('"') || ch == QLatin1Char('\'');
}

// One pair of matching quotes around the whole (already trimmed) value goes, as with the Windows
// functions; this is what lets a value keep blanks at its ends.
QString unquoted(const QString& value) {
    if (value.size() >= 2 && isQuote(value.front()) && value.back() == value.front()) {
        return value.mid(1, value.size() - 2);
    }
    return value;
}

// The text to store so that reading it back (trim, then drop one pair of quotes) gives `value` again.
QString storedValue(QStringView value) {
    QString text = value.toString();
    text.replace(QLatin1Char('\r'), QLatin1Char(' '));
    text.replace(QLatin1Char('\n'), QLatin1Char(' '));
    if (text.isEmpty()) {
        return text;
    }
    const bool blankAtEnd = text.front().unicode() <= 0x20 || text.back().unicode() <= 0x20;
    const bool lookQuoted = text.size() >= 2 && isQuote(text.front()) && text.back() == text.front();
    if (blankAtEnd || lookQuoted) {
        return QLatin1Char('"') + text + QLatin1Char('"');
    }
    return text;
}

// Blank as trimBlanks() sees it: nothing but bytes up to 0x20 (no Windows-1252 byte above decodes to one).
bool isBlank(const QByteArray& content) {
    for (const char c : content) {
        if (static_cast<unsigned char>(c) > 0x20) {
            return false;
        }
    }
    return true;
}

// The file's bytes as Windows-1252: an editor's UTF-8 (a byte-order mark, or valid UTF-8 with other than
// ASCII in it) is converted; anything else already is Windows-1252. "PÅ" in Windows-1252 is never valid
// UTF-8, since the byte 0xC5 must be followed by a byte from 0x80 to 0xBF.
QByteArray asWindows1252(const QByteArray& bytes) {
    const QByteArray bom = QByteArrayLiteral("\xEF\xBB\xBF");
    if (bytes.startsWith(bom)) {
        return toWindows1252(QString::fromUtf8(bytes.mid(bom.size())));
    }
    const bool ascii = std::all_of(bytes.begin(), bytes.end(), [](char c) { return (c & 0x80) == 0; });
    if (ascii) {
        return bytes;
    }
    QStringDecoder utf8(QStringDecoder::Utf8, QStringDecoder::Flag::Stateless);
    const QString text = utf8(bytes);
    return utf8.hasError() ? bytes : toWindows1252(text);
}

int hexDigit(QChar ch) {
    const char16_t u = ch.unicode();
    if (u >= u'0' && u <= u'9') {
        return u - u'0';
    }
    if (u >= u'a' && u <= u'f') {
        return u - u'a' + 10;
    }
    if (u >= u'A' && u <= u'F') {
        return u - u'A' + 10;
    }
    return -1;
}

}  // namespace

ProfileFile::ProfileFile(QString path) : m_path(std::move(path)) {}

ProfileFile ProfileFile::load(const QString& path) {
    ProfileFile profile(path);
    if (!QFileInfo::exists(path)) {
        return profile;
    }
    const std::optional<QByteArray> read = readWholeFile(path);
    if (!read) {
        throw Error(QStringLiteral("Unable to read ") + fullPath(path));
    }
    const QByteArray bytes = asWindows1252(*read);

    qsizetype start = 0;
    while (start < bytes.size()) {
        const qsizetype newline = bytes.indexOf('\n', start);
        if (newline < 0) {
            profile.m_lines.push_back(parseLine(bytes.mid(start), QByteArray()));
            break;
        }
        qsizetype contentEnd = newline;
        if (contentEnd > start && bytes[contentEnd - 1] == '\r') {
            --contentEnd;
        }
        profile.m_lines.push_back(
            parseLine(bytes.mid(start, contentEnd - start), bytes.mid(contentEnd, newline + 1 - contentEnd)));
        start = newline + 1;
    }
    return profile;
}

ProfileFile::Line ProfileFile::parseLine(QByteArray content, QByteArray end) {
    Line line;
    const QString text = fromWindows1252(content);
    line.content = std::move(content);
    line.end = std::move(end);

    const QStringView body = trimBlanks(text);
    if (body.startsWith(QLatin1Char(';'))) {
        line.kind = LineKind::Comment;
    } else if (body.startsWith(QLatin1Char('['))) {
        const qsizetype close = body.lastIndexOf(QLatin1Char(']'));
        if (close > 0) {
            line.kind = LineKind::Section;
            line.name = trimmed(body.mid(1, close - 1));
        }
    } else {
        const qsizetype equals = body.indexOf(QLatin1Char('='));
        if (equals >= 0) {
            line.kind = LineKind::Key;
            line.name = trimmed(body.left(equals));
            line.value = trimmed(body.mid(equals + 1));
        }
    }
    return line;
}

qsizetype ProfileFile::findSection(QStringView section) const {
    for (qsizetype i = 0; i < static_cast<qsizetype>(m_lines.size()); ++i) {
        if (m_lines[i].kind == LineKind::Section && sameName(m_lines[i].name, section)) {
            return i;
        }
    }
    return -1;
}

qsizetype ProfileFile::sectionEnd(qsizetype header) const {
    qsizetype i = header + 1;
    while (i < static_cast<qsizetype>(m_lines.size()) && m_lines[i].kind != LineKind::Section) {
        ++i;
    }
    return i;
}

qsizetype ProfileFile::findKey(qsizetype header, QStringView key) const {
    const qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i) {
        if (m_lines[i].kind == LineKind::Key && sameName(m_lines[i].name, key)) {
            return i;
        }
    }
    return -1;
}

QString ProfileFile::readString(QStringView section, QStringView key, const QString& defaultValue) const {
    const qsizetype header = findSection(section);
    if (header < 0) {
        return defaultValue;
    }
    const qsizetype line = findKey(header, key);
    if (line < 0) {
        return defaultValue;
    }
    return unquoted(m_lines[line].value);
}

int ProfileFile::readInteger(QStringView section, QStringView key, int defaultValue) const {
    bool ok = false;
    const int value = parseInteger(readString(section, key), &ok);
    return ok ? value : defaultValue;
}

int ProfileFile::parseInteger(QStringView text, bool* ok) {
    *ok = false;
    qsizetype pos = 0;
    bool negative = false;
    if (pos < text.size() && (text[pos] == QLatin1Char('+') || text[pos] == QLatin1Char('-'))) {
        negative = text[pos] == QLatin1Char('-');
        ++pos;
    }
    unsigned base = 10;
    if (text.mid(pos).startsWith(QLatin1Char('$'))) {
        base = 16;
        pos += 1;
    } else if (text.mid(pos).startsWith(QLatin1String("0x"), Qt::CaseInsensitive)) {
        base = 16;
        pos += 2;
    }
    if (pos >= text.size()) {
        return 0;
    }

    // The magnitude may reach 2^31 only for a negative value; anything beyond is not a 32-bit integer.
    const std::uint64_t limit = negative ? 0x80000000u : 0x7FFFFFFFu;
    std::uint64_t magnitude = 0;
    for (; pos < text.size(); ++pos) {
        const int digit = hexDigit(text[pos]);
        if (digit < 0 || static_cast<unsigned>(digit) >= base) {
            return 0;
        }
        magnitude = magnitude * base + static_cast<unsigned>(digit);
        if (magnitude > limit) {
            return 0;
        }
    }
    *ok = true;
    const auto signedMagnitude = static_cast<std::int64_t>(magnitude);
    return static_cast<int>(negative ? -signedMagnitude : signedMagnitude);
}

void ProfileFile::ensureLineEnd(qsizetype index) {
    if (index >= 0 && index < static_cast<qsizetype>(m_lines.size()) && m_lines[index].end.isEmpty()) {
        m_lines[index].end = kCrLf;
    }
}

void ProfileFile::writeString(QStringView section, QStringView key, QStringView value) {
    const QString stored = storedValue(value);
    qsizetype header = findSection(section);
    if (header < 0) {
        ensureLineEnd(static_cast<qsizetype>(m_lines.size()) - 1);
        m_lines.push_back(
            parseLine(toWindows1252(QLatin1Char('[') + section.toString() + QLatin1Char(']')), kCrLf));
        header = static_cast<qsizetype>(m_lines.size()) - 1;
    }

    const qsizetype existing = findKey(header, key);
    if (existing >= 0) {
        Line& line = m_lines[existing];
        const QString name = line.name;  // the file's own spelling of the key stays
        line = parseLine(toWindows1252(name + QLatin1Char('=') + stored), kCrLf);
        return;
    }

    // After the last non-blank line of the section, so blank lines that separate it from the next
    // section stay where they are.
    qsizetype after = header;
    const qsizetype end = sectionEnd(header);
    for (qsizetype i = header + 1; i < end; ++i) {
        if (!isBlank(m_lines[i].content)) {
            after = i;
        }
    }
    ensureLineEnd(after);
    m_lines.insert(m_lines.begin() + after + 1,
                   parseLine(toWindows1252(key.toString() + QLatin1Char('=') + stored), kCrLf));
}

QByteArray ProfileFile::toBytes() const {
    QByteArray bytes;
    for (const Line& line : m_lines) {
        bytes += line.content;
        bytes += line.end;
    }
    return bytes;
}

void ProfileFile::save() const {
    const QByteArray bytes = toBytes();
    if (!writeFileAtomically(followedLinks(m_path), bytes)) {
        throw Error(QStringLiteral("Unable to write to ") + fullPath(m_path));
    }
}

void ProfileFile::update(const QString& path, const std::function<void(ProfileFile&)>& change) {
    QLockFile lock(followedLinks(path) + QStringLiteral(".lock"));
    // A save takes moments; a lock held this long belongs to a program that hangs.
    if (!lock.tryLock(10000)) {
        const QString held = lock.error() == QLockFile::LockFailedError
                                 ? QStringLiteral(" (fila er låst av et annet program gjennom %1)")
                                       .arg(fullPath(lock.fileName()))
                                 : QString();
        throw Error(QStringLiteral("Unable to write to ") + fullPath(path) + held);
    }
    ProfileFile profile = load(path);
    change(profile);
    profile.save();
}

}  // namespace telvainn
