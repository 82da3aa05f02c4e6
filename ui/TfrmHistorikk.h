#pragma once

#include <QDate>
#include <QDialog>
#include <QList>
#include <functional>
#include <optional>

#include "app/SendHistory.h"
#include "core/Prompter.h"
#include "ui/DialogRunner.h"
#include "ui/FileDialogs.h"

class QComboBox;
class QLineEdit;
class QPushButton;
class QTableWidget;
class QTabWidget;

namespace telvainn::ui {

class HistoryOverviewPage;

// What the history window reaches outside itself.
struct HistorikkServices {
    Prompter* prompter = nullptr;
    FileDialogs* fileDialogs = nullptr;
    // Shows an entry's content.
    DialogRunner runDialog = execDialog;
    std::function<QDate()> today = &QDate::currentDate;
    // Mails the entry's stored envelope once more, with every question and message of a send.
    std::function<void(qint64)> resend;
};

// The entries the history list fetches at a time; more come when asked for.
inline constexpr int kHistoryPageSize = 100;

// The history of sent reports: every entry, newest first, filtered and paged, with the commands that
// show, save or send an entry again and export the shown rows; and a year's overview of what a company
// has delivered.
class TfrmHistorikk : public QDialog {
  public:
    // `regnr`: the configured company, the overview's first choice.
    TfrmHistorikk(SendHistory& history, HistorikkServices services, int regnr, QWidget* parent = nullptr);
    ~TfrmHistorikk() override;

    // Reads the first page again under the current filters, and the overview.
    void reload();
    // The entries the table shows, in its order.
    const QList<HistoryRecord>& shownRecords() const { return m_records; }

  private:
    void buildListPage(QWidget* page);
    HistoryFilter filter() const;
    void fetchPage();
    void addRow(const HistoryRecord& record);
    void updateButtons();
    // The entry of the selected row, with its bytes; nothing (and the user told why) when it is gone.
    std::optional<HistoryRecord> selectedRecord();
    void tellWarnings();

    void showReport();
    void saveAgain();
    void sendAgain();
    void exportRows();

    SendHistory& m_history;
    HistorikkServices m_services;
    QList<HistoryRecord> m_records;

    QTabWidget* m_tabs = nullptr;
    QLineEdit* m_edtFraPeriode = nullptr;
    QLineEdit* m_edtTilPeriode = nullptr;
    QComboBox* m_cbRapport = nullptr;
    QComboBox* m_cbRegnr = nullptr;
    QComboBox* m_cbUtfall = nullptr;
    QTableWidget* m_grdHistorikk = nullptr;
    QPushButton* m_btnFlere = nullptr;
    QPushButton* m_btnVis = nullptr;
    QPushButton* m_btnLagre = nullptr;
    QPushButton* m_btnSend = nullptr;
    QPushButton* m_btnEksporter = nullptr;
    HistoryOverviewPage* m_overview = nullptr;
};

}  // namespace telvainn::ui
