#pragma once

#include <gtest/gtest.h>

#include <QApplication>
#include <QDeadlineTimer>
#include <QDialog>
#include <QTimer>
#include <deque>
#include <functional>

namespace testsupport {

// Plays the user in the real modal windows that the code under test opens and runs with exec(). Each
// step waits until the active modal window is of its kind, then acts on it and says whether it is done
// (false: not yet, e.g. while a folder is still being read; it is asked again soon). An action that
// opens a further modal window must do so from the event loop (QTimer::singleShot), not within itself.
class ModalSteps {
  public:
    ModalSteps() : m_deadline(60000) {
        m_timer.setInterval(10);
        QObject::connect(&m_timer, &QTimer::timeout, [this] { tick(); });
        m_timer.start();
    }

    template <typename Window>
    void then(std::function<bool(Window&)> act) {
        m_steps.push_back([act = std::move(act)](QWidget& window) {
            auto* wanted = qobject_cast<Window*>(&window);
            return wanted != nullptr && act(*wanted);
        });
    }

    bool done() const { return m_steps.empty(); }

  private:
    void tick() {
        QWidget* window = QApplication::activeModalWidget();
        if (m_deadline.hasExpired()) {
            // A failure bound only: a window that never came must not hang the tests.
            if (!m_steps.empty()) {
                ADD_FAILURE() << m_steps.size() << " step(s) of the user never happened";
                m_steps.clear();
            }
            if (auto* dialog = qobject_cast<QDialog*>(window)) {
                dialog->reject();
            }
            return;
        }
        if (window != nullptr && !m_steps.empty() && m_steps.front()(*window)) {
            m_steps.pop_front();
        }
    }

    std::deque<std::function<bool(QWidget&)>> m_steps;
    QDeadlineTimer m_deadline;
    QTimer m_timer;
};

}  // namespace testsupport
