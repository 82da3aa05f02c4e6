#pragma once

#include "app/HistoryRecorder.h"
#include "app/RepeatedSends.h"
#include "app/SendHistory.h"
#include "core/RunMode.h"

namespace telvainn::cli {

// The history a command that sends or saves reports keeps them in, one per command.
class CommandHistory {
  public:
    explicit CommandHistory(const RunMode& mode);

    HistoryRecorder& recorder() { return m_recorder; }
    // A report the history holds as sent goes again only with --send-igjen; without it the tool says
    // why it stops instead of asking, so a script never repeats a report unawares.
    RepeatGuard repeatGuard(bool sendAgain);
    // Prints the history's warning, if any, after everything the command said; gives `exitCode` back.
    int finish(int exitCode);

  private:
    RunMode m_mode;
    SendHistory m_history;
    HistoryRecorder m_recorder;
};

}  // namespace telvainn::cli
