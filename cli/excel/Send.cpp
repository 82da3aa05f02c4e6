#include "app/MailSystemConfirmation.h"
#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/excel/ReportSession.h"
#include "transmission/MailTransportFactory.h"
#include "transmission/ReportMailDispatcher.h"

namespace telvainn::cli {
namespace {

const QString kHelp = QStringLiteral(
    "Bruk: telvainn-cli send FIL [--test] [--ja]\n"
    "\n"
    "Åpner rapporten, krypterer den og sender den som e-post til mottakeren i\n"
    "telvainn.ini, slik e-postinnstillingene under [EPOST] sier.\n"
    "\n"
    "  --test  testmodus: testadressen (MOTTAKER_ADRESSE_TEST) og emnet\n"
    "          \"Telva test - ...\"\n"
    "  --ja    svar ja på spørsmålet om e-postsystemet\n"
    "\n"
    "Passordet til en SMTP-innlogging spørres om på terminalen, eller hentes fra\n"
    "miljøvariabelen TELVAINN_SMTP_PASSORD. Det lagres aldri.");

QString sendFailedMessage(const QString& reason) {
    return QStringLiteral("Kunne ikke sende rapporten:\r\n-> ") + reason + QStringLiteral("\r\n") +
           QStringLiteral("\r\n") +
           QStringLiteral("Hvis du ikke finner ut hvordan du kan løse problemet, kan du forsøke å lagre") +
           QStringLiteral("\r\n") +
           QStringLiteral("rapporten som kryptert fil, og sende den krypterte filen manuelt.") +
           QStringLiteral("\r\n") + QStringLiteral("\r\n") +
           QStringLiteral("Du vil få en veiledning på hvordan du gjør det når du velger å lagre") +
           QStringLiteral("\r\n") + QStringLiteral("rapporten som kryptert fil.");
}

}  // namespace

int send(const QStringList& args) {
    const Arguments arguments(args, {QStringLiteral("--test"), QStringLiteral("--ja")}, {});
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
            ReportMailDispatcher mailer(session.settings, mode.test, *transport);
            session.reports->LastError.clear();
            if (session.reports->SendReport(report, mailer)) {
                out(QStringLiteral("Rapporten ble sendt. Du vil motta en kvittering når den er lest hos ") +
                    session.settings.RecipientName + QLatin1Char('.'));
                return static_cast<int>(Success);
            }
            // A cancelled login leaves no reason behind.
            err(session.reports->LastError.isEmpty() ? kCancelledByUserMessage
                                                     : sendFailedMessage(session.reports->LastError));
            return static_cast<int>(Failure);
        });
}

}  // namespace telvainn::cli
