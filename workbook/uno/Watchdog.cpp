#include "workbook/uno/Watchdog.h"

namespace telvainn::excel::uno {

Watchdog::Watchdog() : m_thread([this] { run(); }) {}

Watchdog::~Watchdog() {
    {
        const std::lock_guard lock(m_mutex);
        m_stopping = true;
    }
    m_changed.notify_all();
    m_thread.join();
}

Watchdog::Bound::Bound(Watchdog& watchdog, std::chrono::milliseconds limit, std::function<void()> onExpiry)
    : m_watchdog(watchdog) {
    {
        const std::lock_guard lock(watchdog.m_mutex);
        watchdog.m_deadline = std::chrono::steady_clock::now() + limit;
        watchdog.m_onExpiry = std::move(onExpiry);
    }
    watchdog.m_changed.notify_all();
}

Watchdog::Bound::~Bound() {
    {
        const std::lock_guard lock(m_watchdog.m_mutex);
        m_watchdog.m_deadline.reset();
        m_watchdog.m_onExpiry = nullptr;
    }
    m_watchdog.m_changed.notify_all();
}

void Watchdog::run() {
    std::unique_lock lock(m_mutex);
    while (!m_stopping) {
        if (!m_deadline) {
            m_changed.wait(lock);
            continue;
        }
        if (m_changed.wait_until(lock, *m_deadline) == std::cv_status::timeout && m_deadline &&
            std::chrono::steady_clock::now() >= *m_deadline) {
            auto action = std::move(m_onExpiry);
            m_deadline.reset();
            lock.unlock();
            if (action) {
                action();
            }
            lock.lock();
        }
    }
}

}  // namespace telvainn::excel::uno
