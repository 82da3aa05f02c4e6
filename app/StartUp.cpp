#include "app/StartUp.h"

#include <exception>

#include "app/CommandLine.h"
#include "app/ProgramFolder.h"
#include "app/SettingsStore.h"
#include "app/TemplateVersions.h"
#include "core/Error.h"

namespace telvainn {
namespace {

const QString kTemplatesMissingMessage = QStringLiteral(
    "Kunne ikke finne en eller flere av rapport-malene i Excel.\r\nHvis du benytter dette programmet mot "
    "Excel, må du sørge for at malene ligger i mappen \"Maler\" under mappen der denne programfila ligger.");

}  // namespace

StartUp StartProgram(const QStringList& arguments, const QString& programFolder, Prompter& prompter) {
    StartUp start;
    const std::optional<RunMode> mode = RunModeFromCommandLine(arguments, prompter);
    if (!mode) {
        start.stop = true;
        return start;
    }
    start.mode = *mode;
    start.settings.RecipientAddress =
        start.mode.test ? kDefaultTestRecipientAddress : kDefaultRecipientAddress;
    start.settings.RecipientName = kDefaultRecipientName;
    start.settings.WebActivated = false;
    try {
        start.firstRun = !LoadSettings(settingsFilePath(programFolder), start.mode, start.settings);
    } catch (const std::exception& e) {
        start.settingsError = errorText(e);
    }
    return start;
}

std::optional<QString> MissingTemplatesMessage(const QString& programFolder) {
    if (TemplatesPresent(programFolder)) {
        return std::nullopt;
    }
    return WithTemplatesFolder(kTemplatesMissingMessage, programFolder);
}

std::optional<QString> RecordTemplateVersionsAtStart(excel::Application& excel, const TSettings& settings,
                                                     const QString& programFolder, const Locale& locale) {
    if (!settings.CheckExcelOnStartup) {
        return std::nullopt;
    }
    try {
        RecordTemplateVersions(excel, programFolder, settingsFilePath(programFolder), locale);
        return std::nullopt;
    } catch (const std::exception&) {
        return WithTemplatesFolder(kTemplatesUnreachableMessage, programFolder);
    }
}

}  // namespace telvainn
