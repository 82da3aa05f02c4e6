#pragma once

#include <QDateTime>
#include <QString>
#include <QStringList>
#include <functional>
#include <memory>

#include "core/Locale.h"
#include "core/Prompter.h"
#include "core/ReportIdentity.h"
#include "core/TemplateVersion.h"
#include "validation/TVeskValidator.h"
#include "workbook/Excel.h"

namespace telvainn {

class TVeskReport;

// Told when the user closes a report's workbook in the spreadsheet program.
class ReportOwner {
  public:
    virtual ~ReportOwner() = default;
    virtual void ReportClosedByUser(TVeskReport& report) = 0;
};

// What every report is made with besides its own identity.
struct ReportEnvironment {
    excel::Application& excel;
    QString programFolder;  // holds maler/r10.xls ... r60.xls
    Locale locale;
    Prompter& prompter;  // the macro failure and the save reminder
    // Set by each report's validator when it is made; its log and envelopes show it.
    TemplateVersion& templateVersion;
    SheetReading reading = SheetReading::Bulk;
};

inline const QString kSaveReminderMessage = QStringLiteral(
    "Husket du å lagre rapporten din?\r\n\r\nOm du ønsker å gå tilbake til Excel og lagre\r\nrapporten, "
    "klikker "
    "du \"Cancel\".\r\n\r\nOm du hadde lagret, eller ikke ønsker å gjøre det,\r\nklikker du \"OK\".");

// "Feilet ved kall til makro \"<macro>\" etter åpning av fila. Makroen skulle bygge opp ..."
QString macroFailureMessage(const QString& macro);

// One report workbook open in the spreadsheet program, with its identity, its report sheet, the
// validator of its template generation and the log lines of its opening or last validation. While the
// report exists its workbook is open and the user's closing of it reaches the owner.
class TVeskReport {
  public:
    // A new report from the template of its number, copied onto `fileName` (an existing file is replaced):
    // the heading written, the sheet protected and the workbook saved. Raises when anything but the
    // template's macro fails; the workbook is then closed again and no report exists.
    static std::unique_ptr<TVeskReport> CreateNew(ReportOwner* owner, const ReportEnvironment& environment,
                                                  int Rapportnr, const QString& Periode,
                                                  const QString& Rapporttype, const QString& fileName,
                                                  int Regnr, int Dsnr);
    // A report saved earlier; the identity comes from its heading (a correction form keeps `Dsnr`).
    static std::unique_ptr<TVeskReport> OpenExisting(ReportOwner* owner, const ReportEnvironment& environment,
                                                     const QString& fileName, int Regnr, int Dsnr);

    // Closes the workbook unsaved unless the user has closed it already.
    ~TVeskReport();
    TVeskReport(const TVeskReport&) = delete;
    TVeskReport& operator=(const TVeskReport&) = delete;

    // The save reminder: true when the user wants to go back to the spreadsheet (Cancel).
    bool ConfirmSaved();

    // The eight texts of the envelope's clear-text block and the mail subject.
    QStringList InformationList(const QString& mailSystem) const;

    int Dsnr() const { return m_identity.Dsnr; }
    int Regnr() const { return m_identity.Regnr; }
    int Rapportnr() const { return m_identity.Rapportnr; }
    const QString& Periode() const { return m_identity.Periode; }
    const QString& Rapporttype() const { return m_identity.Rapporttype; }
    TemplateGeneration generation() const { return m_identity.generation; }
    const QString& fileName() const { return m_fileName; }
    QString DataFileName() const;

    const QStringList& logLines() const { return m_logLines; }
    // The first line of the last validation run, where the log of that run begins.
    const QString& validationHeading() const { return m_validationHeading; }
    bool closedByUser() const { return !m_closeOnRelease; }

    // The validation run; its findings replace the log lines.
    void Validate();

    // Reads the heading into the identity and decides the generation; raises the heading messages.
    void ReadHeading();
    // Writes Dsnr, Regnr, Periode and Rapporttype into a new report's heading cells.
    void WriteHeading();
    // Walks the rows of the report sheet in build mode after reading the heading again and checking
    // it; `action` gets each kept row with its number. A row holding a cell the rules cannot use ends
    // the walk with the output's own `rowFailure` text, which names the cell.
    void WalkRows(const std::function<void(int row, const RowRecord&)>& action,
                  const std::function<QString(int row, const QString& reason)>& rowFailure);

    // The XML report document of the rows, time-stamped with `buildTime`.
    QString BuildXmlDocument(const QDateTime& buildTime = QDateTime::currentDateTime());
    // The data lines of the rows, each ended by CR LF.
    QString BuildDataLines();

    TVeskValidator* validator() { return m_validator.get(); }
    excel::Worksheet& reportSheet() { return *m_reportSheet; }
    excel::Workbook& workbook() { return *m_workbook; }
    void setSheetReading(SheetReading reading);

  private:
    TVeskReport(ReportOwner* owner, const ReportEnvironment& environment, const QString& fileName, int Regnr,
                int Dsnr);
    void routeCloseNotification();
    void callMacro(const QString& macro);
    void finishOpening(bool succeeded);

    ReportOwner* m_owner;
    ReportEnvironment m_environment;
    TReportIdentity m_identity;
    QString m_fileName;
    std::unique_ptr<excel::Workbook> m_workbook;
    std::unique_ptr<excel::Worksheet> m_reportSheet;
    std::unique_ptr<TVeskValidator> m_validator;
    bool m_closeOnRelease = true;
    QStringList m_logLines;
    QString m_validationHeading;
    std::shared_ptr<bool> m_alive = std::make_shared<bool>(true);
};

}  // namespace telvainn
