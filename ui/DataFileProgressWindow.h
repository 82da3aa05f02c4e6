#pragma once

#include <QObject>
#include <QPointer>

#include "transmission/DataFileRun.h"

class QDialog;
class QLabel;
class QProgressBar;
class QWidget;

namespace telvainn::ui {

// Shows how far a flat data file run has come while its reports are being processed: reports done of
// all, and the company and report handled now. The window is made when the first report starts, never
// before, and steps aside whenever another dialog opens during the run (a mail server's password
// prompt, a message), so that it never covers or blocks a question; it is gone when the run ends.
class DataFileProgressWindow : public QObject {
  public:
    explicit DataFileProgressWindow(QWidget* parent);
    ~DataFileProgressWindow() override;
    DataFileProgressWindow(const DataFileProgressWindow&) = delete;
    DataFileProgressWindow& operator=(const DataFileProgressWindow&) = delete;

    void operator()(const DataFileProgress& progress);
    // Closes the window; called before the run's outcome is shown.
    void finish();
    // The window, while there is one.
    QDialog* dialog() const { return m_dialog; }
    QLabel* label() const { return m_label; }
    QProgressBar* bar() const { return m_bar; }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void make();
    bool otherDialogOpen() const;

    QWidget* m_parent;
    QPointer<QDialog> m_dialog;
    QLabel* m_label = nullptr;
    QProgressBar* m_bar = nullptr;
    bool m_stale = false;  // hidden for a question; replaced at the next report
};

}  // namespace telvainn::ui
