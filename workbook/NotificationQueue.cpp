#include "workbook/NotificationQueue.h"

namespace telvainn::excel {

void NotificationQueue::post(std::function<void()> notification) {
    std::function<void()> waker;
    {
        const std::lock_guard lock(m_mutex);
        m_pending.push_back(std::move(notification));
        waker = m_waker;
    }
    m_arrived.notify_all();
    if (waker) {
        waker();
    }
}

int NotificationQueue::deliver(std::chrono::milliseconds wait) {
    std::deque<std::function<void()>> ready;
    {
        std::unique_lock lock(m_mutex);
        m_arrived.wait_for(lock, wait, [this] { return !m_pending.empty(); });
        ready.swap(m_pending);
    }
    // Run without the lock: a handler may close workbooks, and that may post again.
    for (auto& notification : ready) {
        notification();
    }
    return static_cast<int>(ready.size());
}

void NotificationQueue::setWaker(std::function<void()> waker) {
    const std::lock_guard lock(m_mutex);
    m_waker = std::move(waker);
}

}  // namespace telvainn::excel
