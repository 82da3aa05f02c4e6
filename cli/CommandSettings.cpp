#include "cli/CommandSettings.h"

#include "app/ProgramFolder.h"
#include "app/SettingsStore.h"
#include "cli/Console.h"
#include "core/Error.h"

namespace telvainn::cli {

std::optional<TSettings> loadCommandSettings(const RunMode& mode) {
    TSettings settings;
    try {
        LoadSettings(settingsFilePath(), mode, settings);
    } catch (const Error& e) {
        err(e.message());
        return std::nullopt;
    }
    return settings;
}

}  // namespace telvainn::cli
