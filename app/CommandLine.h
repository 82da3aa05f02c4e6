#pragma once

#include <QStringList>
#include <optional>

#include "core/Prompter.h"
#include "core/RunMode.h"

namespace telvainn {

// The run mode the program's arguments ask for: none, "-TEST" or "-DATAFIL" in any letter case, the two
// modes confirmed by the user. Nothing when the program is to end: a wrong argument (told as an error)
// or a mode the user did not confirm.
std::optional<RunMode> RunModeFromCommandLine(const QStringList& arguments, Prompter& prompter);

}  // namespace telvainn
