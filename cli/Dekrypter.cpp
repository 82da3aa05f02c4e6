#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/Console.h"
#include "core/Error.h"
#include "core/FileIo.h"
#include "transmission/BlowfishCipher.h"
#include "transmission/Envelope.h"
#include "transmission/EnvelopeParser.h"

namespace telvainn::cli {
namespace {

const QString kHelp = QStringLiteral(
    "Bruk: telvainn-cli dekrypter FIL [--ut UTFIL]\n"
    "\n"
    "Kontrollerer en kryptert rapport slik mottakeren leser den, viser\n"
    "informasjonen i klartekst og dekrypterer rapporten.\n"
    "\n"
    "  --ut UTFIL  skriv den dekrypterte rapporten til UTFIL (ellers til\n"
    "              standard ut, uendret; informasjonen går da til standard feil)");

void writeFile(const QString& path, const QByteArray& bytes) {
    QString reason;
    if (!writeFileAtomically(path, bytes, &reason)) {
        throw Error(QStringLiteral("Klarte ikke å skrive fila \"%1\": %2").arg(path, reason));
    }
}

}  // namespace

int dekrypter(const QStringList& args) {
    const Arguments arguments(args, {}, {QStringLiteral("--ut")});
    if (const auto end = arguments.endBeforeRun(kHelp, arguments.positional().size() != 1,
                                                QStringLiteral("Oppgi nøyaktig én fil."))) {
        return *end;
    }
    const auto outFile = arguments.value(QStringLiteral("--ut"));
    try {
        const ParsedEnvelope envelope =
            ParseEncryptedReportText(readFileBytes(arguments.positional().front()));
        const QByteArray report = BlowfishCipher().DecryptReportText(envelope.base64);
        std::FILE* infoStream = outFile ? stdout : stderr;
        // Labels and order as in the clear-text block.
        for (const envelope::InfoLine& line : envelope::kInfoLines) {
            printLine(infoStream, line.label.toString() + envelope.info.value(line.infoIndex));
        }
        if (outFile) {
            writeFile(*outFile, report);
        } else {
            std::fwrite(report.constData(), 1, static_cast<std::size_t>(report.size()), stdout);
        }
    } catch (const Error& e) {
        err(e.message());
        return Failure;
    }
    return Success;
}

}  // namespace telvainn::cli
