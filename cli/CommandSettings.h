#pragma once

#include <optional>

#include "core/RunMode.h"
#include "core/Settings.h"

namespace telvainn::cli {

// The settings from telvainn.ini in the program folder for a command's run mode; when they cannot be
// read, the reason is printed and nullopt returned (the command then fails).
std::optional<TSettings> loadCommandSettings(const RunMode& mode);

}  // namespace telvainn::cli
