#include "app/ReportCommands.h"
#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/excel/ReportSession.h"

namespace telvainn::cli {
namespace {

const QString kLagDatafilHelp = QStringLiteral(
    "Bruk: telvainn-cli lag-datafil FIL [--ut UTFIL]\n"
    "\n"
    "Åpner rapporten og lagrer dataene i den som en ukryptert TELVA datafil\n"
    "(én hodelinje og én datalinje per rad).\n"
    "\n"
    "  --ut UTFIL  datafilen (standard: FIL med \".txt\" i stedet for \".xls\")");

const QString kKrypterHelp = QStringLiteral(
    "Bruk: telvainn-cli krypter FIL [--ut UTFIL]\n"
    "\n"
    "Åpner rapporten og lagrer den som kryptert fil, klar til å sendes som vedlegg\n"
    "i e-post.\n"
    "\n"
    "  --ut UTFIL  den krypterte fila (standard: FIL med \".txt\" i stedet for \".xls\")");

using Writer = ReportResult (*)(TVeskReports&, TVeskReport&, const QString&);

// Both commands open the report and write one file from it.
int writeReportFile(const QStringList& args, const QString& help, Writer write) {
    const Arguments arguments(args, {}, {QStringLiteral("--ut")});
    if (const auto end = arguments.endBeforeRun(help, arguments.positional().size() != 1,
                                                QStringLiteral("Oppgi nøyaktig én rapportfil."))) {
        return *end;
    }
    const auto target = arguments.value(QStringLiteral("--ut"));
    return withOpenReport(arguments.positional().front(), RunMode{}, false, Failure,
                          [&](ReportSession& session, TVeskReport& report) {
                              session.recordSends();
                              const ReportResult result =
                                  write(*session.reports, report, target.value_or(report.DataFileName()));
                              if (!result.done()) {
                                  err(result.message);
                                  return static_cast<int>(Failure);
                              }
                              out(result.path);
                              return static_cast<int>(Success);
                          });
}

}  // namespace

int lagDatafil(const QStringList& args) {
    return writeReportFile(args, kLagDatafilHelp, &WriteReportDataFile);
}

int krypter(const QStringList& args) {
    return writeReportFile(args, kKrypterHelp, &SaveReportEncrypted);
}

}  // namespace telvainn::cli
