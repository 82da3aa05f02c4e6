#pragma once

#include <QDialog>
#include <QString>

#include "core/Prompter.h"
#include "ui/DesktopShell.h"

class QLabel;
class QLineEdit;

namespace telvainn::ui {

// Shows a web address when the program is not to open internet pages itself, so that the user can copy
// it to a browser, or still ask the desktop to open it.
class TfrmShowURL : public QDialog {
  public:
    TfrmShowURL(DesktopShell& shell, Prompter& prompter, QWidget* parent = nullptr);

    // The heading above the address, naming the page.
    void setInfoText(const QString& text);
    // The address without "http://", as the settings keep it.
    void setUrl(const QString& address);

  private:
    void goTo();

    DesktopShell& m_shell;
    Prompter& m_prompter;
    QLabel* m_lblInfo1 = nullptr;
    QLineEdit* m_edtURL = nullptr;
};

}  // namespace telvainn::ui
