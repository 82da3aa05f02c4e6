#include "app/FlatFileCommands.h"
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/DataFileCommand.h"

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
    return runDataFileCommand(args, kHelp, {}, {QStringLiteral("--ut")}, [](const DataFileCommandRun& run) {
        // No report is made in this command, so the run's version text is its own.
        TemplateVersion templateVersion;
        const SaveDataFileResult result = SaveDataFileEncrypted(
            run.dataFile, run.arguments.value(QStringLiteral("--ut")).value_or(QStringLiteral("Filnavn")),
            run.settings, run.mode, Locale::fromEnvironment(), run.prompter, templateVersion,
            &run.history.recorder());
        if (const auto end = endOfFailedRun(result.stopped, result.ok, result.message)) {
            return *end;
        }
        bool allWritten = true;
        for (const EncryptedFileRow& row : encryptedFileRows(result.outputs.reports)) {
            if (row.ok) {
                out(row.text);
            } else {
                err(row.text);
                allWritten = false;
            }
        }
        return static_cast<int>(allWritten ? Success : Failure);
    });
}

}  // namespace telvainn::cli
