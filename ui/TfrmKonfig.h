#pragma once

#include <QDialog>
#include <QString>
#include <functional>
#include <memory>
#include <optional>
#include <utility>

#include "app/SelfTests.h"
#include "core/Prompter.h"
#include "core/RunMode.h"
#include "core/Settings.h"
#include "transmission/MailTransport.h"

class QCheckBox;
class QComboBox;
class QLabel;
class QLineEdit;
class QPushButton;
class QRadioButton;
class QScrollArea;
class QSpinBox;

namespace telvainn::ui {

// What the dialog reaches outside itself. The desktop program passes the office availability check,
// MakeMailTransport and RunInternetSelfTest; tests pass fakes, so no test needs an office, a mail
// server or a network.
struct KonfigServices {
    Prompter& prompter;
    std::function<bool()> excelAvailable;
    std::function<std::unique_ptr<MailTransport>(const TSettings&, Prompter&)> makeTransport;
    std::function<InternetSelfTest(const QString&)> internetTest;
};

// The configuration dialog: the reporting identity, the mail system and how mail leaves this machine,
// the switches, the addresses, and the self-tests. The dialog edits a copy of the record, which the
// self-tests use as it stands; OK writes it to telvainn.ini and the caller takes it from settings() once
// the dialog is accepted, so neither a failed OK nor Avbryt touches the record the program holds.
class TfrmKonfig : public QDialog {
  public:
    TfrmKonfig(const TSettings& settings, const RunMode& mode, QString iniPath, KonfigServices services,
               QWidget* parent = nullptr);

    // Addresses are kept without their scheme; the commands that open them put "http://" in front.
    static QString RemoveHTTP(const QString& address);

    // The OK button. Checks, applies and stores the entries; accepts the dialog only when all of that
    // succeeded.
    bool LagreKonfig();

    // The dialog's record: the stored one after an accepted OK.
    const TSettings& settings() const { return m_settings; }

  private:
    void buildForm();
    QWidget* buildRapportorGroup();
    QWidget* buildEpostSystemGroup();
    QWidget* buildBrytereGroup();
    QWidget* buildUtsendingGroup();
    QWidget* buildAdresseringGroup();
    QWidget* buildTestGroup();
    void fitToScreen();
    void focusField(QWidget* field);
    void InitForm();
    void updateTransportControls();
    void applyTransport(TSettings& settings) const;
    QString chosenEmailSystem() const;
    std::optional<std::pair<QLineEdit*, QString>> unusableTransportField() const;
    bool askForDefaults();
    void normaliseAddress(QLineEdit* edit);

    void defaultMottakerClicked();
    void defaultWebLinksClicked();
    void testEMailClicked();
    void testExcelClicked();
    void testInternettClicked();

    TSettings m_settings;
    RunMode m_mode;
    QString m_iniPath;
    KonfigServices m_services;

    QLineEdit* edtDSNR = nullptr;
    QLineEdit* edtRegnr = nullptr;
    QRadioButton* rbOutlook = nullptr;
    QRadioButton* rbNotes = nullptr;
    QRadioButton* rbGroupWise = nullptr;
    QRadioButton* rbAnnet = nullptr;
    QCheckBox* chkAttachement = nullptr;
    QCheckBox* cbInternet = nullptr;
    QCheckBox* cbCheckExcelOnStartup = nullptr;
    QLineEdit* edtNavnMottaker = nullptr;
    QLineEdit* edtEpostMottaker = nullptr;
    QLineEdit* edtSupportEpost = nullptr;
    QLineEdit* edtLinkDownload = nullptr;
    QLineEdit* edtLinkBrukerDoc = nullptr;
    QPushButton* btnDefaultMottaker = nullptr;
    QPushButton* btnDefaultWebLinks = nullptr;

    QRadioButton* rbSmtp = nullptr;
    QRadioButton* rbSendmail = nullptr;
    QLineEdit* edtSmtpServer = nullptr;
    QSpinBox* spnSmtpPort = nullptr;
    QComboBox* cmbSmtpSikkerhet = nullptr;
    QLineEdit* edtSmtpBruker = nullptr;
    QLineEdit* edtAvsender = nullptr;
    QLineEdit* edtSendmailProgram = nullptr;

    QLineEdit* edtMailNavn = nullptr;
    QLineEdit* edtMailAddress = nullptr;
    QLineEdit* edtTestURL = nullptr;
    QPushButton* btnTestEMail = nullptr;
    QPushButton* btnTestExcel = nullptr;
    QPushButton* btnTestInternett = nullptr;

    QScrollArea* m_scrFelter = nullptr;
    QPushButton* btnOk = nullptr;
    QPushButton* btnAvbryt = nullptr;
};

}  // namespace telvainn::ui
