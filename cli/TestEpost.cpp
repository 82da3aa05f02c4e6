#include "app/ProgramFolder.h"
#include "app/SelfTests.h"
#include "app/SettingsStore.h"
#include "cli/Arguments.h"
#include "cli/CommandSettings.h"
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/TerminalPrompter.h"
#include "core/Error.h"
#include "transmission/MailTransportFactory.h"

namespace telvainn::cli {
namespace {

const QString kHelp = QStringLiteral(
    "Bruk: telvainn-cli test-epost ADRESSE [NAVN] [--ja]\n"
    "\n"
    "Sender test-e-posten \"Test av TELVA Duv\" til ADRESSE (med NAVN som\n"
    "visningsnavn) slik e-postinnstillingene i telvainn.ini sier, og forteller\n"
    "om den ble tatt imot.\n"
    "\n"
    "  --ja       svar ja på spørsmålet om \"UT:\" for GroupWise-brukere\n"
    "\n"
    "Passordet til en SMTP-innlogging spørres om på terminalen, eller hentes fra\n"
    "miljøvariabelen TELVAINN_SMTP_PASSORD. Det lagres aldri.");

}  // namespace

int testEpost(const QStringList& args) {
    const Arguments arguments(args, {QStringLiteral("--ja")}, {});
    const QStringList& positional = arguments.positional();
    if (const auto end = arguments.endBeforeRun(kHelp, positional.isEmpty() || positional.size() > 2,
                                                QStringLiteral("Oppgi en adresse og eventuelt et navn."))) {
        return *end;
    }

    const std::optional<TSettings> loaded = loadCommandSettings(RunMode{});
    if (!loaded) {
        return Failure;
    }
    const TSettings& settings = *loaded;
    TerminalPrompter prompter(arguments.has(QStringLiteral("--ja")));
    const std::unique_ptr<MailTransport> transport = MakeMailTransport(settings, prompter);
    const MailSelfTest test = RunMailSelfTest(positional.front(), positional.value(1), settings.EmailSystem,
                                              settings.RecipientName, *transport, prompter);
    if (test.sent) {
        out(test.message);
        return Success;
    }
    err(test.message);
    if (!test.reason.isEmpty()) {
        err(test.reason);
    }
    return Failure;
}

}  // namespace telvainn::cli
