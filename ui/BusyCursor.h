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

}  // namespace telvainn::ui
