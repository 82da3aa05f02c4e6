#include "core/Signals.h"

#include <pthread.h>
#include <atomic>

namespace telvainn {
namespace {

constexpr int kTerminatingSignals[] = {SIGINT, SIGTERM, SIGHUP};

// A fixed table of lock-free slots: the signal handler reads it, and may use nothing else.
std::atomic<pid_t> g_groups[16];
static_assert(std::atomic<pid_t>::is_always_lock_free);

sigset_t terminatingSignals() {
    sigset_t set;
    sigemptyset(&set);
    for (const int signal : kTerminatingSignals) {
        sigaddset(&set, signal);
    }
    return set;
}

void endHelpersThenSelf(int signal) {
    for (std::atomic<pid_t>& group : g_groups) {
        const pid_t pid = group.load();
        if (pid > 0) {
            ::kill(-pid, SIGKILL);
        }
    }
    // The signal is held back while its handler runs, so it lands, with its default action, right after.
    ::signal(signal, SIG_DFL);
    ::raise(signal);
}

}  // namespace

void registerHelperGroup(pid_t group) {
    for (std::atomic<pid_t>& slot : g_groups) {
        pid_t free = 0;
        if (slot.compare_exchange_strong(free, group)) {
            return;
        }
    }
}

void unregisterHelperGroup(pid_t group) {
    for (std::atomic<pid_t>& slot : g_groups) {
        pid_t registered = group;
        if (slot.compare_exchange_strong(registered, 0)) {
            return;
        }
    }
}

void setUpProcessSignals() {
    struct sigaction action {};
    action.sa_handler = &endHelpersThenSelf;
    sigemptyset(&action.sa_mask);
    for (const int signal : kTerminatingSignals) {
        sigaddset(&action.sa_mask, signal);
    }
    for (const int signal : kTerminatingSignals) {
        struct sigaction old {};
        // A signal ignored when the program started (nohup) stays ignored.
        if (::sigaction(signal, nullptr, &old) == 0 && old.sa_handler != SIG_IGN) {
            ::sigaction(signal, &action, nullptr);
        }
    }
    ::signal(SIGXFSZ, SIG_IGN);
}

TerminatingSignalsHeld::TerminatingSignalsHeld() {
    const sigset_t set = terminatingSignals();
    pthread_sigmask(SIG_BLOCK, &set, &m_old);
}

TerminatingSignalsHeld::~TerminatingSignalsHeld() {
    pthread_sigmask(SIG_SETMASK, &m_old, nullptr);
}

void TerminatingSignalsHeld::unblockInChild() {
    for (const int signal : kTerminatingSignals) {
        ::signal(signal, SIG_DFL);
    }
    const sigset_t set = terminatingSignals();
    sigprocmask(SIG_UNBLOCK, &set, nullptr);
}

}  // namespace telvainn
