#include "cli/CommandHistory.h"

#include "app/ProgramFolder.h"
#include "cli/Console.h"

namespace telvainn::cli {

CommandHistory::CommandHistory(const RunMode& mode)
    : m_mode(mode), m_history(programFolder()), m_recorder(&m_history, mode) {}

RepeatGuard CommandHistory::repeatGuard(bool sendAgain) {
    return {&m_history, m_mode, [sendAgain](const QString& question) {
                if (!sendAgain) {
                    err(question);
                    err(QStringLiteral("Ingenting sendes igjen uten --send-igjen."));
                }
                return sendAgain;
            }};
}

int CommandHistory::finish(int exitCode) {
    const QString warning = m_history.takeWarning();
    if (!warning.isEmpty()) {
        err(warning);
    }
    return exitCode;
}

}  // namespace telvainn::cli
