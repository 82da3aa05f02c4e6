#include "transmission/MailHeaders.h"

#include <QByteArrayList>
#include <QSysInfo>
#include <QTimeZone>

#include "core/Windows1252.h"
#include "transmission/Base64.h"

namespace telvainn::mime {
namespace {

constexpr qsizetype kPreferredLineLength = 78;
constexpr qsizetype kMaxLineLength = 998;
constexpr qsizetype kMaxAddressLength = 254;
// A line holding encoded words may be at most 76 characters long. Words of 36 bytes ("=?windows-1252?B?",
// 48 Base64 characters and "?=") fit beside "Subject: " and two to a continuation line never.
constexpr qsizetype kBytesPerEncodedWord = 36;

bool isPrintableAscii(QChar c) {
    return c.unicode() >= 0x20 && c.unicode() < 0x7F;
}

// Text that reads back unchanged when written as it is: printable ASCII, nothing a decoder could take
// for an encoded word, and no blanks at either end, which unfolding does not keep.
bool canGoAsItIs(const QString& text) {
    if (text.startsWith(QLatin1Char(' ')) || text.endsWith(QLatin1Char(' ')) ||
        text.contains(QLatin1String("=?"))) {
        return false;
    }
    for (const QChar c : text) {
        if (!isPrintableAscii(c)) {
            return false;
        }
    }
    return true;
}

QByteArrayList encodedWords(const QString& text) {
    const QByteArray bytes = toWindows1252(text);
    QByteArrayList words;
    for (qsizetype at = 0; at < bytes.size(); at += kBytesPerEncodedWord) {
        words.append("=?windows-1252?B?" +
                     base64Encode(QByteArrayView(bytes).sliced(at).first(
                         std::min(kBytesPerEncodedWord, bytes.size() - at))) +
                     "?=");
    }
    return words;
}

// Words of plain text: a fold may go before any blank that is followed by a non-blank, so that no line
// of a folded field consists of blanks only. Each word but the first starts with its blank.
QByteArrayList plainWords(const QString& text) {
    const QByteArray bytes = text.toLatin1();
    QByteArrayList words;
    qsizetype start = 0;
    for (qsizetype i = 1; i + 1 < bytes.size(); ++i) {
        if (bytes[i] == ' ' && bytes[i + 1] != ' ') {
            words.append(bytes.mid(start, i - start));
            start = i;
        }
    }
    words.append(bytes.mid(start));
    return words;
}

// Joins "Name:" and the words, folding before a word whenever the line would pass 78 characters.
// Words that do not begin with a blank get one.
QByteArray fold(QByteArrayView name, const QByteArrayList& words) {
    QByteArray field = name.toByteArray() + ':';
    qsizetype lineLength = field.size();
    bool lineHasWord = false;
    for (const QByteArray& word : words) {
        const QByteArray piece = word.startsWith(' ') ? word : ' ' + word;
        if (lineHasWord && lineLength + piece.size() > kPreferredLineLength) {
            field += "\r\n";
            lineLength = 0;
        }
        field += piece;
        lineLength += piece.size();
        lineHasWord = true;
    }
    return field + "\r\n";
}

bool linesFit(const QByteArray& field) {
    for (const QByteArrayView line : field.split('\n')) {
        if (line.size() > kMaxLineLength + 1) {  // + the CR
            return false;
        }
    }
    return true;
}

QByteArray quotedString(const QString& text) {
    QByteArray quoted = "\"";
    for (const char c : text.toLatin1()) {
        if (c == '"' || c == '\\') {
            quoted += '\\';
        }
        quoted += c;
    }
    return quoted + '"';
}

bool isAtext(char c) {
    return (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') ||
           QByteArrayView("!#$%&'*+-/=?^_`{|}~").contains(c);
}

bool isDotAtom(QByteArrayView text) {
    if (text.isEmpty() || text.startsWith('.') || text.endsWith('.') || text.contains("..")) {
        return false;
    }
    for (const char c : text) {
        if (c != '.' && !isAtext(c)) {
            return false;
        }
    }
    return true;
}

}  // namespace

QByteArray unstructuredField(QByteArrayView name, const QString& text) {
    if (canGoAsItIs(text)) {
        QByteArray field = fold(name, plainWords(text));
        if (linesFit(field)) {
            return field;
        }
    }
    return fold(name, encodedWords(text));
}

QByteArray mailboxField(QByteArrayView name, const QString& displayName, QByteArrayView address) {
    const QByteArray angleAddress = '<' + address.toByteArray() + '>';
    if (displayName.isEmpty()) {
        return fold(name, {angleAddress});
    }
    if (canGoAsItIs(displayName)) {
        QByteArray field = fold(name, {quotedString(displayName), angleAddress});
        if (linesFit(field)) {
            return field;
        }
    }
    return fold(name, encodedWords(displayName) << angleAddress);
}

QByteArray dateValue(const QDateTime& when) {
    static constexpr const char* kDays[] = {"Mon", "Tue", "Wed", "Thu", "Fri", "Sat", "Sun"};
    static constexpr const char* kMonths[] = {"Jan", "Feb", "Mar", "Apr", "May", "Jun",
                                              "Jul", "Aug", "Sep", "Oct", "Nov", "Dec"};
    const QDate date = when.date();
    const QTime time = when.time();
    const int offsetMinutes = when.offsetFromUtc() / 60;
    const int absoluteOffset = offsetMinutes < 0 ? -offsetMinutes : offsetMinutes;
    return QString::asprintf("%s, %02d %s %04d %02d:%02d:%02d %c%02d%02d", kDays[date.dayOfWeek() - 1],
                             date.day(), kMonths[date.month() - 1], date.year(), time.hour(), time.minute(),
                             time.second(), offsetMinutes < 0 ? '-' : '+', absoluteOffset / 60,
                             absoluteOffset % 60)
        .toLatin1();
}

std::optional<QByteArray> wireAddress(const QString& address) {
    QString text = address.trimmed();
    if (text.startsWith(QLatin1String("SMTP:"), Qt::CaseInsensitive)) {
        text = text.mid(5);
    }
    if (text.isEmpty() || text.size() > kMaxAddressLength) {
        return std::nullopt;
    }
    for (const QChar c : text) {
        if (!isPrintableAscii(c) || c == QLatin1Char(' ') || QStringView(u"<>()[]\\,;\"").contains(c)) {
            return std::nullopt;
        }
    }
    const QByteArray bytes = text.toLatin1();
    const qsizetype at = bytes.lastIndexOf('@');
    const QByteArray local = at < 0 ? bytes : bytes.left(at);
    const QByteArray domain = at < 0 ? QByteArray() : bytes.mid(at + 1);
    if (at >= 0 && !isDotAtom(domain)) {
        return std::nullopt;
    }
    const QByteArray wireLocal = isDotAtom(local) ? local : '"' + local + '"';
    return at < 0 ? wireLocal : wireLocal + '@' + domain;
}

QByteArray hostName() {
    const QByteArray host = QSysInfo::machineHostName().toLatin1();
    for (const char c : host) {
        if (!((c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') || (c >= '0' && c <= '9') || c == '-' ||
              c == '.')) {
            return "localhost";
        }
    }
    return host.isEmpty() ? QByteArray("localhost") : host;
}

}  // namespace telvainn::mime
