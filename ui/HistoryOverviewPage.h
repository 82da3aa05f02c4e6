#pragma once

#include <QDate>
#include <QWidget>
#include <functional>

#include "app/SendHistory.h"
#include "core/Prompter.h"

class QComboBox;
class QLabel;
class QSpinBox;
class QTableWidget;

namespace telvainn::ui {

// A year of one company's reports as a grid, report numbers down and periods across, where what is due
// and not delivered stands out.
class HistoryOverviewPage : public QWidget {
  public:
    // `regnr`: the company shown first; `today` decides the year shown first and what is due. A failed
    // read is told through `prompter`.
    HistoryOverviewPage(SendHistory& history, Prompter& prompter, std::function<QDate()> today, int regnr,
                        QWidget* parent = nullptr);

    // Reads the companies and the shown year's overview again.
    void refresh();

  private:
    void fillCompanies(int wanted);
    void showOverview();

    SendHistory& m_history;
    Prompter& m_prompter;
    std::function<QDate()> m_today;
    QSpinBox* m_spnAar = nullptr;
    QComboBox* m_cbRegnr = nullptr;
    QTableWidget* m_grdOversikt = nullptr;
    QLabel* m_lblMangler = nullptr;
};

}  // namespace telvainn::ui
