#pragma once

#include <QMainWindow>
#include <QStringList>
#include <memory>

#include "app/HistoryRecorder.h"
#include "app/RepeatedSends.h"
#include "app/SendHistory.h"
#include "app/TVeskReports.h"
#include "core/RunMode.h"
#include "core/Settings.h"
#include "ui/DesktopServices.h"

class QAction;
class QLabel;
class QPlainTextEdit;
class QToolButton;

namespace telvainn::ui {

// The program's working window: the command buttons with their labels, and the log window that shows
// the current report's log lines and what the commands add to them.
class TfrmMain : public QMainWindow {
  public:
    // Runs the start-up: the command line (`arguments` without the program name), the settings, the
    // configuration dialog when no settings file existed, and the report manager.
    TfrmMain(const QStringList& arguments, DesktopServices services, QWidget* parent = nullptr);
    ~TfrmMain() override;

    // Start-up decided that the program ends; the window is not to be shown.
    bool stopped() const { return m_stop; }
    const RunMode& runMode() const { return m_mode; }
    const TSettings& settings() const { return m_settings; }
    TVeskReports* reports() { return m_reports.get(); }
    QPlainTextEdit* logWindow() const { return m_memLogg; }
    // The history of sent reports in the program folder, held open for the whole run.
    SendHistory& history() { return *m_history; }

    // The template checks that follow the start-up; they run once the window has been painted, so that
    // a slow spreadsheet never holds up the window.
    void StartupTemplateChecks();

    // The commands.
    void aNewReport();
    void aOpenReport();
    void aValidate();
    void aSend();
    void aLagDatafil();
    void aLagre();
    void aLagre2();
    void aSendAttachment();
    void aKonfig();
    // Opens the history of sent reports, or brings the open one to the front.
    void aHistorikk();
    void aAbout();
    void aBrukerdoc();
    void btnHjemmesideClick();
    void btnPrintLogClick();
    void btnOppdaterRapportmalVersjonClick();
    // Mails the history entry's stored envelope once more, with the questions of any send, and tells
    // the outcome.
    void resendFromHistory(qint64 id);

  protected:
    void showEvent(QShowEvent* event) override;
    void closeEvent(QCloseEvent* event) override;
    void resizeEvent(QResizeEvent* event) override;

  private:
    void buildWindow();
    QAction* addCommand(const QString& name, const QString& buttonName, const QString& icon,
                        const QStringList& labels, const QString& hint, int column, int row);
    void FormShow();
    void placeLog();
    void UpdateActions();
    void ReportClosed();
    // Reads the settings file into the record; false when none existed (it is created now).
    void bringToFront();

    // Replace the log text by, or append to it, the report's or a command's lines.
    void setLog(const QStringList& lines);
    void appendLog(const QStringList& lines);
    // Releases the current report and makes `make` the new one; on failure the log is emptied and the
    // error shown.
    template <typename Make>
    bool replaceReport(Make make);
    // The save reminder of an open report: true when the command is to stop.
    bool openReportWantsSaving();
    // Asks before a new report replaces the workbook at `path`, which the file dialog did not ask about.
    bool replaceAgreed(const QString& path);
    // The mail transport of the run, made on first need and again after the settings changed.
    MailTransport& transport();
    // The repeat question of this run, asked in a message box.
    RepeatGuard repeatGuard();
    // The address the encrypted files go to, for the guidance window.
    QString guidanceAddress() const;
    // Shows the window for a link: the desktop opens the address, or the address is shown for copying.
    void showLink(const QString& address, const QString& heading);

    DesktopServices m_services;
    Prompter& m_prompter;
    RunMode m_mode;
    bool m_stop = false;
    bool m_shown = false;
    TSettings m_settings;
    std::unique_ptr<TVeskReports> m_reports;
    std::unique_ptr<SendHistory> m_history;
    std::unique_ptr<HistoryRecorder> m_recorder;
    std::unique_ptr<MailTransport> m_transport;

    QPlainTextEdit* m_memLogg = nullptr;
    QLabel* m_lblLogg = nullptr;
    QToolButton* m_btnPrintLog = nullptr;
    QAction* m_aValidate = nullptr;
    QAction* m_aSend = nullptr;
    QAction* m_aLagre = nullptr;
    QAction* m_aLagDatafil = nullptr;
};

}  // namespace telvainn::ui
