// The main window's commands on one spreadsheet report.
#include <QDir>
#include <QFileDialog>
#include <QFileInfo>
#include <QPlainTextEdit>

#include "app/HistoryResend.h"
#include "app/MailSystemConfirmation.h"
#include "app/ProgramFolder.h"
#include "app/ReportCommands.h"
#include "app/TemplateVersions.h"
#include "core/Error.h"
#include "transmission/ReportMailDispatcher.h"
#include "ui/BusyCursor.h"
#include "ui/HistoryWarnings.h"
#include "ui/LogHighlight.h"
#include "ui/TfrmMain.h"
#include "ui/TfrmNewReport.h"

namespace telvainn::ui {
namespace {

// "R10-200812.xls", "R10K-200812.xls" for a correction.
QString suggestedWorkbookName(int Rapportnr, const QString& Periode, const QString& Rapporttype) {
    return QLatin1Char('R') + QString::number(Rapportnr) +
           (Rapporttype == QLatin1String("K") ? QStringLiteral("K") : QString()) + QLatin1Char('-') +
           Periode + QStringLiteral(".xls");
}

const QString kWorkbookSuffix = QStringLiteral(".xls");

}  // namespace

// Qt's own question, in the same words as the file dialog's.
bool TfrmMain::replaceAgreed(const QString& path) {
    const QString question = QFileDialog::tr("%1 already exists.\nDo you want to replace it?");
    return m_prompter.ask(MessageKind::Warning, question.arg(QFileInfo(path).fileName()), Buttons::YesNo) ==
           Answer::Yes;
}

template <typename Make>
bool TfrmMain::replaceReport(Make make) {
    m_reports->ReleaseReport();
    try {
        const BusyCursor busy;
        TVeskReport& report = make();
        setLog(report.logLines());
        return true;
    } catch (const std::exception& e) {
        m_memLogg->clear();
        m_prompter.tell(MessageKind::Error, errorText(e));
        return false;
    }
}

void TfrmMain::aNewReport() {
    if (openReportWantsSaving()) {
        return;
    }
    TfrmNewReport dialog(m_prompter, m_services.today(), this);
    if (m_services.runDialog(dialog) == QDialog::Accepted) {
        const std::optional<QString> chosen = m_services.fileDialogs->saveFile(
            this, {QStringLiteral("Lagre rapporten"), kExcelFilesFilter, 2,
                   suggestedWorkbookName(dialog.Rapportnr(), dialog.Periode(), dialog.Rapporttype()),
                   FolderKind::Reports, kWorkbookSuffix});
        const QString path = chosen ? withSuffix(*chosen, kWorkbookSuffix) : QString();
        if (chosen && (path == *chosen || !QFileInfo::exists(path) || replaceAgreed(path))) {
            replaceReport([&]() -> TVeskReport& {
                return m_reports->NewReport(dialog.Rapportnr(), dialog.Periode(), path, dialog.Rapporttype());
            });
            bringToFront();
        }
    }
    UpdateActions();
}

void TfrmMain::aOpenReport() {
    if (openReportWantsSaving()) {
        return;
    }
    const std::optional<QString> chosen =
        m_services.fileDialogs->openFile(this, {QStringLiteral("Velg tidligere skrevet rapport"),
                                                kExcelFilesFilter, 2, QString(), FolderKind::Reports});
    if (!chosen) {
        return;
    }
    if (replaceReport([&]() -> TVeskReport& { return m_reports->OpenReport(*chosen); })) {
        m_prompter.tell(
            MessageKind::Notice,
            QStringLiteral("Husk å oppdatere perioden dersom du nå skal jobbe videre på en tidligere "
                           "innsendt rapport!"));
    }
    UpdateActions();
    bringToFront();
}

void TfrmMain::aValidate() {
    TVeskReport* report = m_reports->CurrentReport();
    if (report == nullptr) {
        return;
    }
    if (const std::optional<UnvalidatedReport> skipped = WithoutValidation(report->Rapportnr())) {
        m_prompter.ask(MessageKind::Information, skipped->message, Buttons::Ok);
        appendLog(skipped->logLines);
        return;
    }
    appendLog({QStringLiteral(" "), QStringLiteral(" "), QStringLiteral("Starter validering...")});
    m_memLogg->repaint();
    {
        const BusyCursor busy;
        report->Validate();
    }
    // The user may have closed the workbook while the validation ran.
    report = m_reports->CurrentReport();
    if (report == nullptr) {
        return;
    }
    appendLog(QStringList{QStringLiteral(" ")} + report->logLines());

    highlightValidationFindings(*m_memLogg, report->validationHeading());
    bringToFront();
}

MailTransport& TfrmMain::transport() {
    if (!m_transport) {
        m_transport = m_services.makeTransport(m_settings, m_prompter);
    }
    return *m_transport;
}

RepeatGuard TfrmMain::repeatGuard() {
    return {m_history.get(), m_mode, RepeatConfirmationOf(m_prompter)};
}

void TfrmMain::resendFromHistory(qint64 id) {
    if (ConfirmMailSystem(m_settings, m_mode.test, m_prompter)) {
        ReportMailDispatcher dispatcher(m_settings, m_mode.test, transport(), m_recorder.get());
        ReportResult result;
        {
            const BusyCursor busy;
            result = ResendFromHistory(*m_history, id, dispatcher, m_mode, RepeatConfirmationOf(m_prompter),
                                       m_settings.RecipientName);
        }
        if (!result.message.isEmpty()) {
            m_prompter.tell(MessageKind::Notice, result.message);
        }
        tellHistoryWarnings(*m_history, m_prompter);
    }
}

void TfrmMain::aSend() {
    TVeskReport* report = m_reports->CurrentReport();
    if (report == nullptr) {
        return;
    }
    if (ConfirmMailSystem(m_settings, m_mode.test, m_prompter)) {
        ReportMailDispatcher dispatcher(m_settings, m_mode.test, transport(), m_recorder.get());
        ReportResult result;
        {
            const BusyCursor busy;
            result = SendOpenReport(*m_reports, *report, dispatcher, m_settings.RecipientName, repeatGuard());
        }
        // A repeat the user declined needs no word.
        if (!result.message.isEmpty()) {
            m_prompter.tell(MessageKind::Notice, result.message);
        }
        tellHistoryWarnings(*m_history, m_prompter);
    }
    bringToFront();
}

void TfrmMain::aLagDatafil() {
    TVeskReport* report = m_reports->CurrentReport();
    if (report == nullptr) {
        return;
    }
    const std::optional<QString> chosen = m_services.fileDialogs->saveFile(
        this, {QStringLiteral("Lagre rapporten som TELVA datafil"), kAllFilesFilter, 1,
               report->DataFileName(), FolderKind::DataFiles});
    if (chosen) {
        appendLog({QStringLiteral(" "), QStringLiteral(" "), QStringLiteral("Starter generering av datafil."),
                   QStringLiteral("Filnavn: ") + *chosen});
        m_memLogg->repaint();
        ReportResult result;
        {
            const BusyCursor busy;
            result = WriteReportDataFile(*m_reports, *report, *chosen);
        }
        if (result.done()) {
            appendLog({QStringLiteral(" ")});
        } else {
            m_prompter.tell(MessageKind::Notice, result.message);
            appendLog({QStringLiteral(" "), QStringLiteral("Klarte ikke å lagre rapporten")});
        }
        appendLog({QStringLiteral("Ferdig!")});
        tellHistoryWarnings(*m_history, m_prompter);
    }
    bringToFront();
}

void TfrmMain::btnOppdaterRapportmalVersjonClick() {
    try {
        {
            const BusyCursor busy;
            RecordTemplateVersions(m_reports->excel(), m_services.programFolder,
                                   settingsFilePath(m_services.programFolder), m_services.locale);
        }
        m_prompter.tell(
            MessageKind::Notice,
            QStringLiteral("Versjonsnummeret for programmet og alle rapportmalene ble lagret til fila ") +
                QDir::toNativeSeparators(QDir(m_services.programFolder).absolutePath()) + QDir::separator() +
                QStringLiteral("telvainn.ini"));
    } catch (const std::exception&) {
        m_prompter.ask(MessageKind::Error,
                       WithTemplatesFolder(kTemplatesUnreachableMessage, m_services.programFolder),
                       Buttons::Ok);
    }
    bringToFront();
}

}  // namespace telvainn::ui
