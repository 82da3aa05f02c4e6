#pragma once

#include <QDateTime>
#include <QString>
#include <functional>
#include <memory>

#include "core/Locale.h"
#include "core/Prompter.h"
#include "core/RunMode.h"
#include "core/Settings.h"
#include "core/TemplateVersion.h"
#include "report/TVeskReport.h"
#include "transmission/DepartureLog.h"
#include "transmission/ReportMail.h"
#include "workbook/Excel.h"

namespace telvainn {

// "Fila \"<path>\" er selve rapporten ...": why an output is not written over its own workbook.
QString ownWorkbookMessage(const QString& path);

// The report manager: owns the spreadsheet application and the current report (none or one), and
// carries the operations the commands of both programs call. Operations that return false leave their
// message in LastError.
class TVeskReports : public ReportOwner {
  public:
    // `settings` is the run's settings record: new and opened reports take the configured Dsnr and Regnr
    // from it when they are made. `settings` and `prompter` must outlive the manager.
    TVeskReports(std::unique_ptr<excel::Application> excel, const TSettings& settings, const RunMode& mode,
                 const Locale& locale, Prompter& prompter, const QString& programFolder);
    // Releases the current report (its workbook closed unsaved) and then the application.
    ~TVeskReports() override;
    TVeskReports(const TVeskReports&) = delete;
    TVeskReports& operator=(const TVeskReports&) = delete;

    excel::Application& excel() { return *m_excel; }
    // The template version text of the run: what every report's log and envelope shows as its template
    // version, and what the flat-file commands hold at "FLATFIL" while they run.
    TemplateVersion& templateVersion() { return m_templateVersion; }

    // Replace the current report (released first) with a new or an opened one; raise when it cannot be
    // made, and no report is current then.
    TVeskReport& NewReport(int Rapportnr, const QString& Periode, const QString& fileName,
                           const QString& Rapporttype);
    TVeskReport& OpenReport(const QString& fileName);
    void ReleaseReport();
    TVeskReport* CurrentReport() { return m_report.get(); }

    // Called, after the report is forgotten, when the user has closed the current report's workbook.
    void SetReportClosedHandler(std::function<void()> handler) { m_reportClosed = std::move(handler); }

    // Told of every encrypted file and data file written (mails are told by their mailer); none by
    // default. Must outlive the manager.
    void setDepartureLog(DepartureLog* log) { m_log = log; }

    // The report's envelope, with one CR LF after it, written whole or not at all.
    bool SaveEncryptedReport(TVeskReport& report, const QString& path);
    // Encrypts the report and mails it through `mailer`; a cancelled mail gives false with LastError
    // unchanged.
    bool SendReport(TVeskReport& report, ReportMailer& mailer);
    // The report's data lines as a plain data file, written whole or not at all.
    bool WriteDataFile(TVeskReport& report, const QString& path);

    QString LastError;

    // How validation runs and output walks read the spreadsheet.
    void setSheetReading(SheetReading reading);
    // The time the XML documents are stamped with.
    void setClock(std::function<QDateTime()> clock) { m_clock = std::move(clock); }

    void ReportClosedByUser(TVeskReport& report) override;

  private:
    ReportEnvironment environment();
    // Writes a file of the report whole, told to the departure log.
    void writeFile(TVeskReport& report, DepartureKind kind, const QString& path, const QByteArray& bytes);
    // The encrypted report text and its information list.
    QByteArray encryptedReportText(TVeskReport& report, QStringList& informationList);

    std::unique_ptr<excel::Application> m_excel;
    const TSettings& m_settings;
    RunMode m_mode;
    Locale m_locale;
    Prompter& m_prompter;
    QString m_programFolder;
    SheetReading m_reading = SheetReading::Bulk;
    TemplateVersion m_templateVersion;
    std::function<QDateTime()> m_clock = &QDateTime::currentDateTime;
    std::unique_ptr<TVeskReport> m_report;
    std::function<void()> m_reportClosed;
    DepartureLog* m_log = nullptr;
};

}  // namespace telvainn
