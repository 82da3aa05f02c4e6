#include "cli/DataFileCommand.h"

#include "cli/CommandSettings.h"
#include "cli/Console.h"
#include "cli/TerminalPrompter.h"

namespace telvainn::cli {

int runDataFileCommand(const QStringList& args, const QString& help, const QSet<QString>& switches,
                       const QSet<QString>& valueOptions,
                       const std::function<int(const DataFileCommandRun&)>& run) {
    const Arguments arguments(
        args, switches + QSet<QString>{QStringLiteral("--test"), QStringLiteral("--ja")}, valueOptions);
    if (const auto end = arguments.endBeforeRun(help, arguments.positional().size() != 1,
                                                QStringLiteral("Oppgi nøyaktig én datafil."))) {
        return *end;
    }
    RunMode mode;
    mode.test = arguments.has(QStringLiteral("--test"));
    const std::optional<TSettings> settings = loadCommandSettings(mode);
    if (!settings) {
        return Failure;
    }
    TerminalPrompter prompter(arguments.has(QStringLiteral("--ja")));
    CommandHistory history(mode);
    return history.finish(
        run({arguments.positional().front(), arguments, mode, *settings, prompter, history}));
}

std::optional<int> endOfFailedRun(bool stopped, bool ok, const QString& message) {
    if (stopped) {
        err(kCancelledByUserMessage);
        return Failure;
    }
    if (!ok) {
        err(message);
        return Failure;
    }
    return std::nullopt;
}

}  // namespace telvainn::cli
