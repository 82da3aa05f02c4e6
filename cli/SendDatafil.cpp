#include "app/DataFileSending.h"
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/DataFileCommand.h"
#include "transmission/MailTransportFactory.h"
#include "transmission/ReportMailDispatcher.h"

namespace telvainn::cli {
namespace {

const QString kHelp = QStringLiteral(
    "Bruk: telvainn-cli send-datafil DATAFIL [--test] [--ja] [--send-igjen]\n"
    "\n"
    "Leser en flat datafil og sender én kryptert e-post per selskap og rapport\n"
    "til mottakeren i telvainn.ini, slik e-postinnstillingene under [EPOST] sier\n"
    "(TRANSPORT=SMTP eller SENDMAIL).\n"
    "\n"
    "  --test     testmodus: testadressen (MOTTAKER_ADRESSE_TEST) og emnet\n"
    "             \"Telva test - ...\"\n"
    "  --ja       svar ja på spørsmålene om datasentralnummeret og e-postsystemet\n"
    "  --send-igjen  send også rapporter som historikken viser at er sendt før\n"
    "             (uten dette sendes ingenting når fila har slike rapporter)\n"
    "\n"
    "Passordet til en SMTP-innlogging spørres om på terminalen, eller hentes fra\n"
    "miljøvariabelen TELVAINN_SMTP_PASSORD. Det lagres aldri.\n"
    "Avslutter med 0 bare når hver e-post ble tatt imot.");

const QString kSendAgain = QStringLiteral("--send-igjen");

}  // namespace

int sendDatafil(const QStringList& args) {
    return runDataFileCommand(args, kHelp, {kSendAgain}, {}, [](const DataFileCommandRun& run) {
        const std::unique_ptr<MailTransport> transport = MakeMailTransport(run.settings, run.prompter);
        ReportMailDispatcher mailer(run.settings, run.mode.test, *transport, &run.history.recorder());
        // No report is made in this command, so the run's version text is its own.
        TemplateVersion templateVersion;
        const SendDataFileResult result = SendDataFileByMail(
            run.dataFile, run.settings, run.mode, Locale::fromEnvironment(), run.prompter, mailer,
            templateVersion, {}, run.history.repeatGuard(run.arguments.has(kSendAgain)));
        if (const auto end = endOfFailedRun(result.stopped, result.ok, result.message)) {
            return *end;
        }
        out(result.message);
        return static_cast<int>(Success);
    });
}

}  // namespace telvainn::cli
