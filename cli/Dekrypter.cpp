#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/Console.h"
#include "core/ControlCharacters.h"
#include "core/Error.h"
#include "core/FileIo.h"
#include "core/Windows1252.h"
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
    "              standard ut, uendret; informasjonen går da til standard feil)\n"
    "\n"
    "På en terminal vises kontrolltegn i fila som \\x1b og lignende, så fila ikke\n"
    "kan styre terminalen.");

// A crafted envelope must not drive the terminal it is shown on, not even with a lone CR; a file or a
// pipe gets the text as it is.
QString shown(std::FILE* stream, const QString& text) {
    return isTerminal(stream) ? withVisibleControls(text) : text;
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
            printLine(infoStream,
                      line.label.toString() + shown(infoStream, envelope.info.value(line.infoIndex)));
        }
        if (outFile) {
            writeFileBytes(*outFile, report);
        } else if (isTerminal(stdout)) {
            print(stdout, shown(stdout, fromWindows1252(report)));
        } else {
            writeBytes(stdout, report);
        }
    } catch (const Error& e) {
        err(e.message());
        return Failure;
    }
    return Success;
}

}  // namespace telvainn::cli
