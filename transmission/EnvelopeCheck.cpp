#include "transmission/EnvelopeCheck.h"

#include <algorithm>

#include "core/Error.h"
#include "core/Windows1252.h"
#include "transmission/Envelope.h"
#include "transmission/EnvelopeParser.h"

namespace telvainn {
namespace {

[[noreturn]] void fail(const QString& what) {
    throw Error(kEnvelopeCheckFailedMessage.arg(what));
}

}  // namespace

void CheckEnvelopeReadsBack(QByteArrayView envelope, const QStringList& informationList,
                            const QString& document, const BlowfishCipher& cipher) {
    ParsedEnvelope parsed;
    QByteArray decrypted;
    try {
        parsed = ParseEncryptedReportText(envelope);
        decrypted = cipher.DecryptReportText(parsed.base64);
    } catch (const Error& e) {
        fail(e.message());
    }
    for (const envelope::InfoLine& line : envelope::kInfoLines) {
        // The list travels as Windows-1252, where a character it lacks becomes "?".
        const QString made = fromWindows1252(toWindows1252(informationList.value(line.infoIndex)));
        const QString read = parsed.info.value(line.infoIndex);
        if (made != read) {
            fail(QStringLiteral("%1 er «%2» i den krypterte rapporten, men «%3» i rapporten.")
                     .arg(line.label.trimmed().chopped(1).toString(), read, made));
        }
    }
    const QByteArray expected = toWindows1252(document);
    if (decrypted != expected) {
        const auto [differs, unused] =
            std::mismatch(decrypted.cbegin(), decrypted.cend(), expected.cbegin(), expected.cend());
        static_cast<void>(unused);
        fail(QStringLiteral("Den dekrypterte rapporten (%1 byte) skiller seg fra rapporten (%2 byte) fra "
                            "byte %3.")
                 .arg(decrypted.size())
                 .arg(expected.size())
                 .arg(differs - decrypted.cbegin() + 1));
    }
}

QByteArray CheckedEncryptedReportText(const QStringList& informationList, const QString& document,
                                      const BlowfishCipher& cipher) {
    const QByteArray text = BuildEncryptedReportText(informationList, cipher.EncryptReportText(document));
    CheckEnvelopeReadsBack(text, informationList, document, cipher);
    return text;
}

}  // namespace telvainn
