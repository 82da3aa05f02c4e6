#pragma once

#include <QString>
#include <functional>
#include <memory>
#include <optional>

#include "app/TVeskReports.h"
#include "cli/CommandHistory.h"
#include "cli/TerminalPrompter.h"
#include "core/RunMode.h"
#include "core/Settings.h"

namespace telvainn::cli {

// What the report commands work with: the settings, the terminal's questions, and a report manager
// over a headless office.
struct ReportSession {
    TSettings settings;
    RunMode mode;
    TerminalPrompter prompter;
    std::unique_ptr<CommandHistory> history;  // before the reports, which tell it of their files
    std::unique_ptr<TVeskReports> reports;

    // The history the command's mails and files are kept in, from now on; its warning is printed when
    // the command ends.
    CommandHistory& recordSends();

    // Nothing when the settings cannot be read; the reason is printed.
    static std::unique_ptr<ReportSession> start(const RunMode& mode, bool assumeYes);

  private:
    explicit ReportSession(bool assumeYes) : prompter(assumeYes) {}
};

// The spreadsheet the commands drive, the only place the tool chooses its engine: a headless office
// of its own.
std::unique_ptr<excel::Application> startSpreadsheet();
// Whether such an office can be started and driven; it is ended again.
bool spreadsheetAvailable();

// Opens the workbook as the current report of a new session and runs `command` on it; prints why and
// returns `failureCode` when the session or the report cannot be had. The history's warning, if the
// command recorded any sends, comes last.
int withOpenReport(const QString& file, const RunMode& mode, bool assumeYes, int failureCode,
                   const std::function<int(ReportSession&, TVeskReport&)>& command);

}  // namespace telvainn::cli
