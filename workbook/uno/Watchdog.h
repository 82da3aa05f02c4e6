#pragma once

#include <chrono>
#include <condition_variable>
#include <functional>
#include <mutex>
#include <optional>
#include <thread>

namespace telvainn::excel::uno {

// Bounds calls that may block forever: the office's remote protocol has no time-out of its own. While
// a Bound lives, a thread of ours waits for its deadline; if the call has not returned by then, the
// thread runs the bound's action (which kills the office, and that releases the blocked call).
class Watchdog {
  public:
    Watchdog();
    ~Watchdog();
    Watchdog(const Watchdog&) = delete;
    Watchdog& operator=(const Watchdog&) = delete;

    class Bound {
      public:
        Bound(Watchdog& watchdog, std::chrono::milliseconds limit, std::function<void()> onExpiry);
        ~Bound();
        Bound(const Bound&) = delete;
        Bound& operator=(const Bound&) = delete;

      private:
        Watchdog& m_watchdog;
    };

  private:
    void run();

    std::mutex m_mutex;
    std::condition_variable m_changed;
    std::optional<std::chrono::steady_clock::time_point> m_deadline;
    std::function<void()> m_onExpiry;
    bool m_stopping = false;
    std::thread m_thread;  // last: starts once the rest is ready
};

}  // namespace telvainn::excel::uno
