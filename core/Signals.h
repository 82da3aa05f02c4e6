#pragma once

#include <sys/types.h>
#include <csignal>

namespace telvainn {

// Helper programs started in a process group of their own (the office, a sendmail program) are
// registered here while they run, so that the program never leaves them behind.
void registerHelperGroup(pid_t group);
void unregisterHelperGroup(pid_t group);

// What both programs do with the signals of the system, set up first thing in main(): Ctrl-C (SIGINT),
// SIGTERM and SIGHUP kill every registered helper group and then end the program with the signal's
// own status; SIGXFSZ is ignored, so a write beyond a file size limit fails with its reason instead of
// killing the program without a word.
void setUpProcessSignals();

// Holds back the terminating signals while it lives, so that a helper started meanwhile is registered
// before any handler runs; a child made meanwhile calls unblockInChild() before it runs its program.
class TerminatingSignalsHeld {
  public:
    TerminatingSignalsHeld();
    ~TerminatingSignalsHeld();
    TerminatingSignalsHeld(const TerminatingSignalsHeld&) = delete;
    TerminatingSignalsHeld& operator=(const TerminatingSignalsHeld&) = delete;

    // Async-signal-safe: for a child between fork and exec. Also sets the terminating signals back to
    // their default action.
    static void unblockInChild();

  private:
    sigset_t m_old{};
};

}  // namespace telvainn
