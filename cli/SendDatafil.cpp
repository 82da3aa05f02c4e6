#include "app/DataFileSending.h"
#include "app/SettingsStore.h"
#include "cli/Arguments.h"
#include "cli/CommandSettings.h"
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/TerminalPrompter.h"
#include "core/Error.h"
#include "transmission/MailTransportFactory.h"
#include "transmission/ReportMailDispatcher.h"

namespace telvainn::cli {
namespace {

const QString kHelp = QStringLiteral(
    "Bruk: telvainn-cli send-datafil DATAFIL [--test] [--ja]\n"
    "\n"
    "Leser en flat datafil og sender én kryptert e-post per selskap og rapport\n"
    "til mottakeren i telvainn.ini, slik e-postinnstillingene under [EPOST] sier\n"
    "(TRANSPORT=SMTP eller SENDMAIL).\n"
    "\n"
    "  --test     testmodus: testadressen (MOTTAKER_ADRESSE_TEST) og emnet\n"
    "             \"Telva test - ...\"\n"
    "  --ja       svar ja på spørsmålene om datasentralnummeret og e-postsystemet\n"
    "\n"
    "Passordet til en SMTP-innlogging spørres om på terminalen, eller hentes fra\n"
    "miljøvariabelen TELVAINN_SMTP_PASSORD. Det lagres aldri.\n"
    "Avslutter med 0 bare når hver e-post ble tatt imot.");

}  // namespace

int sendDatafil(const QStringList& args) {
    const Arguments arguments(args, {QStringLiteral("--test"), QStringLiteral("--ja")}, {});
    if (const auto end = arguments.endBeforeRun(kHelp, arguments.positional().size() != 1,
                                                QStringLiteral("Oppgi nøyaktig én datafil."))) {
        return *end;
    }

    RunMode mode;
    mode.test = arguments.has(QStringLiteral("--test"));
    const std::optional<TSettings> loaded = loadCommandSettings(mode);
    if (!loaded) {
        return Failure;
    }
    const TSettings& settings = *loaded;

    TerminalPrompter prompter(arguments.has(QStringLiteral("--ja")));
    const std::unique_ptr<MailTransport> transport = MakeMailTransport(settings, prompter);
    ReportMailDispatcher mailer(settings, mode.test, *transport);
    const SendDataFileResult result = SendDataFileByMail(arguments.positional().front(), settings, mode,
                                                         Locale::fromEnvironment(), prompter, mailer);
    if (result.stopped) {
        err(kCancelledByUserMessage);
        return Failure;
    }
    if (!result.ok) {
        err(result.message);
        return Failure;
    }
    out(result.message);
    return Success;
}

}  // namespace telvainn::cli
