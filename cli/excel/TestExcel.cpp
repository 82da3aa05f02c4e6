#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/excel/ReportSession.h"

namespace telvainn::cli {
namespace {

const QString kHelp = QStringLiteral(
    "Bruk: telvainn-cli test-excel\n"
    "\n"
    "Sjekker om programmet får kontakt med regnearket (LibreOffice Calc): starter\n"
    "en egen, kortlivet instans og avslutter den igjen.");

}  // namespace

int testExcel(const QStringList& args) {
    const Arguments arguments(args, {}, {});
    if (const auto end = arguments.endBeforeRun(kHelp, !arguments.positional().isEmpty(),
                                                QStringLiteral("test-excel tar ingen argumenter."))) {
        return *end;
    }
    if (spreadsheetAvailable()) {
        out(QStringLiteral("Programmet kan snakke med excel"));
        return Success;
    }
    out(QStringLiteral("Programmet kan ikke snakke med excel"));
    return Failure;
}

}  // namespace telvainn::cli
