#include "app/ReportCommands.h"
#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/excel/ReportSession.h"
#include "core/Error.h"

namespace telvainn::cli {
namespace {

const QString kHelp = QStringLiteral(
    "Bruk: telvainn-cli valider FIL [--lagre] [--celle-for-celle]\n"
    "\n"
    "Åpner rapporten, validerer den mot kodelistene i malen for rapportnummeret og\n"
    "skriver ut valideringsloggen.\n"
    "\n"
    "  --lagre            lagre fargene og sumfeltet i arbeidsboka (ellers lukkes\n"
    "                     den uten å lagres)\n"
    "  --celle-for-celle  les regnearket celle for celle i stedet for i blokker\n"
    "                     (samme resultat, mye langsommere; for feilsøking)\n"
    "\n"
    "Avslutter med 0 når rapporten er uten feil, 1 når loggen viser feil i\n"
    "rader, i hodet eller duplikate koder, og 2 når valideringen ikke kunne gjøres.");

// Exit codes beyond the usual ones.
constexpr int kFindings = 1;
constexpr int kNotValidated = 2;

int validate(TVeskReport& report, bool save) {
    if (const std::optional<UnvalidatedReport> skipped = WithoutValidation(report.Rapportnr())) {
        for (const QString& line : skipped->logLines) {
            out(line);
        }
        return Success;
    }
    report.Validate();
    const QStringList& log = report.logLines();
    for (const QString& line : log) {
        out(line);
    }
    const bool ran = log.filter(QStringLiteral("Antall feillinjer: ")).size() == 1;
    if (save && ran) {  // a run that could not be done has nothing to keep
        try {
            report.workbook().Save();
        } catch (const Error& error) {
            err(error.message());
            return kNotValidated;
        }
    }
    if (!log.contains(QStringLiteral("Antall feillinjer: 0"))) {
        return ran ? kFindings : kNotValidated;
    }
    // The heading message stands right after the title; duplicates have their own section.
    const bool headingMessage = log.size() > 1 && !log[1].startsWith(QStringLiteral("Antall feillinjer: "));
    const bool duplicates = log.contains(QStringLiteral("Det finnes duplikate koder!"));
    return headingMessage || duplicates ? kFindings : Success;
}

}  // namespace

int valider(const QStringList& args) {
    const Arguments arguments(args, {QStringLiteral("--lagre"), QStringLiteral("--celle-for-celle")}, {});
    if (const auto end = arguments.endBeforeRun(kHelp, arguments.positional().size() != 1,
                                                QStringLiteral("Oppgi nøyaktig én rapportfil."))) {
        return *end;
    }
    const bool save = arguments.has(QStringLiteral("--lagre"));
    const bool cellByCell = arguments.has(QStringLiteral("--celle-for-celle"));
    return withOpenReport(arguments.positional().front(), RunMode{}, false, kNotValidated,
                          [&](ReportSession& session, TVeskReport& report) {
                              if (cellByCell) {
                                  session.reports->setSheetReading(SheetReading::CellByCell);
                              }
                              return validate(report, save);
                          });
}

}  // namespace telvainn::cli
