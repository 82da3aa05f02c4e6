#include <QCoreApplication>
#include <new>
#include <vector>

#include "cli/Commands.h"
#include "cli/Console.h"
#include "core/Error.h"
#include "core/ProgramInfo.h"
#include "core/Signals.h"

namespace {

using namespace telvainn::cli;

// One command of the tool: what the help says of it and what runs it.
struct Command {
    QString name;
    QString summary;
    bool needsOffice;  // starts the spreadsheet, so exists only in a build with it
    int (*run)(const QStringList& args);
};

// In the order the help lists them.
const std::vector<Command>& commands() {
    static const std::vector<Command> table = [] {
        std::vector<Command> all{
            {QStringLiteral("krypter-datafil"),
             QStringLiteral("les en flat datafil og lagre én kryptert fil per rapport"), false,
             &krypterDatafil},
            {QStringLiteral("dekrypter"), QStringLiteral("kontroller og dekrypter en kryptert rapport"),
             false, &dekrypter},
            {QStringLiteral("send-datafil"),
             QStringLiteral("les en flat datafil og send én kryptert e-post per rapport"), false,
             &sendDatafil},
            {QStringLiteral("test-epost"),
             QStringLiteral("send en test-e-post slik e-postinnstillingene sier"), false, &testEpost},
            {QStringLiteral("test-internett"), QStringLiteral("sjekk om programmet når en web-adresse"),
             false, &testInternett},
            {QStringLiteral("historikk"), QStringLiteral("vis historikken over sendte rapporter"), false,
             &historikk},
            {QStringLiteral("oversikt"),
             QStringLiteral("vis hva et selskap har sendt i et år, og hva som mangler"), false, &oversikt},
            {QStringLiteral("vis-sendt"), QStringLiteral("vis rapporten i en oppføring i historikken"), false,
             &visSendt},
        };
#ifdef TELVAINN_WITH_UNO
        all.insert(
            all.end(),
            {
                {QStringLiteral("versjoner"),
                 QStringLiteral("les versjonen til hver rapportmal inn i telvainn.ini"), true, &versjoner},
                {QStringLiteral("test-excel"),
                 QStringLiteral("sjekk om programmet får kontakt med regnearket"), true, &testExcel},
                {QStringLiteral("ny"), QStringLiteral("lag en ny rapport fra malen for et rapportnummer"),
                 true, &ny},
                {QStringLiteral("valider"),
                 QStringLiteral("valider en rapport og skriv ut valideringsloggen"), true, &valider},
                {QStringLiteral("lag-datafil"),
                 QStringLiteral("lagre dataene i en rapport som ukryptert datafil"), true, &lagDatafil},
                {QStringLiteral("krypter"), QStringLiteral("lagre en rapport som kryptert fil"), true,
                 &krypter},
                {QStringLiteral("send"), QStringLiteral("send en rapport som kryptert e-post"), true, &send},
            });
#endif
        return all;
    }();
    return table;
}

QString help() {
    QString listing;
    for (const Command& command : commands()) {
        listing +=
            QStringLiteral("  ") + command.name.leftJustified(17) + command.summary + QLatin1Char('\n');
    }
    return QStringLiteral(
               "Bruk: telvainn-cli KOMMANDO [ARGUMENTER]\n"
               "\n"
               "Kommandolinjeverktøy for TELVA inn-rapportering %1.\n"
               "\n"
               "Kommandoer:\n"
               "%2"
               "\n"
               "Skriv telvainn-cli KOMMANDO --help for hjelp til en kommando.\n"
               "Programmappen (med telvainn.ini) er mappen til programfila, eller\n"
               "mappen i miljøvariabelen TELVAINN_HOME.")
        .arg(telvainn::kProgramVersion, listing);
}

int runCommand(const QString& name, const QStringList& args) {
    for (const Command& command : commands()) {
        if (command.name == name) {
            return command.run(args);
        }
    }
    if (name == QLatin1String("--help") || name == QLatin1String("-h")) {
        out(help());
        return Success;
    }
    err(name.isEmpty() ? QStringLiteral("Oppgi en kommando.")
                       : QStringLiteral("Ukjent kommando: %1").arg(name));
    err(help());
    return Usage;
}

}  // namespace

int main(int argc, char* argv[]) {
    using namespace telvainn::cli;
    telvainn::setUpProcessSignals();
    const QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("telvainn-cli"));
    QStringList args = QCoreApplication::arguments().mid(1);
    const QString command = args.isEmpty() ? QString() : args.takeFirst();

    int exitCode = Failure;
    // Whatever a command did not handle ends in a message, never in an abort.
    try {
        exitCode = runCommand(command, args);
    } catch (const std::bad_alloc&) {
        err(telvainn::kOutOfMemoryMessage);
    } catch (const std::exception& error) {
        err(telvainn::errorText(error));
    }
    return finishStandardOutput(exitCode);
}
