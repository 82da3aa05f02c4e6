#include "app/FlatFileCommands.h"
#include "app/ProgramFolder.h"
#include "app/SettingsStore.h"
#include "cli/Arguments.h"
#include "cli/CommandSettings.h"
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/TerminalPrompter.h"
#include "core/Error.h"

namespace telvainn::cli {
namespace {

const QString kHelp = QStringLiteral(
    "Bruk: telvainn-cli krypter-datafil DATAFIL [--ut STI] [--test] [--ja]\n"
    "\n"
    "Leser en flat datafil og lagrer én kryptert fil per selskap og rapport.\n"
    "Filene kan sendes som vedlegg i e-post.\n"
    "\n"
    "  --ut STI   mal for filnavnene: filene legges i mappen til STI og får navn\n"
    "             etter den (standard: \"Filnavn\" i gjeldende mappe, som gir\n"
    "             Kryptert_fil_Periode..._RegNr..._R....txt)\n"
    "  --test     testmodus: filnavnene slutter på \"_(testfil).txt\"\n"
    "  --ja       svar ja på spørsmålet om datasentralnummeret i fila avviker\n"
    "             fra det som er konfigurert\n"
    "\n"
    "Skriver ut filene som ble lagret, én per linje.");

}  // namespace

int krypterDatafil(const QStringList& args) {
    const Arguments arguments(args, {QStringLiteral("--test"), QStringLiteral("--ja")},
                              {QStringLiteral("--ut")});
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
    const SaveDataFileResult result =
        SaveDataFileEncrypted(arguments.positional().front(),
                              arguments.value(QStringLiteral("--ut")).value_or(QStringLiteral("Filnavn")),
                              settings, mode, Locale::fromEnvironment(), prompter);
    if (result.stopped) {
        err(kCancelledByUserMessage);
        return Failure;
    }
    if (!result.ok) {
        err(result.message);
        return Failure;
    }
    bool allWritten = true;
    for (const QString& row : result.results.mid(1)) {
        if (const auto failed = failedFileRowText(row)) {
            err(*failed);
            allWritten = false;
        } else {
            out(row);
        }
    }
    return allWritten ? Success : Failure;
}

}  // namespace telvainn::cli
