#include "transmission/EnvelopeParser.h"

#include <QString>
#include <QStringView>
#include <initializer_list>

#include "core/Error.h"
#include "core/Windows1252.h"
#include "transmission/Base64.h"
#include "transmission/Envelope.h"

namespace telvainn {
namespace {

// Pieces of the messages, "Linje <n>: forventet <what>[, men teksten slutter før denne linjen]."
constexpr QStringView kLineWord = u"Linje ";
constexpr QStringView kExpected = u": forventet ";
constexpr QStringView kEndsBeforeLine = u", men teksten slutter før denne linjen";
constexpr QStringView kSeparatorDescription = u" likhetstegn";  // after the count
constexpr QStringView kAtLineStart = u" først på linjen";
constexpr QStringView kEmptyLineDescription = u"en tom linje";
constexpr QStringView kLineEndDescription = u"CR LF som linjeslutt";
constexpr QStringView kBase64After = u"gyldig Base64-tekst etter ";
constexpr QStringView kNothingOrOneLineEndAfter = u"ingenting eller én CR LF etter ";

QString concat(std::initializer_list<QStringView> parts) {
    QString text;
    for (const QStringView part : parts) {
        text += part;
    }
    return text;
}

QString quoted(QStringView text) {
    return concat({u"\"", text, u"\""});
}

[[noreturn]] void fail(int lineNumber, QStringView expectation, bool textEndedBefore = false) {
    const QString number = QString::number(lineNumber);
    throw Error(
        concat({kLineWord, number, kExpected, expectation, textEndedBefore ? kEndsBeforeLine : u"", u"."}));
}

// The fixed texts are ASCII, so they compare byte for byte with the Windows-1252 file contents.
bool startsWithAscii(QByteArrayView bytes, QStringView ascii) {
    if (bytes.size() < ascii.size()) {
        return false;
    }
    for (qsizetype i = 0; i < ascii.size(); ++i) {
        if (static_cast<char16_t>(static_cast<unsigned char>(bytes[i])) != ascii[i].unicode()) {
            return false;
        }
    }
    return true;
}

bool equalsAscii(QByteArrayView bytes, QStringView ascii) {
    return bytes.size() == ascii.size() && startsWithAscii(bytes, ascii);
}

// Walks lines 1 to 13, each of which must end with CR LF.
class LineReader {
  public:
    explicit LineReader(QByteArrayView bytes) : m_bytes(bytes) {}

    int lineNumber() const { return m_lineNumber; }

    // The content of the next line, without its line end. `expectation` describes the line for the
    // message when the text has ended before it.
    QByteArrayView next(QStringView expectation) {
        ++m_lineNumber;
        if (m_pos >= m_bytes.size()) {
            fail(m_lineNumber, expectation, true);
        }
        qsizetype stop = m_pos;
        while (stop < m_bytes.size() && m_bytes[stop] != '\r' && m_bytes[stop] != '\n') {
            ++stop;
        }
        const QByteArrayView content = m_bytes.sliced(m_pos, stop - m_pos);
        m_lineEnd = stop;
        return content;
    }

    // Checked only after the content, so that a wrong line is reported for what it holds rather than
    // for a stray CR or LF further on.
    void requireLineEnd() {
        const qsizetype end = m_lineEnd;
        if (end + 1 >= m_bytes.size() || m_bytes[end] != '\r' || m_bytes[end + 1] != '\n') {
            fail(m_lineNumber, kLineEndDescription);
        }
        m_pos = end + 2;
    }

    QByteArrayView rest() const { return m_bytes.sliced(m_pos); }

  private:
    QByteArrayView m_bytes;
    qsizetype m_pos = 0;
    qsizetype m_lineEnd = 0;
    int m_lineNumber = 0;
};

void readExactLine(LineReader& reader, QStringView expected, QStringView expectation) {
    const QByteArrayView content = reader.next(expectation);
    if (!equalsAscii(content, expected)) {
        fail(reader.lineNumber(), expectation);
    }
    reader.requireLineEnd();
}

}  // namespace

ParsedEnvelope ParseEncryptedReportText(QByteArrayView bytes) {
    using namespace envelope;
    LineReader reader(bytes);
    const QString separatorExpectation =
        concat({QString::number(kSeparatorLine.size()), kSeparatorDescription});

    readExactLine(reader, kSeparatorLine, separatorExpectation);
    readExactLine(reader, kHeading, quoted(kHeading));
    readExactLine(reader, kSeparatorLine, separatorExpectation);

    ParsedEnvelope parsed;
    parsed.info.resize(kInfoListSize);
    for (const InfoLine& line : kInfoLines) {
        const QString expectation = concat({quoted(line.label), kAtLineStart});
        const QByteArrayView content = reader.next(expectation);
        if (!startsWithAscii(content, line.label)) {
            fail(reader.lineNumber(), expectation);
        }
        parsed.info[line.infoIndex] = fromWindows1252(content.sliced(line.label.size()));
        reader.requireLineEnd();
    }

    readExactLine(reader, u"", kEmptyLineDescription);

    const QString startExpectation = concat({quoted(kStartMarker), kAtLineStart});
    const QByteArrayView cipherLine = reader.next(startExpectation);
    if (!startsWithAscii(cipherLine, kStartMarker)) {
        fail(reader.lineNumber(), startExpectation);
    }
    const QByteArrayView base64 = cipherLine.sliced(kStartMarker.size());
    if (!isBase64(base64)) {
        fail(reader.lineNumber(), concat({kBase64After, quoted(kStartMarker)}));
    }
    reader.requireLineEnd();

    // Line 14 has no line end of its own; a file gets exactly one CR LF after it from its writer.
    const QByteArrayView rest = reader.rest();
    if (!startsWithAscii(rest, kEndMarker)) {
        fail(kEndLineNumber, quoted(kEndMarker), rest.isEmpty());
    }
    const QByteArrayView afterEnd = rest.sliced(kEndMarker.size());
    if (!afterEnd.isEmpty() && !equalsAscii(afterEnd, kLineEnd)) {
        fail(kEndLineNumber, concat({kNothingOrOneLineEndAfter, quoted(kEndMarker)}));
    }

    parsed.base64 = base64.toByteArray();
    return parsed;
}

}  // namespace telvainn
