#include "app/ProgramFolder.h"
#include "app/TemplateVersions.h"
#include "cli/Arguments.h"
#include "cli/Commands.h"
#include "cli/Console.h"
#include "cli/excel/ReportSession.h"
#include "core/Error.h"
#include "core/ProfileFile.h"
#include "core/ReportCatalogue.h"

namespace telvainn::cli {
namespace {

const QString kHelp = QStringLiteral(
    "Bruk: telvainn-cli versjoner\n"
    "\n"
    "Åpner hver rapportmal i mappen \"maler\" i programmappen, leser versjonen\n"
    "(celle A1 på Base-arket) og skriver den i seksjonen VERSJONER i telvainn.ini,\n"
    "sammen med programversjonen. Skriver ut det som ble skrevet.");

void printRecordedVersions() {
    const ProfileFile file = ProfileFile::load(settingsFilePath());
    QStringList keys;
    for (const int reportNumber : kReportNumbers) {
        keys << QStringLiteral("R%1").arg(reportNumber);
    }
    keys << kProgramVersionKey;
    for (const QString& key : keys) {
        const QString value = file.readString(kVersionSection, key);
        if (!value.isEmpty()) {
            out(key + QLatin1Char('=') + value);
        }
    }
}

}  // namespace

int versjoner(const QStringList& args) {
    const Arguments arguments(args, {}, {});
    if (const auto end = arguments.endBeforeRun(kHelp, !arguments.positional().isEmpty(),
                                                QStringLiteral("versjoner tar ingen argumenter."))) {
        return *end;
    }
    int result = Success;
    try {
        const auto excel = startSpreadsheet();
        RecordTemplateVersions(*excel, programFolder(), settingsFilePath(), Locale::fromEnvironment());
    } catch (const Error& error) {
        err(error.message());
        result = Failure;
    }
    // What was read is written even when some template failed.
    printRecordedVersions();
    return result;
}

}  // namespace telvainn::cli
