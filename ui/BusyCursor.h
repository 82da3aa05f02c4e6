#pragma once

#include <QCursor>
#include <QGuiApplication>

namespace telvainn::ui {

// The wait cursor while the spreadsheet works, restored on every way out.
class BusyCursor {
  public:
    BusyCursor() { QGuiApplication::setOverrideCursor(Qt::WaitCursor); }
    ~BusyCursor() { QGuiApplication::restoreOverrideCursor(); }
    BusyCursor(const BusyCursor&) = delete;
    BusyCursor& operator=(const BusyCursor&) = delete;
};

// The ordinary pointer while a question is open in the middle of busy work (a password prompt while a
// mail is sent), so the user sees that the program waits for them; the wait cursor returns after it.
class IdleCursor {
  public:
    IdleCursor() : m_lifted(QGuiApplication::overrideCursor() != nullptr) {
        if (m_lifted) {
            QGuiApplication::setOverrideCursor(Qt::ArrowCursor);
        }
    }
    ~IdleCursor() {
        if (m_lifted) {
            QGuiApplication::restoreOverrideCursor();
        }
    }
    IdleCursor(const IdleCursor&) = delete;
    IdleCursor& operator=(const IdleCursor&) = delete;

  private:
    bool m_lifted;
};

}  // namespace telvainn::ui
