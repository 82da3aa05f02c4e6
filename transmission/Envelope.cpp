#include "transmission/Envelope.h"

#include "core/Error.h"

namespace telvainn {
namespace {

void requireCompleteInfo(const QStringList& info) {
    if (info.size() != envelope::kInfoListSize) {
        throw Error(envelope::kInfoListIncompleteMessage.toString());
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

void appendClearTextBlock(QString& text, const QStringList& info) {
    using namespace envelope;
    text.append(kSeparatorLine).append(kLineEnd);
    text.append(kHeading).append(kLineEnd);
    text.append(kSeparatorLine).append(kLineEnd);
    for (const InfoLine& line : kInfoLines) {
        text.append(line.label).append(info[line.infoIndex]).append(kLineEnd);
    }
    text.append(kLineEnd);  // line 12 is empty
}

}  // namespace

QString BuildClearTextBlock(const QStringList& info) {
    requireCompleteInfo(info);
    QString text;
    text.reserve(clearTextBlockLength(info));
    appendClearTextBlock(text, info);
    return text;
}

QString BuildEncryptedReportText(const QStringList& info, const QString& base64) {
    using namespace envelope;
    requireCompleteInfo(info);
    QString text;
    // One allocation even for a ciphertext of many megabytes.
    text.reserve(clearTextBlockLength(info) + kStartMarker.size() + base64.size() + kLineEnd.size() +
                 kEndMarker.size());
    appendClearTextBlock(text, info);
    text.append(kStartMarker).append(base64).append(kLineEnd);
    text.append(kEndMarker);
    return text;
}

}  // namespace telvainn
