#include <QCoreApplication>

#include "cli/Commands.h"
#include "cli/Console.h"
#include "core/ProgramInfo.h"

namespace {

const QString kHelp = QStringLiteral(
    "Bruk: telvainn-cli KOMMANDO [ARGUMENTER]\n"
    "\n"
    "Kommandolinjeverktøy for TELVA inn-rapportering %1.\n"
    "\n"
    "Kommandoer:\n"
    "  krypter-datafil  les en flat datafil og lagre én kryptert fil per rapport\n"
    "  dekrypter        kontroller og dekrypter en kryptert rapport\n"
    "\n"
    "Skriv telvainn-cli KOMMANDO --help for hjelp til en kommando.\n"
    "Programmappen (med telvainn.ini) er mappen til programfila, eller\n"
    "mappen i miljøvariabelen TELVAINN_HOME.");

}  // namespace

int main(int argc, char* argv[]) {
    using namespace telvainn::cli;
    const QCoreApplication application(argc, argv);
    QCoreApplication::setApplicationName(QStringLiteral("telvainn-cli"));
    QStringList args = QCoreApplication::arguments().mid(1);
    const QString command = args.isEmpty() ? QString() : args.takeFirst();

    if (command == QLatin1String("krypter-datafil")) {
        return krypterDatafil(args);
    }
    if (command == QLatin1String("dekrypter")) {
        return dekrypter(args);
    }
    if (command == QLatin1String("--help") || command == QLatin1String("-h")) {
        out(kHelp.arg(telvainn::kProgramVersion));
        return Success;
    }
    err(command.isEmpty() ? QStringLiteral("Oppgi en kommando.")
                          : QStringLiteral("Ukjent kommando: %1").arg(command));
    err(kHelp.arg(telvainn::kProgramVersion));
    return Usage;
}
