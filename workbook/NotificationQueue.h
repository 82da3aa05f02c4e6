#pragma once

#include <chrono>
#include <condition_variable>
#include <deque>
#include <functional>
#include <mutex>

namespace telvainn::excel {

// Hands notifications noticed on an engine thread over to the owner's thread. Posting never blocks on
// the owner, so an engine thread can post while the owner waits for that engine in a call.
class NotificationQueue {
  public:
    void post(std::function<void()> notification);
    // Runs what is pending on the calling thread, first waiting up to `wait` for something to arrive.
    int deliver(std::chrono::milliseconds wait);
    void setWaker(std::function<void()> waker);

  private:
    std::mutex m_mutex;
    std::condition_variable m_arrived;
    std::deque<std::function<void()>> m_pending;
    std::function<void()> m_waker;
};

}  // namespace telvainn::excel
