// The main window's history of sent reports.
#include "ui/TfrmHistorikk.h"
#include "ui/TfrmMain.h"

namespace telvainn::ui {

void TfrmMain::aHistorikk() {
    // One window, beside the main window, which goes on working. Closed, it keeps its filters for the
    // next time and reads the history again then.
    auto* window = static_cast<TfrmHistorikk*>(findChild<QDialog*>(QStringLiteral("TfrmHistorikk")));
    if (window == nullptr) {
        window = new TfrmHistorikk(*m_history,
                                   {&m_prompter, m_services.fileDialogs, m_services.runDialog,
                                    m_services.today, [this](qint64 id) { resendFromHistory(id); }},
                                   m_settings.Regnr, this);
    } else if (!window->isVisible()) {
        window->reload();
    }
    window->show();
    window->raise();
    window->activateWindow();
}

}  // namespace telvainn::ui
