// The main window's commands that save or send encrypted files: the open report saved encrypted, and a
// flat data file saved or sent one report at a time.
#include <QFrame>

#include "app/DataFileSending.h"
#include "app/FlatFileCommands.h"
#include "app/ReportCommands.h"
#include "core/ProgramInfo.h"
#include "core/ReportIdentity.h"
#include "transmission/ReportMailDispatcher.h"
#include "ui/BusyCursor.h"
#include "ui/DataFileProgressWindow.h"
#include "ui/HistoryWarnings.h"
#include "ui/TfrmKrypterteFiler.h"
#include "ui/TfrmMain.h"

namespace telvainn::ui {

QString TfrmMain::guidanceAddress() const {
    return RecipientAddressFor(m_settings.RecipientAddress, m_settings.EmailSystem);
}

void TfrmMain::aLagre() {
    TVeskReport* report = m_reports->CurrentReport();
    if (report == nullptr) {
        return;
    }
    const std::optional<QString> chosen = m_services.fileDialogs->saveFile(
        this, {QStringLiteral("Lagre rapporten som kryptert fil"), kAllFilesFilter, 1, report->DataFileName(),
               FolderKind::EncryptedFiles});
    if (!chosen) {
        return;
    }
    ReportResult saved;
    {
        const BusyCursor busy;
        saved = SaveReportEncrypted(*m_reports, *report, *chosen);
    }
    if (!saved.done()) {
        m_prompter.tell(MessageKind::Notice, saved.message);
        tellHistoryWarnings(*m_history, m_prompter);
        return;
    }
    TfrmKrypterteFiler guidance(m_prompter, *m_services.shell, this);
    guidance.SetAddress(guidanceAddress());
    guidance.SetTexts({1, kSourceSpreadsheet, 1, kProgramVersion, report->Rapporttype(),
                       QString::number(report->Rapportnr()), report->Periode(), regnrText(m_settings.Regnr),
                       dsnrText(m_settings.Dsnr), m_settings.EmailSystem, m_settings.RecipientName});
    guidance.SetFiles({{saved.path, saved.path, true}});
    m_services.runDialog(guidance);
    tellHistoryWarnings(*m_history, m_prompter);
    bringToFront();
}

void TfrmMain::aLagre2() {
    const std::optional<QString> dataFile =
        m_services.fileDialogs->openFile(this, {QStringLiteral("Velg datafil som skal behandles"),
                                                kAllFilesFilter, 1, QString(), FolderKind::DataFiles});
    if (!dataFile) {
        return;
    }
    const auto choosePathTemplate = [this]() -> std::optional<QString> {
        if (m_services.pause) {
            m_services.pause(std::chrono::milliseconds(1000));
        }
        return m_services.fileDialogs->saveFile(
            this, {QStringLiteral("Velg mappe for å lagre kryptert fil"), kAllFilesFilter, 1,
                   QStringLiteral("Filnavn"), FolderKind::EncryptedFiles});
    };
    DataFileProgressWindow progress(this);
    const SaveDataFileResult result = SaveDataFileEncrypted(
        *dataFile, choosePathTemplate, m_settings, m_mode, m_services.locale, m_prompter,
        m_reports->templateVersion(), [&progress](const DataFileProgress& step) { progress(step); },
        m_recorder.get());
    progress.finish();
    if (result.stopped) {
        return;
    }
    if (result.cancelled) {
        m_prompter.tell(MessageKind::Notice, result.message);
        return;
    }
    if (!result.ok) {
        m_prompter.tell(MessageKind::Error, result.message);
        tellHistoryWarnings(*m_history, m_prompter);
        return;
    }
    TfrmKrypterteFiler guidance(m_prompter, *m_services.shell, this);
    guidance.setWindowIcon(windowIcon());
    guidance.SetAddress(guidanceAddress());
    guidance.SetTexts({static_cast<int>(result.outputs.reports.size()), kSourceFlatFile,
                       result.outputs.companies, kProgramVersion, result.outputs.kindLetter,
                       result.outputs.reportNumber, result.outputs.Periode, result.outputs.Regnr,
                       result.outputs.Dsnr, m_settings.EmailSystem, m_settings.RecipientName});
    guidance.SetFiles(encryptedFileRows(result.outputs.reports));
    m_services.runDialog(guidance);
    tellHistoryWarnings(*m_history, m_prompter);
}

void TfrmMain::aSendAttachment() {
    const std::optional<QString> dataFile =
        m_services.fileDialogs->openFile(this, {QStringLiteral("Velg datafil som skal sendes"),
                                                kAllFilesFilter, 1, QString(), FolderKind::DataFiles});
    if (!dataFile) {
        return;
    }
    ReportMailDispatcher dispatcher(m_settings, m_mode.test, transport(), m_recorder.get());
    DataFileProgressWindow progress(this);
    const SendDataFileResult result = SendDataFileByMail(
        *dataFile, m_settings, m_mode, m_services.locale, m_prompter, dispatcher,
        m_reports->templateVersion(), [&progress](const DataFileProgress& step) { progress(step); },
        repeatGuard());
    progress.finish();
    if (result.stopped) {
        return;
    }
    m_prompter.tell(result.ok ? MessageKind::Notice : MessageKind::Error, result.message);
    tellHistoryWarnings(*m_history, m_prompter);
}

}  // namespace telvainn::ui
