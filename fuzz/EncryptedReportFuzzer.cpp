// Arbitrary bytes as an encrypted report file, read the way "dekrypter" reads one: the envelope check,
// the clear-text information, then the decryption. The bytes are also tried as a bare ciphertext.

#include <QByteArray>
#include <QByteArrayView>
#include <QString>

#include "core/ControlCharacters.h"
#include "core/Error.h"
#include "core/Windows1252.h"
#include "fuzz/FuzzSupport.h"
#include "transmission/Base64.h"
#include "transmission/BlowfishCipher.h"
#include "transmission/Envelope.h"
#include "transmission/EnvelopeParser.h"

using fuzz::check;
using namespace telvainn;

namespace {

const BlowfishCipher& cipher() {
    static const BlowfishCipher keyed;
    return keyed;
}

void decryptBareCiphertext(QByteArrayView text) {
    QByteArray plain;
    try {
        plain = cipher().DecryptReportText(text);
    } catch (const Error&) {
        check(!isBase64(text), "every strict Base64 text decrypts");
        return;
    }
    const std::optional<QByteArray> ciphertext = base64Decode(text);
    check(ciphertext.has_value(), "only strict Base64 decrypts");
    check(cipher().encrypt(plain) == *ciphertext, "encryption undoes decryption");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const QByteArrayView input(data, static_cast<qsizetype>(size));
    decryptBareCiphertext(input);

    ParsedEnvelope envelope;
    try {
        envelope = ParseEncryptedReportText(input);
    } catch (const Error& e) {
        check(e.message().startsWith(QStringLiteral("Linje ")), "a refusal names the line");
        return 0;
    }
    check(envelope.info.size() == envelope::kInfoListSize, "the information list is whole");

    QByteArray report;
    try {
        report = cipher().DecryptReportText(envelope.base64);
    } catch (const Error&) {
        check(false, "an accepted envelope's ciphertext decrypts");
    }
    QString shown;
    for (const envelope::InfoLine& line : envelope::kInfoLines) {
        shown += line.label.toString() + envelope.info.value(line.infoIndex) + QLatin1Char('\n');
    }
    check(!toWindows1252(shown).isEmpty(), "the information is shown");

    // What is accepted is exactly what the program writes, with or without the file's final CR LF; only
    // information holding a control character the program refuses to write.
    bool controls = false;
    for (const QString& item : envelope.info) {
        controls = controls || firstControlCharacter(item).has_value();
    }
    try {
        const QByteArray rebuilt = BuildEncryptedReportText(envelope.info, envelope.base64);
        check(!controls, "the program writes no information with a control character");
        check(input == rebuilt || input == rebuilt + "\r\n", "an accepted text is one the program writes");
    } catch (const Error&) {
        check(controls, "the program refuses only information with a control character");
    }
    check(cipher().EncryptReportText(fromWindows1252(report)) == envelope.base64,
          "the decrypted report encrypts to the same ciphertext");
    return 0;
}
