#pragma once

#include "transmission/DataFileRun.h"

class QProgressDialog;
class QWidget;

namespace telvainn::ui {

// Shows how far a flat data file run has come, once the run has lasted about a second: reports done of
// all, and the company and report handled now.
class DataFileProgressWindow {
  public:
    explicit DataFileProgressWindow(QWidget* parent);
    ~DataFileProgressWindow();
    DataFileProgressWindow(const DataFileProgressWindow&) = delete;
    DataFileProgressWindow& operator=(const DataFileProgressWindow&) = delete;

    void operator()(const DataFileProgress& progress);
    QProgressDialog* dialog() const { return m_dialog; }

  private:
    QProgressDialog* m_dialog;
};

}  // namespace telvainn::ui
