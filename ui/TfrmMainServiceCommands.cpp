// The main window's configuration, About, web links and log printing.
#include <QPlainTextEdit>

#include "app/ProgramFolder.h"
#include "core/WebAddress.h"
#include "ui/LogPrinting.h"
#include "ui/TfrmAbout.h"
#include "ui/TfrmKonfig.h"
#include "ui/TfrmMain.h"
#include "ui/TfrmShowURL.h"

namespace telvainn::ui {
void TfrmMain::aKonfig() {
    {
        TfrmKonfig dialog(m_settings, m_mode, settingsFilePath(m_services.programFolder),
                          KonfigServices{*m_services.prompter, m_services.excelAvailable,
                                         m_services.makeTransport, m_services.internetTest},
                          this);
        if (m_services.runDialog(dialog) != QDialog::Accepted) {
            return;
        }
        m_settings = dialog.settings();
    }
    m_transport.reset();
}

void TfrmMain::aAbout() {
    TfrmAbout about(m_settings, this);
    m_services.runDialog(about);
}

void TfrmMain::showLink(const QString& address, const QString& heading) {
    if (m_settings.WebActivated) {
        const QString url = webAddressUrl(address);
        if (const std::optional<QString> failure = m_services.shell->open(url)) {
            m_prompter.tell(MessageKind::Error, linkFailureText(url, *failure));
        }
        return;
    }
    TfrmShowURL window(*m_services.shell, m_prompter, this);
    window.setInfoText(heading);
    window.setUrl(address);
    m_services.runDialog(window);
}

void TfrmMain::aBrukerdoc() {
    if (m_settings.UserManualAddress.isEmpty()) {
        m_prompter.tell(
            MessageKind::Notice,
            QStringLiteral("Det er ikke angitt noen web-adresse til brukermanualen på internett i dine "
                           "konfigurasjons-innstillinger.\r\nDefault-innstilling i programmet er:\r\n") +
                kDefaultUserManualAddress);
        return;
    }
    showLink(m_settings.UserManualAddress, QStringLiteral("Brukermanualen for TELVA Derorov på internett"));
}

void TfrmMain::btnHjemmesideClick() {
    if (m_settings.DownloadAddress.isEmpty()) {
        m_prompter.tell(
            MessageKind::Notice,
            QStringLiteral("Det er ikke angitt noen web-adresse til hjemmesiden i dine "
                           "konfigurasjons-innstillinger.\r\nDefault-innstilling i programmet er:\r\n") +
                kDefaultDownloadAddress);
        return;
    }
    showLink(m_settings.DownloadAddress, QStringLiteral("Nedlastingsside for TELVA Derorov"));
}

void TfrmMain::btnPrintLogClick() {
    printLog(this, m_memLogg->toPlainText(), m_prompter, m_services.runDialog);
}

}  // namespace telvainn::ui
