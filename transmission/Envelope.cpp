#include "transmission/Envelope.h"

#include "core/ControlCharacters.h"
#include "core/Error.h"
#include "core/ReportIdentity.h"
#include "core/Settings.h"
#include "core/Windows1252.h"

namespace telvainn {
namespace {

// Eight texts, each fit for a line of the clear-text block: a CR in one would split its line, and the
// agency's reader would refuse the envelope.
void requireCompleteInfo(const QStringList& info) {
    if (info.size() != envelope::kInfoListSize) {
        throw Error(kMissingReportInformationMessage);
    }
    requireNoControlCharacter(info[info::MailSystem], settings_ini::kSectionEpost, settings_ini::kKeySystem);
    for (const envelope::InfoLine& line : envelope::kInfoLines) {
        if (const std::optional<QChar> control = firstControlCharacter(info[line.infoIndex])) {
            throw Error(
                QStringLiteral("Opplysningen \"%1\" om rapporten inneholder kontrolltegnet %2, som ikke "
                               "kan stå i rapportens klartekst.")
                    .arg(line.label.toString().remove(QLatin1Char(':')).trimmed(),
                         escapedCharacter(*control)));
        }
    }
}

qsizetype clearTextBlockLength(const QStringList& info) {
    using namespace envelope;
    // Two separator lines, the heading, eight labelled values and a line end on each of the 12 lines.
    qsizetype length = 2 * kSeparatorLine.size() + kHeading.size() + kClearTextLineCount * kLineEnd.size();
    for (const InfoLine& line : kInfoLines) {
        length += line.label.size() + info[line.infoIndex].size();
    }
    return length;
}

void appendClearTextBlock(QByteArray& text, const QStringList& info) {
    using namespace envelope;
    const QByteArray lineEnd = toWindows1252(kLineEnd);
    const QByteArray separator = toWindows1252(kSeparatorLine) + lineEnd;
    text.append(separator);
    text.append(toWindows1252(kHeading)).append(lineEnd);
    text.append(separator);
    for (const InfoLine& line : kInfoLines) {
        text.append(toWindows1252(line.label)).append(toWindows1252(info[line.infoIndex])).append(lineEnd);
    }
    text.append(lineEnd);  // line 12 is empty
}

}  // namespace

QByteArray BuildClearTextBlock(const QStringList& info) {
    requireCompleteInfo(info);
    QByteArray text;
    text.reserve(clearTextBlockLength(info));
    appendClearTextBlock(text, info);
    return text;
}

QByteArray BuildEncryptedReportText(const QStringList& info, QByteArrayView base64) {
    using namespace envelope;
    requireCompleteInfo(info);
    QByteArray text;
    // One allocation even for a ciphertext of many megabytes.
    text.reserve(clearTextBlockLength(info) + kStartMarker.size() + base64.size() + kLineEnd.size() +
                 kEndMarker.size());
    appendClearTextBlock(text, info);
    text.append(toWindows1252(kStartMarker)).append(base64).append(toWindows1252(kLineEnd));
    text.append(toWindows1252(kEndMarker));
    return text;
}

}  // namespace telvainn
