#include "app/TVeskReports.h"

#include <exception>

#include "core/Error.h"
#include "core/FileIo.h"
#include "core/Numbers.h"
#include "core/ReportDataLines.h"
#include "transmission/BlowfishCipher.h"
#include "transmission/Envelope.h"
#include "transmission/EnvelopeCheck.h"

namespace telvainn {
namespace {

// An output written over the workbook it is made from would destroy the report.
void refuseTheWorkbookItself(const TVeskReport& report, const QString& path) {
    if (isSameFile(path, report.fileName())) {
        throw Error(ownWorkbookMessage(path));
    }
}

}  // namespace

QString ownWorkbookMessage(const QString& path) {
    return QStringLiteral("Fila \"%1\" er selve rapporten og kan ikke lagres over. Velg et annet filnavn.")
        .arg(path);
}

TVeskReports::TVeskReports(std::unique_ptr<excel::Application> excel, const TSettings& settings,
                           const RunMode& mode, const Locale& locale, Prompter& prompter,
                           const QString& programFolder)
    : m_excel(std::move(excel)),
      m_settings(settings),
      m_mode(mode),
      m_locale(locale),
      m_prompter(prompter),
      m_programFolder(programFolder) {}

TVeskReports::~TVeskReports() {
    m_report.reset();
}

ReportEnvironment TVeskReports::environment() {
    return ReportEnvironment{*m_excel, m_programFolder, m_locale, m_prompter, m_templateVersion, m_reading};
}

TVeskReport& TVeskReports::NewReport(int Rapportnr, const QString& Periode, const QString& fileName,
                                     const QString& Rapporttype) {
    ReleaseReport();
    m_report = TVeskReport::CreateNew(this, environment(), Rapportnr, Periode, Rapporttype, fileName,
                                      m_settings.Regnr, m_settings.Dsnr);
    return *m_report;
}

TVeskReport& TVeskReports::OpenReport(const QString& fileName) {
    ReleaseReport();
    m_report = TVeskReport::OpenExisting(this, environment(), fileName, m_settings.Regnr, m_settings.Dsnr);
    return *m_report;
}

void TVeskReports::ReleaseReport() {
    m_report.reset();
}

void TVeskReports::setSheetReading(SheetReading reading) {
    m_reading = reading;
    if (m_report) {
        m_report->setSheetReading(reading);
    }
}

void TVeskReports::ReportClosedByUser(TVeskReport& report) {
    if (&report != m_report.get()) {
        return;
    }
    // Forgotten before anyone hears of it, released after: the window's handler finds no report. The
    // release closes the validator's hidden template, so it must come before the count of open workbooks.
    std::unique_ptr<TVeskReport> closed = std::move(m_report);
    if (m_reportClosed) {
        m_reportClosed();
    }
    closed.reset();
    try {
        if (m_excel->WorkbookCount() == 0) {
            m_excel->SetVisible(false);
            m_excel->SetDisplayAlerts(false);
        }
    } catch (const std::exception&) {
    }
}

QByteArray TVeskReports::encryptedReportText(TVeskReport& report, QStringList& informationList) {
    const BlowfishCipher cipher;
    const QString document = trimmed(report.BuildXmlDocument(m_clock()));
    informationList = report.InformationList(m_settings.EmailSystem);
    return CheckedEncryptedReportText(informationList, document, cipher);
}

void TVeskReports::writeFile(TVeskReport& report, DepartureKind kind, const QString& path,
                             const QByteArray& bytes) {
    if (m_log == nullptr) {
        writeFileBytes(path, bytes);
        return;
    }
    const qint64 token =
        m_log->departing({kind, report.InformationList(m_settings.EmailSystem), bytes, path, {}});
    try {
        writeFileBytes(path, bytes);
    } catch (const std::exception& error) {
        m_log->departed(token, false, errorText(error));
        throw;
    }
    m_log->departed(token, true, {});
}

bool TVeskReports::SaveEncryptedReport(TVeskReport& report, const QString& path) {
    try {
        refuseTheWorkbookItself(report, path);
        QStringList informationList;
        writeFile(report, DepartureKind::EncryptedFile, path,
                  encryptedReportText(report, informationList) + "\r\n");
        return true;
    } catch (const std::exception& error) {
        LastError = errorText(error);
        return false;
    }
}

bool TVeskReports::SendReport(TVeskReport& report, ReportMailer& mailer) {
    try {
        QStringList informationList;
        const QByteArray text = encryptedReportText(report, informationList);
        return mailer.SendReportMail(informationList, text, BuildClearTextBlock(informationList));
    } catch (const std::exception& error) {
        LastError = errorText(error);
        return false;
    }
}

bool TVeskReports::WriteDataFile(TVeskReport& report, const QString& path) {
    try {
        refuseTheWorkbookItself(report, path);
        writeFile(report, DepartureKind::DataFile, path, dataFileBytes(report.BuildDataLines()));
        return true;
    } catch (const std::exception& error) {
        LastError = errorText(error);
        return false;
    }
}

}  // namespace telvainn
