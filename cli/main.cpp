#include <QCoreApplication>
#include <new>

#include "cli/Commands.h"
#include "cli/Console.h"
#include "core/Error.h"
#include "core/ProgramInfo.h"
#include "core/Signals.h"

namespace {

const QString kHelp = QStringLiteral(
    "Bruk: telvainn-cli KOMMANDO [ARGUMENTER]\n"
    "\n"
    "Kommandolinjeverktøy for TELVA inn-rapportering %1.\n"
    "\n"
    "Kommandoer:\n"
    "  krypter-datafil  les en flat datafil og lagre én kryptert fil per rapport\n"
    "  dekrypter        kontroller og dekrypter en kryptert rapport\n"
    "  send-datafil     les en flat datafil og send én kryptert e-post per rapport\n"
    "  test-epost       send en test-e-post slik e-postinnstillingene sier\n"
    "  test-internett   sjekk om programmet når en web-adresse\n"
    "%2"
    "\n"
    "Skriv telvainn-cli KOMMANDO --help for hjelp til en kommando.\n"
    "Programmappen (med telvainn.ini) er mappen til programfila, eller\n"
    "mappen i miljøvariabelen TELVAINN_HOME.");

#ifdef TELVAINN_WITH_UNO
const QString kExcelCommands = QStringLiteral(
    "  versjoner        les versjonen til hver rapportmal inn i telvainn.ini\n"
    "  test-excel       sjekk om programmet får kontakt med regnearket\n"
    "  ny               lag en ny rapport fra malen for et rapportnummer\n"
    "  valider          valider en rapport og skriv ut valideringsloggen\n"
    "  lag-datafil      lagre dataene i en rapport som ukryptert datafil\n"
    "  krypter          lagre en rapport som kryptert fil\n"
    "  send             send en rapport som kryptert e-post\n");
#else
const QString kExcelCommands;
#endif

QString help() {
    return kHelp.arg(telvainn::kProgramVersion, kExcelCommands);
}

int runCommand(const QString& command, const QStringList& args) {
    using namespace telvainn::cli;
    if (command == QLatin1String("krypter-datafil")) {
        return krypterDatafil(args);
    }
    if (command == QLatin1String("dekrypter")) {
        return dekrypter(args);
    }
    if (command == QLatin1String("send-datafil")) {
        return sendDatafil(args);
    }
    if (command == QLatin1String("test-epost")) {
        return testEpost(args);
    }
    if (command == QLatin1String("test-internett")) {
        return testInternett(args);
    }
#ifdef TELVAINN_WITH_UNO
    if (command == QLatin1String("versjoner")) {
        return versjoner(args);
    }
    if (command == QLatin1String("test-excel")) {
        return testExcel(args);
    }
    if (command == QLatin1String("ny")) {
        return ny(args);
    }
    if (command == QLatin1String("valider")) {
        return valider(args);
    }
    if (command == QLatin1String("lag-datafil")) {
        return lagDatafil(args);
    }
    if (command == QLatin1String("krypter")) {
        return krypter(args);
    }
    if (command == QLatin1String("send")) {
        return send(args);
    }
#endif
    if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        out(help());
        return Success;
    }
    err(command.isEmpty() ? QStringLiteral("Oppgi en kommando.")
                          : QStringLiteral("Ukjent kommando: %1").arg(command));
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
