#include "app/MailSystemConfirmation.h"
#include "app/ReportCommands.h"
#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/excel/ReportSession.h"
#include "transmission/MailTransportFactory.h"
#include "transmission/ReportMailDispatcher.h"

namespace telvainn::cli {
namespace {

const QString kHelp = QStringLiteral(
    "Bruk: telvainn-cli send FIL [--test] [--ja] [--send-igjen]\n"
    "\n"
    "Åpner rapporten, krypterer den og sender den som e-post til mottakeren i\n"
    "telvainn.ini, slik e-postinnstillingene under [EPOST] sier.\n"
    "\n"
    "  --test  testmodus: testadressen (MOTTAKER_ADRESSE_TEST) og emnet\n"
    "          \"Telva test - ...\"\n"
    "  --ja    svar ja på spørsmålet om e-postsystemet\n"
    "  --send-igjen  send rapporten selv om historikken viser at den er sendt før\n"
    "\n"
    "Passordet til en SMTP-innlogging spørres om på terminalen, eller hentes fra\n"
    "miljøvariabelen TELVAINN_SMTP_PASSORD. Det lagres aldri.");

}  // namespace

int send(const QStringList& args) {
    const Arguments arguments(
        args, {QStringLiteral("--test"), QStringLiteral("--ja"), QStringLiteral("--send-igjen")}, {});
    if (const auto end = arguments.endBeforeRun(kHelp, arguments.positional().size() != 1,
                                                QStringLiteral("Oppgi nøyaktig én rapportfil."))) {
        return *end;
    }
    RunMode mode;
    mode.test = arguments.has(QStringLiteral("--test"));
    return withOpenReport(
        arguments.positional().front(), mode, arguments.has(QStringLiteral("--ja")), Failure,
        [&](ReportSession& session, TVeskReport& report) {
            if (!ConfirmMailSystem(session.settings, mode.test, session.prompter)) {
                err(kCancelledByUserMessage);
                return static_cast<int>(Failure);
            }
            const auto transport = MakeMailTransport(session.settings, session.prompter);
            CommandHistory& history = session.recordSends();
            ReportMailDispatcher mailer(session.settings, mode.test, *transport, &history.recorder());
            const ReportResult result =
                SendOpenReport(*session.reports, report, mailer, session.settings.RecipientName,
                               history.repeatGuard(arguments.has(QStringLiteral("--send-igjen"))));
            if (result.done()) {
                out(result.message);
                return static_cast<int>(Success);
            }
            // A repeat the tool refused has said why already.
            if (!result.message.isEmpty()) {
                err(result.message);
            }
            return static_cast<int>(Failure);
        });
}

}  // namespace telvainn::cli
