#pragma once

#include <QString>
#include <QStringList>
#include <functional>
#include <optional>

#include "cli/Arguments.h"
#include "cli/CommandHistory.h"
#include "core/Prompter.h"
#include "core/RunMode.h"
#include "core/Settings.h"

namespace telvainn::cli {

// What a flat-file command is given to run with.
struct DataFileCommandRun {
    const QString& dataFile;
    const Arguments& arguments;
    const RunMode& mode;
    const TSettings& settings;
    Prompter& prompter;
    CommandHistory& history;
};

// A flat-file command: one data file, the switches --test, --ja and `switches`, the options
// `valueOptions`, the settings of the run mode, a terminal to ask on and the history; `run` does the
// rest and gives the exit code, after which the history's warning is printed.
int runDataFileCommand(const QStringList& args, const QString& help, const QSet<QString>& switches,
                       const QSet<QString>& valueOptions,
                       const std::function<int(const DataFileCommandRun&)>& run);

// The exit code of a run that did not succeed, its reason printed; nothing when it succeeded.
std::optional<int> endOfFailedRun(bool stopped, bool ok, const QString& message);

}  // namespace telvainn::cli
