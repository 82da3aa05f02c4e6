#include <gtest/gtest.h>

#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QFile>
#include <QGroupBox>
#include <QGuiApplication>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QScrollBar>
#include <QSpinBox>
#include <QTemporaryDir>
#include <memory>
#include <stdexcept>
#include <utility>
#include <vector>

#include "app/SettingsStore.h"
#include "support/RecordingMailTransport.h"
#include "support/ScriptedPrompter.h"
#include "ui/MessageBoxPrompter.h"
#include "ui/ScreenRoom.h"
#include "ui/TfrmKonfig.h"

using telvainn::Answer;
using telvainn::InternetSelfTest;
using telvainn::MailTransportKind;
using telvainn::MessageKind;
using telvainn::RunMode;
using telvainn::SmtpSecurityKind;
using telvainn::TSettings;
using telvainn::ui::TfrmKonfig;

namespace {

const QString kReporterMissing = QStringLiteral("Rapportør-informasjonen må fylles ut");
const QString kWebAddressesMissing =
    QStringLiteral("Web-adresser er ikke angitt!\r\nProgrammet kan ikke henvise til aktuelle nettsider.");
const QString kDefaultsQuestion = QStringLiteral(
    "Ønsker du å endre innholdet i disse feltene til de standard-adresser som var gjeldende da denne "
    "programversjonen ble skrevet?");

// A scripted prompter that also keeps the kind of every message and question, since the kind decides
// the icon and title the user sees.
// Whether the pointer shows the wait cursor now.
bool waitCursorShown() {
    const QCursor* cursor = QGuiApplication::overrideCursor();
    return cursor != nullptr && cursor->shape() == Qt::WaitCursor;
}

class KindPrompter : public ScriptedPrompter {
  public:
    using ScriptedPrompter::ScriptedPrompter;

    Answer ask(MessageKind kind, const QString& text, telvainn::Buttons buttons) override {
        questionKinds.push_back(kind);
        busyWhenShown.push_back(waitCursorShown());
        return ScriptedPrompter::ask(kind, text, buttons);
    }
    void tell(MessageKind kind, const QString& text) override {
        messageKinds.push_back(kind);
        busyWhenShown.push_back(waitCursorShown());
        ScriptedPrompter::tell(kind, text);
    }

    std::vector<MessageKind> questionKinds;
    std::vector<MessageKind> messageKinds;
    std::vector<bool> busyWhenShown;  // each question and message in turn
};

// A record that differs from every default, so that a control filled from a default cannot pass.
TSettings storedRecord() {
    TSettings settings;
    settings.Dsnr = 7;
    settings.Regnr = 42;
    settings.EmailSystem = QStringLiteral("GroupWise");
    settings.WebActivated = true;
    settings.RappAsAttachment = true;
    settings.CheckExcelOnStartup = true;
    settings.RecipientName = QStringLiteral("Mottakeren");
    settings.RecipientAddress = QStringLiteral("mottak@etaten.no");
    settings.SupportAddress = QStringLiteral("hjelp@etaten.no");
    settings.UserManualAddress = QStringLiteral("www.etaten.no/manual");
    settings.DownloadAddress = QStringLiteral("www.etaten.no/last-ned");
    settings.MailTransport = MailTransportKind::Sendmail;
    settings.SmtpServer = QStringLiteral("smtp.firma.no");
    settings.SmtpPort = 2525;
    settings.SmtpSecurity = SmtpSecurityKind::Tls;
    settings.SmtpUser = QStringLiteral("rapport");
    settings.SenderAddress = QStringLiteral("rapport@firma.no");
    settings.SendmailProgram = QStringLiteral("/usr/bin/msmtp -C /etc/msmtprc");
    return settings;
}

class TfrmKonfigFixture : public testing::Test {
  protected:
    void SetUp() override {
        ASSERT_TRUE(m_dir.isValid());
        iniPath = m_dir.filePath(QStringLiteral("telvainn.ini"));
    }

    TfrmKonfig& open(const RunMode& mode = RunMode{}) {
        telvainn::ui::KonfigServices services{
            prompter,
            [this] {
                busyAtWork.push_back(waitCursorShown());
                if (excelBreaks) {
                    throw telvainn::Error(QStringLiteral("Kontoret svarer ikke"));
                }
                return excelAvailable;
            },
            [this](const TSettings& used, telvainn::Prompter&) {
                transportSettings.push_back(used);
                return std::make_unique<ForwardingTransport>(transport, busyAtWork);
            },
            [this](const QString& address) {
                internetAddresses.append(address);
                busyAtWork.push_back(waitCursorShown());
                return realInternetTest ? telvainn::RunInternetSelfTest(address) : internetResult;
            },
        };
        m_dialog = std::make_unique<TfrmKonfig>(settings, mode, iniPath, std::move(services));
        return *m_dialog;
    }

    template <class Widget>
    Widget& child(const QString& name) {
        auto* widget = m_dialog->findChild<Widget*>(name);
        if (widget == nullptr) {
            throw std::runtime_error("no control " + name.toStdString());
        }
        return *widget;
    }
    QLineEdit& edit(const QString& name) { return child<QLineEdit>(name); }
    QPushButton& button(const QString& name) { return child<QPushButton>(name); }
    QRadioButton& radio(const QString& name) { return child<QRadioButton>(name); }
    QCheckBox& check(const QString& name) { return child<QCheckBox>(name); }

    // Fills every field LagreKonfig checks, so a test empties only the one it is about.
    void fillValidEntries() {
        edit(QStringLiteral("edtDSNR")).setText(QStringLiteral("123"));
        edit(QStringLiteral("edtRegnr")).setText(QStringLiteral("4567"));
        edit(QStringLiteral("edtNavnMottaker")).setText(QStringLiteral("Ny mottaker"));
        edit(QStringLiteral("edtEpostMottaker")).setText(QStringLiteral("ny@etaten.no"));
        edit(QStringLiteral("edtSupportEpost")).setText(QStringLiteral("ny-hjelp@etaten.no"));
        edit(QStringLiteral("edtLinkDownload")).setText(QStringLiteral("www.ny.no/last-ned"));
        edit(QStringLiteral("edtLinkBrukerDoc")).setText(QStringLiteral("www.ny.no/manual"));
        edit(QStringLiteral("edtSmtpServer")).setText(QStringLiteral("post.etaten.no"));
        edit(QStringLiteral("edtSendmailProgram")).setText(QStringLiteral("/usr/sbin/sendmail"));
        edit(QStringLiteral("edtAvsender")).setText(QStringLiteral("lonn@firma.no"));
    }

    bool iniWritten() const { return QFile::exists(iniPath); }

    // The transport the dialog made shares the recording of the fixture, so that every test mail of a
    // dialog ends up in one list.
    class ForwardingTransport : public telvainn::MailTransport {
      public:
        ForwardingTransport(RecordingMailTransport& target, std::vector<bool>& busy)
            : m_target(target), m_busy(busy) {}
        bool SendMail(const telvainn::MailRequest& request) override {
            m_busy.push_back(waitCursorShown());
            return m_target.SendMail(request);
        }

      private:
        RecordingMailTransport& m_target;
        std::vector<bool>& m_busy;
    };

    TSettings settings = storedRecord();
    KindPrompter prompter;
    QString iniPath;
    bool excelAvailable = false;
    bool excelBreaks = false;
    RecordingMailTransport transport;
    std::vector<TSettings> transportSettings;
    QStringList internetAddresses;
    std::vector<bool> busyAtWork;  // whether each self-test's work ran under the wait cursor
    InternetSelfTest internetResult;
    bool realInternetTest = false;  // only for addresses that need no network

  private:
    QTemporaryDir m_dir;
    std::unique_ptr<TfrmKonfig> m_dialog;
};

// ----------------------------------------------------------------------------------------------------
// The form as it opens

using TfrmKonfigForm = TfrmKonfigFixture;

TEST_F(TfrmKonfigForm, ShowsTheRecordWithTheIdentityZeroPadded) {
    TfrmKonfig& dialog = open();

    EXPECT_EQ(dialog.objectName(), QStringLiteral("TfrmKonfig"));
    EXPECT_EQ(dialog.windowTitle(), QStringLiteral("Konfigurasjon"));
    EXPECT_EQ(edit(QStringLiteral("edtDSNR")).displayText(), QStringLiteral("007"));
    EXPECT_EQ(edit(QStringLiteral("edtRegnr")).displayText(), QStringLiteral("0042"));
    EXPECT_TRUE(radio(QStringLiteral("rbGroupWise")).isChecked());
    EXPECT_TRUE(check(QStringLiteral("chkAttachement")).isChecked());
    EXPECT_TRUE(check(QStringLiteral("cbInternet")).isChecked());
    EXPECT_TRUE(check(QStringLiteral("cbCheckExcelOnStartup")).isChecked());
    EXPECT_EQ(edit(QStringLiteral("edtNavnMottaker")).text(), QStringLiteral("Mottakeren"));
    EXPECT_EQ(edit(QStringLiteral("edtEpostMottaker")).text(), QStringLiteral("mottak@etaten.no"));
    EXPECT_EQ(edit(QStringLiteral("edtSupportEpost")).text(), QStringLiteral("hjelp@etaten.no"));
    EXPECT_EQ(edit(QStringLiteral("edtLinkDownload")).text(), QStringLiteral("www.etaten.no/last-ned"));
    EXPECT_EQ(edit(QStringLiteral("edtLinkBrukerDoc")).text(), QStringLiteral("www.etaten.no/manual"));
    // The self-test fields are never stored, so they start empty.
    EXPECT_EQ(edit(QStringLiteral("edtMailNavn")).text(), QString());
    EXPECT_EQ(edit(QStringLiteral("edtMailAddress")).text(), QString());
    EXPECT_EQ(edit(QStringLiteral("edtTestURL")).text(), QString());
}

TEST_F(TfrmKonfigForm, SwitchesOffStayOff) {
    settings.WebActivated = false;
    settings.RappAsAttachment = false;
    settings.CheckExcelOnStartup = false;
    open();

    EXPECT_FALSE(check(QStringLiteral("chkAttachement")).isChecked());
    EXPECT_FALSE(check(QStringLiteral("cbInternet")).isChecked());
    EXPECT_FALSE(check(QStringLiteral("cbCheckExcelOnStartup")).isChecked());
}

TEST_F(TfrmKonfigForm, ChecksTheMailSystemComparedWithoutLetterCase) {
    const std::vector<std::pair<QString, QString>> cases = {
        {QStringLiteral("annet"), QStringLiteral("rbAnnet")},
        {QStringLiteral("Annet"), QStringLiteral("rbAnnet")},
        {QStringLiteral("groupwise"), QStringLiteral("rbGroupWise")},
        {QStringLiteral("Lotus Notes"), QStringLiteral("rbNotes")},
        {QStringLiteral("LOTUS NOTES"), QStringLiteral("rbNotes")},
        {QStringLiteral("Microsoft Outlook/Exchange"), QStringLiteral("rbOutlook")},
        {QString(), QStringLiteral("rbOutlook")},
        {QStringLiteral("Thunderbird"), QStringLiteral("rbOutlook")},
        {QStringLiteral(" Annet"), QStringLiteral("rbOutlook")},
    };
    const QStringList radios = {QStringLiteral("rbOutlook"), QStringLiteral("rbNotes"),
                                QStringLiteral("rbGroupWise"), QStringLiteral("rbAnnet")};
    for (const auto& [stored, expected] : cases) {
        settings.EmailSystem = stored;
        open();
        for (const QString& name : radios) {
            EXPECT_EQ(radio(name).isChecked(), name == expected)
                << stored.toStdString() << " " << name.toStdString();
        }
    }
}

TEST_F(TfrmKonfigForm, ShowsTheMailTransportAndEnablesOnlyItsFields) {
    open();

    EXPECT_TRUE(radio(QStringLiteral("rbSendmail")).isChecked());
    EXPECT_FALSE(radio(QStringLiteral("rbSmtp")).isChecked());
    EXPECT_EQ(edit(QStringLiteral("edtSmtpServer")).text(), QStringLiteral("smtp.firma.no"));
    EXPECT_EQ(child<QSpinBox>(QStringLiteral("spnSmtpPort")).value(), 2525);
    EXPECT_EQ(child<QComboBox>(QStringLiteral("cmbSmtpSikkerhet")).currentText(), QStringLiteral("TLS"));
    EXPECT_EQ(edit(QStringLiteral("edtSmtpBruker")).text(), QStringLiteral("rapport"));
    EXPECT_EQ(edit(QStringLiteral("edtAvsender")).text(), QStringLiteral("rapport@firma.no"));
    EXPECT_EQ(edit(QStringLiteral("edtSendmailProgram")).text(),
              QStringLiteral("/usr/bin/msmtp -C /etc/msmtprc"));

    EXPECT_FALSE(edit(QStringLiteral("edtSmtpServer")).isEnabled());
    EXPECT_FALSE(child<QComboBox>(QStringLiteral("cmbSmtpSikkerhet")).isEnabled());
    EXPECT_TRUE(edit(QStringLiteral("edtSendmailProgram")).isEnabled());
    EXPECT_TRUE(edit(QStringLiteral("edtAvsender")).isEnabled());

    radio(QStringLiteral("rbSmtp")).click();
    EXPECT_TRUE(edit(QStringLiteral("edtSmtpServer")).isEnabled());
    EXPECT_TRUE(child<QSpinBox>(QStringLiteral("spnSmtpPort")).isEnabled());
    EXPECT_TRUE(child<QComboBox>(QStringLiteral("cmbSmtpSikkerhet")).isEnabled());
    EXPECT_TRUE(edit(QStringLiteral("edtSmtpBruker")).isEnabled());
    EXPECT_FALSE(edit(QStringLiteral("edtSendmailProgram")).isEnabled());
    EXPECT_TRUE(edit(QStringLiteral("edtAvsender")).isEnabled());
}

// On a screen smaller than the dialog (the offscreen one is 800 x 800) the dialog stays within the
// screen, "Ok" and "Avbryt" inside it, and the fields scroll.
TEST_F(TfrmKonfigForm, FitsTheScreenWithItsButtonsAndScrollsTheFields) {
    TfrmKonfig& dialog = open();
    dialog.show();
    QCoreApplication::sendPostedEvents();
    const QSize room = telvainn::ui::windowRoom(&dialog);
    ASSERT_LT(room.width(), 1000) << "the test wants a screen narrower than the dialog's fields";
    EXPECT_LE(dialog.width(), room.width());
    EXPECT_LE(dialog.height(), room.height());
    for (const QString& name : {QStringLiteral("btnOk"), QStringLiteral("btnAvbryt")}) {
        const QPushButton& shown = button(name);
        EXPECT_TRUE(dialog.rect().contains(QRect(shown.mapTo(&dialog, QPoint(0, 0)), shown.size())))
            << name.toStdString();
    }
    auto& fields = child<QScrollArea>(QStringLiteral("scrFelter"));
    EXPECT_GT(fields.horizontalScrollBar()->maximum(), 0);

    // A field that OK refuses is scrolled into sight with the focus, even from the far side.
    fillValidEntries();
    radio(QStringLiteral("rbSmtp")).click();
    edit(QStringLiteral("edtSmtpServer")).clear();
    fields.horizontalScrollBar()->setValue(0);
    EXPECT_FALSE(dialog.LagreKonfig());
    const QLineEdit& server = edit(QStringLiteral("edtSmtpServer"));
    EXPECT_EQ(dialog.focusWidget(), &server);
    EXPECT_TRUE(fields.viewport()->rect().contains(
        QRect(server.mapTo(fields.viewport(), QPoint(0, 0)), server.size())));
}

// A field's label greys with the field, both ways.
TEST_F(TfrmKonfigForm, LabelsOfTheTransportFieldsFollowTheirFields) {
    TfrmKonfig& dialog = open();
    const auto labelOf = [&](const QString& field) -> QLabel* {
        for (QLabel* label : dialog.findChildren<QLabel*>()) {
            if (label->buddy() != nullptr && label->buddy()->objectName() == field) {
                return label;
            }
        }
        return nullptr;
    };
    const QStringList smtpFields{QStringLiteral("edtSmtpServer"), QStringLiteral("spnSmtpPort"),
                                 QStringLiteral("cmbSmtpSikkerhet"), QStringLiteral("edtSmtpBruker")};
    for (const bool smtp : {false, true, false}) {
        radio(smtp ? QStringLiteral("rbSmtp") : QStringLiteral("rbSendmail")).click();
        for (const QString& field : smtpFields) {
            ASSERT_NE(labelOf(field), nullptr) << field.toStdString();
            EXPECT_EQ(labelOf(field)->isEnabled(), smtp) << field.toStdString();
        }
        EXPECT_EQ(labelOf(QStringLiteral("edtSendmailProgram"))->isEnabled(), !smtp);
        EXPECT_TRUE(labelOf(QStringLiteral("edtAvsender"))->isEnabled());
    }
}

TEST_F(TfrmKonfigForm, CarriesTheFixedTextsAndHints) {
    TfrmKonfig& dialog = open();

    QStringList groupTitles;
    for (const QGroupBox* group : dialog.findChildren<QGroupBox*>()) {
        groupTitles.append(group->title());
    }
    for (const QString& title :
         {QStringLiteral(" Rapportør  "), QStringLiteral(" E-post system  "),
          QStringLiteral(" Adressering  "), QStringLiteral(" Brytere "), QStringLiteral(" Test din PC  ")}) {
        EXPECT_TRUE(groupTitles.contains(title)) << title.toStdString();
    }

    QStringList labels;
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        labels.append(label->text());
    }
    const QStringList fixedLabels = {
        QStringLiteral("Angi datasentralnr som du rapporterer for, og ditt registreringsnr."),
        QStringLiteral("&Datasentralnummer (XXX)"),
        QStringLiteral("&Registeringsnummer (XXXX)"),
        QStringLiteral("Angi hvilket e-post system du benytter."),
        QStringLiteral("Her fylles inn informasjon om navn og adressering."),
        QStringLiteral("Her fylles inn web-adresser som programmet benytter seg av."),
        QStringLiteral("Aktiverer internett-linkene i programmet.\r\nHvis internett-aksess er 'av', så vil "
                       "programmet la deg kopiere aktuelle web-adresser over til din nettleser."),
        QStringLiteral("Navn på mottaker (vises i programmets tittelfelt):"),
        QStringLiteral("E-postadresse til rapportenes mottaker:"),
        QStringLiteral("E-postadresse til TELVA Duv forvaltning:"),
        QStringLiteral("Web-adresse for TELVA Duv (nedlasting):"),
        QStringLiteral("Web-adresse for brukerveiledning:"),
        QStringLiteral(
            "Nedenfor kan du teste internet-tilknytningen fra din maskin.\r\nSelv om du har "
            "internet-tilgang fra andre programmer, kan det hende at dette programmet ikke klarer å "
            "nå ut på Internet."),
        QStringLiteral("&Navn"),
        QStringLiteral("Din e-post&adresse"),
        QStringLiteral("Denne informasjonen er i bruk når man klikker knappen 'E-Mail'\r\nnedenfor. Den har "
                       "ellers ingen betydning for programmet."),
        QStringLiteral("Test PC-ens tilknytning til E-postsystemet"),
        QStringLiteral("Test PC-ens tilknytning til Excel"),
        QStringLiteral("Test PC-ens tilknytning til Internett"),
        QStringLiteral("For å teste internett-tilkoblingen kan du her angi en gyldig web-adresse som du kan "
                       "forsøke å koble deg til.\r\nKlikk deretter knappen \"Internett\"."),
        QStringLiteral("Gyldig web-adresse"),
    };
    for (const QString& text : fixedLabels) {
        EXPECT_TRUE(labels.contains(telvainn::ui::screenText(text))) << text.toStdString();
    }
    // A "\r\n" shows as a single line break, never as two.
    EXPECT_TRUE(
        labels.contains(QStringLiteral("Denne informasjonen er i bruk når man klikker knappen "
                                       "'E-Mail'\nnedenfor. Den har ellers ingen betydning for "
                                       "programmet.")));

    // Mnemonics of the identity and test labels lead to their edits.
    for (const QLabel* label : dialog.findChildren<QLabel*>()) {
        if (label->text() == QStringLiteral("&Datasentralnummer (XXX)")) {
            EXPECT_EQ(label->buddy(), &edit(QStringLiteral("edtDSNR")));
        } else if (label->text() == QStringLiteral("&Registeringsnummer (XXXX)")) {
            EXPECT_EQ(label->buddy(), &edit(QStringLiteral("edtRegnr")));
        } else if (label->text() == QStringLiteral("Din e-post&adresse")) {
            EXPECT_EQ(label->buddy(), &edit(QStringLiteral("edtMailAddress")));
        }
    }

    EXPECT_EQ(radio(QStringLiteral("rbOutlook")).text(), QStringLiteral("Microsoft Outlook/Exchange"));
    EXPECT_EQ(radio(QStringLiteral("rbNotes")).text(), QStringLiteral("Lotus Notes"));
    EXPECT_EQ(radio(QStringLiteral("rbGroupWise")).text(), QStringLiteral("GroupWise"));
    EXPECT_EQ(radio(QStringLiteral("rbAnnet")).text(), QStringLiteral("Annet"));
    EXPECT_EQ(check(QStringLiteral("chkAttachement")).text(),
              QStringLiteral("Send rapport som vedlegg til mail."));
    EXPECT_EQ(check(QStringLiteral("cbInternet")).text(), QStringLiteral("Internett-aksess (av/på)"));
    EXPECT_EQ(check(QStringLiteral("cbCheckExcelOnStartup")).text(),
              QStringLiteral("Test kommunikasjon med Excel ved oppstart."));

    EXPECT_EQ(edit(QStringLiteral("edtDSNR")).toolTip(), QStringLiteral("Benytt 3 siffer"));
    EXPECT_EQ(edit(QStringLiteral("edtRegnr")).toolTip(), QStringLiteral("Benytt 4 siffer"));
    for (const QString& name : {QStringLiteral("btnDefaultMottaker"), QStringLiteral("btnDefaultWebLinks")}) {
        EXPECT_EQ(button(name).text(), QStringLiteral("?"));
        EXPECT_EQ(button(name).toolTip(),
                  QStringLiteral("Velg standard-adresser for da denne versjonen ble skrevet"));
    }
    EXPECT_EQ(button(QStringLiteral("btnTestEMail")).text(), QStringLiteral("E-&Mail"));
    EXPECT_EQ(button(QStringLiteral("btnTestEMail")).toolTip(),
              QStringLiteral("Sender en mail til deg selv"));
    EXPECT_EQ(button(QStringLiteral("btnTestExcel")).text(), QStringLiteral("&Excel"));
    EXPECT_EQ(button(QStringLiteral("btnTestExcel")).toolTip(),
              QStringLiteral("Sjekker om programmet får kontakt med Excel"));
    EXPECT_EQ(button(QStringLiteral("btnTestInternett")).text(), QStringLiteral("&Internett"));
    EXPECT_EQ(button(QStringLiteral("btnTestInternett")).toolTip(),
              QStringLiteral("Sjekker om programmet når ut på internett"));
    EXPECT_EQ(button(QStringLiteral("btnOk")).text(), QStringLiteral("&Ok"));
    EXPECT_TRUE(button(QStringLiteral("btnOk")).isDefault());
    EXPECT_EQ(button(QStringLiteral("btnAvbryt")).text(), QStringLiteral("&Avbryt"));
}

TEST_F(TfrmKonfigForm, IdentityEditsTakeAtMostThreeAndFourCharacters) {
    open();
    QLineEdit& dsnr = edit(QStringLiteral("edtDSNR"));
    QLineEdit& regnr = edit(QStringLiteral("edtRegnr"));

    dsnr.setText(QStringLiteral("12345"));
    regnr.setText(QStringLiteral("123456"));
    EXPECT_EQ(dsnr.displayText(), QStringLiteral("123"));
    EXPECT_EQ(regnr.displayText(), QStringLiteral("1234"));

    // Letters are refused; blanks stay where they were typed.
    dsnr.setText(QStringLiteral("a1b"));
    EXPECT_EQ(dsnr.displayText().trimmed(), QStringLiteral("1"));
    regnr.setText(QStringLiteral("1 2"));
    EXPECT_EQ(regnr.displayText(), QStringLiteral("1 2 "));
}

// ----------------------------------------------------------------------------------------------------
// OK: checks in order, then the file

using TfrmKonfigLagre = TfrmKonfigFixture;

TEST_F(TfrmKonfigLagre, EmptyIdentityFocusesTheFirstEmptyEditBeforeAnyOtherCheck) {
    TfrmKonfig& dialog = open();
    dialog.show();
    fillValidEntries();
    edit(QStringLiteral("edtDSNR")).setText(QStringLiteral("   "));
    edit(QStringLiteral("edtRegnr")).clear();

    button(QStringLiteral("btnOk")).click();
    EXPECT_EQ(prompter.messages, QStringList{kReporterMissing});
    EXPECT_EQ(prompter.messageKinds, std::vector<MessageKind>{MessageKind::Notice});
    EXPECT_EQ(dialog.focusWidget(), &edit(QStringLiteral("edtDSNR")));

    // Regnr empty with the addresses empty too: the identity is still what is reported, and Regnr is
    // the edit that gets the focus.
    prompter.messages.clear();
    edit(QStringLiteral("edtDSNR")).setText(QStringLiteral("123"));
    edit(QStringLiteral("edtNavnMottaker")).clear();
    edit(QStringLiteral("edtEpostMottaker")).clear();
    edit(QStringLiteral("edtSupportEpost")).clear();
    edit(QStringLiteral("edtNavnMottaker")).setFocus();
    EXPECT_FALSE(dialog.LagreKonfig());
    EXPECT_EQ(prompter.messages, QStringList{kReporterMissing});
    EXPECT_EQ(dialog.focusWidget(), &edit(QStringLiteral("edtRegnr")));

    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(iniWritten());
    EXPECT_EQ(settings.RecipientName, QStringLiteral("Mottakeren"));
}

TEST_F(TfrmKonfigLagre, MissingAddressesAreReportedOneAtATimeInOrder) {
    TfrmKonfig& dialog = open();
    fillValidEntries();
    edit(QStringLiteral("edtNavnMottaker")).clear();
    edit(QStringLiteral("edtEpostMottaker")).clear();
    edit(QStringLiteral("edtSupportEpost")).clear();

    EXPECT_FALSE(dialog.LagreKonfig());
    EXPECT_EQ(prompter.messages, QStringList{QStringLiteral("Navn på mottaker er ikke angitt!")});
    EXPECT_EQ(settings.RecipientName, QStringLiteral("Mottakeren"));

    // Each accepted entry is in the dialog's record, which the self-tests use, before the next check
    // fails; the caller's record and the file stay as they were.
    edit(QStringLiteral("edtNavnMottaker")).setText(QStringLiteral(" Ny mottaker "));
    EXPECT_FALSE(dialog.LagreKonfig());
    EXPECT_EQ(prompter.messages.last(), QStringLiteral("E-post adresse til mottaker er ikke angitt!"));
    EXPECT_EQ(dialog.settings().RecipientName, QStringLiteral(" Ny mottaker "));
    EXPECT_EQ(dialog.settings().RecipientAddress, QStringLiteral("mottak@etaten.no"));

    edit(QStringLiteral("edtEpostMottaker")).setText(QStringLiteral("ny@etaten.no"));
    EXPECT_FALSE(dialog.LagreKonfig());
    EXPECT_EQ(prompter.messages.last(),
              QStringLiteral("E-post adresse til Telva Duv forvaltning er ikke angitt!"));
    EXPECT_EQ(dialog.settings().RecipientAddress, QStringLiteral("ny@etaten.no"));
    EXPECT_EQ(dialog.settings().SupportAddress, QStringLiteral("hjelp@etaten.no"));
    EXPECT_EQ(settings.RecipientName, QStringLiteral("Mottakeren"));
    EXPECT_EQ(settings.RecipientAddress, QStringLiteral("mottak@etaten.no"));

    EXPECT_EQ(prompter.messages.size(), 3);
    EXPECT_EQ(prompter.messageKinds, std::vector<MessageKind>(3, MessageKind::Notice));
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(iniWritten());
}

TEST_F(TfrmKonfigLagre, MailSettingsThatCannotSendAreRefusedAtTheirFieldInTheDialogsOrder) {
    settings = TSettings{};
    TfrmKonfig& dialog = open();
    dialog.show();
    fillValidEntries();
    radio(QStringLiteral("rbSmtp")).click();
    edit(QStringLiteral("edtSmtpServer")).setText(QStringLiteral("  "));
    edit(QStringLiteral("edtSmtpBruker")).setText(QStringLiteral("ola"));
    edit(QStringLiteral("edtAvsender")).clear();
    const auto refusedAt = [&](const QString& field, const QString& message) {
        SCOPED_TRACE(field.toStdString());
        prompter.messages.clear();
        edit(QStringLiteral("edtDSNR")).setFocus();
        EXPECT_FALSE(dialog.LagreKonfig());
        EXPECT_EQ(prompter.messages, QStringList{message});
        EXPECT_EQ(dialog.focusWidget(), &edit(field));
        EXPECT_TRUE(dialog.isVisible());
        EXPECT_FALSE(iniWritten());
    };

    refusedAt(QStringLiteral("edtSmtpServer"), QStringLiteral("SMTP-server er ikke angitt!"));
    edit(QStringLiteral("edtSmtpServer")).setText(QStringLiteral("post.etaten.no"));
    const QString senderMissing = QStringLiteral(
        "Avsenderadresse er ikke angitt!\r\nE-post-serveren tar bare imot e-post med en avsender.");
    refusedAt(QStringLiteral("edtAvsender"), senderMissing);
    edit(QStringLiteral("edtAvsender")).setText(QStringLiteral("lønn kontoret@firma.no"));
    refusedAt(QStringLiteral("edtAvsender"),
              QStringLiteral("Avsenderadressen <lønn kontoret@firma.no> er ikke en gyldig e-postadresse."));

    // The sendmail program sends for the machine's own user, so no sender is needed there; the
    // program itself is.
    edit(QStringLiteral("edtAvsender")).clear();
    radio(QStringLiteral("rbSendmail")).click();
    edit(QStringLiteral("edtSendmailProgram")).clear();
    refusedAt(QStringLiteral("edtSendmailProgram"), QStringLiteral("Sendmail-program er ikke angitt!"));

    // The transport comes after the recipient's fields, as it does in the dialog.
    edit(QStringLiteral("edtSupportEpost")).clear();
    refusedAt(QStringLiteral("edtSupportEpost"),
              QStringLiteral("E-post adresse til Telva Duv forvaltning er ikke angitt!"));
    edit(QStringLiteral("edtSupportEpost")).setText(QStringLiteral("ny-hjelp@etaten.no"));

    edit(QStringLiteral("edtSendmailProgram")).setText(QStringLiteral("/usr/sbin/sendmail"));
    prompter.messages.clear();
    EXPECT_TRUE(dialog.LagreKonfig());
    EXPECT_EQ(prompter.messages, QStringList());
    EXPECT_TRUE(iniWritten());
}

TEST_F(TfrmKonfigLagre, AnAddressLikeLoginServesAsTheSmtpSender) {
    settings = TSettings{};
    TfrmKonfig& dialog = open();
    fillValidEntries();
    radio(QStringLiteral("rbSmtp")).click();
    edit(QStringLiteral("edtAvsender")).clear();
    edit(QStringLiteral("edtSmtpBruker")).setText(QStringLiteral("ola@firma.no"));
    EXPECT_TRUE(dialog.LagreKonfig());
    EXPECT_EQ(prompter.messages, QStringList());
}

TEST_F(TfrmKonfigLagre, IdentityThatIsNoNumberIsAnErrorAndKeepsTheDialogOpen) {
    TfrmKonfig& dialog = open();
    dialog.show();
    fillValidEntries();
    edit(QStringLiteral("edtDSNR")).setText(QStringLiteral("1 2"));

    button(QStringLiteral("btnOk")).click();
    EXPECT_EQ(prompter.messages, QStringList{QStringLiteral("\"1 2\" er ikke et gyldig heltall.")});
    EXPECT_EQ(prompter.messageKinds, std::vector<MessageKind>{MessageKind::Error});
    EXPECT_TRUE(dialog.isVisible());
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(iniWritten());
    EXPECT_EQ(settings.Dsnr, 7);
    EXPECT_EQ(settings.Regnr, 42);

    prompter.messages.clear();
    edit(QStringLiteral("edtDSNR")).setText(QStringLiteral("123"));
    edit(QStringLiteral("edtRegnr")).setText(QStringLiteral("45 6"));
    EXPECT_FALSE(dialog.LagreKonfig());
    EXPECT_EQ(prompter.messages, QStringList{QStringLiteral("\"45 6\" er ikke et gyldig heltall.")});
    EXPECT_FALSE(iniWritten());
}

TEST_F(TfrmKonfigLagre, RefusedWriteIsAnErrorWithThePath) {
    iniPath += QStringLiteral("/mangler/telvainn.ini");
    TfrmKonfig& dialog = open();
    fillValidEntries();

    EXPECT_FALSE(dialog.LagreKonfig());
    EXPECT_EQ(prompter.messages, QStringList{QStringLiteral("Unable to write to ") + iniPath});
    EXPECT_EQ(prompter.messageKinds, std::vector<MessageKind>{MessageKind::Error});
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
}

TEST_F(TfrmKonfigLagre, EmptyWebAddressesAreReportedAndStillSaved) {
    TfrmKonfig& dialog = open();
    fillValidEntries();
    edit(QStringLiteral("edtLinkDownload")).clear();
    edit(QStringLiteral("edtLinkBrukerDoc")).clear();

    button(QStringLiteral("btnOk")).click();
    EXPECT_EQ(prompter.messages, QStringList{kWebAddressesMissing});
    EXPECT_EQ(prompter.messageKinds, std::vector<MessageKind>{MessageKind::Information});
    EXPECT_EQ(dialog.result(), QDialog::Accepted);

    TSettings stored;
    ASSERT_TRUE(telvainn::LoadSettings(iniPath, RunMode{}, stored));
    EXPECT_EQ(stored.DownloadAddress, QString());
    EXPECT_EQ(stored.UserManualAddress, QString());
    EXPECT_EQ(stored.Dsnr, 123);
}

TEST_F(TfrmKonfigLagre, OneEmptyWebAddressIsReportedToo) {
    TfrmKonfig& dialog = open();
    fillValidEntries();
    edit(QStringLiteral("edtLinkBrukerDoc")).clear();

    EXPECT_TRUE(dialog.LagreKonfig());
    EXPECT_EQ(prompter.messages, QStringList{kWebAddressesMissing});
}

TEST_F(TfrmKonfigLagre, SavesEveryFieldAndAccepts) {
    TfrmKonfig& dialog = open();
    fillValidEntries();
    edit(QStringLiteral("edtDSNR")).setText(QStringLiteral(" 12"));
    edit(QStringLiteral("edtRegnr")).setText(QStringLiteral("0045"));
    radio(QStringLiteral("rbNotes")).click();
    check(QStringLiteral("chkAttachement")).setChecked(false);
    check(QStringLiteral("cbInternet")).setChecked(false);
    check(QStringLiteral("cbCheckExcelOnStartup")).setChecked(false);
    radio(QStringLiteral("rbSmtp")).click();
    edit(QStringLiteral("edtSmtpServer")).setText(QStringLiteral("post.etaten.no"));
    child<QSpinBox>(QStringLiteral("spnSmtpPort")).setValue(587);
    child<QComboBox>(QStringLiteral("cmbSmtpSikkerhet")).setCurrentIndex(0);
    edit(QStringLiteral("edtSmtpBruker")).clear();
    edit(QStringLiteral("edtAvsender")).setText(QStringLiteral("lonn@firma.no"));
    edit(QStringLiteral("edtSendmailProgram")).setText(QStringLiteral("/usr/sbin/sendmail"));

    button(QStringLiteral("btnOk")).click();
    EXPECT_EQ(prompter.messages, QStringList());
    EXPECT_EQ(dialog.result(), QDialog::Accepted);
    EXPECT_EQ(dialog.settings().Dsnr, 12);
    EXPECT_EQ(dialog.settings().Regnr, 45);
    EXPECT_EQ(settings.Dsnr, 7);

    TSettings stored;
    stored.Dsnr = -1;
    stored.Regnr = -1;
    ASSERT_TRUE(telvainn::LoadSettings(iniPath, RunMode{}, stored, MailTransportKind::Sendmail));
    EXPECT_EQ(stored.Dsnr, 12);
    EXPECT_EQ(stored.Regnr, 45);
    EXPECT_EQ(stored.EmailSystem, QStringLiteral("Lotus Notes"));
    EXPECT_FALSE(stored.RappAsAttachment);
    EXPECT_FALSE(stored.WebActivated);
    EXPECT_FALSE(stored.CheckExcelOnStartup);
    EXPECT_EQ(stored.RecipientName, QStringLiteral("Ny mottaker"));
    EXPECT_EQ(stored.RecipientAddress, QStringLiteral("ny@etaten.no"));
    EXPECT_EQ(stored.SupportAddress, QStringLiteral("ny-hjelp@etaten.no"));
    EXPECT_EQ(stored.DownloadAddress, QStringLiteral("www.ny.no/last-ned"));
    EXPECT_EQ(stored.UserManualAddress, QStringLiteral("www.ny.no/manual"));
    EXPECT_EQ(stored.MailTransport, MailTransportKind::Smtp);
    EXPECT_EQ(stored.SmtpServer, QStringLiteral("post.etaten.no"));
    EXPECT_EQ(stored.SmtpPort, 587);
    EXPECT_EQ(stored.SmtpSecurity, SmtpSecurityKind::None);
    EXPECT_EQ(stored.SmtpUser, QString());
    EXPECT_EQ(stored.SenderAddress, QStringLiteral("lonn@firma.no"));
    EXPECT_EQ(stored.SendmailProgram, QStringLiteral("/usr/sbin/sendmail"));
}

TEST_F(TfrmKonfigLagre, SavesTheSwitchesOnAndTheSendmailTransport) {
    settings = TSettings{};
    open();
    fillValidEntries();
    check(QStringLiteral("chkAttachement")).setChecked(true);
    check(QStringLiteral("cbInternet")).setChecked(true);
    check(QStringLiteral("cbCheckExcelOnStartup")).setChecked(true);
    radio(QStringLiteral("rbSendmail")).click();
    child<QComboBox>(QStringLiteral("cmbSmtpSikkerhet")).setCurrentIndex(2);
    edit(QStringLiteral("edtSendmailProgram")).setText(QStringLiteral("/usr/bin/msmtp -t"));

    button(QStringLiteral("btnOk")).click();
    TSettings stored;
    ASSERT_TRUE(telvainn::LoadSettings(iniPath, RunMode{}, stored, MailTransportKind::Smtp));
    EXPECT_TRUE(stored.RappAsAttachment);
    EXPECT_TRUE(stored.WebActivated);
    EXPECT_TRUE(stored.CheckExcelOnStartup);
    EXPECT_EQ(stored.MailTransport, MailTransportKind::Sendmail);
    EXPECT_EQ(stored.SmtpSecurity, SmtpSecurityKind::Tls);
    EXPECT_EQ(stored.SendmailProgram, QStringLiteral("/usr/bin/msmtp -t"));
}

TEST_F(TfrmKonfigLagre, StoresTheMailSystemByItsExactName) {
    const std::vector<std::pair<QString, QString>> cases = {
        {QStringLiteral("rbOutlook"), QStringLiteral("Microsoft Outlook/Exchange")},
        {QStringLiteral("rbNotes"), QStringLiteral("Lotus Notes")},
        {QStringLiteral("rbGroupWise"), QStringLiteral("GroupWise")},
        {QStringLiteral("rbAnnet"), QStringLiteral("Annet")},
    };
    for (const auto& [name, stored] : cases) {
        settings.EmailSystem = QStringLiteral("noe annet");
        TfrmKonfig& dialog = open();
        fillValidEntries();
        radio(name).click();
        ASSERT_TRUE(dialog.LagreKonfig());
        TSettings loaded;
        telvainn::LoadSettings(iniPath, RunMode{}, loaded);
        EXPECT_EQ(loaded.EmailSystem, stored);
    }
}

TEST_F(TfrmKonfigLagre, TestModeSavesTheTestRecipientAddress) {
    settings.RecipientAddress = telvainn::kDefaultTestRecipientAddress;
    TfrmKonfig& dialog = open(RunMode{.test = true, .dataFile = false});
    fillValidEntries();
    edit(QStringLiteral("edtEpostMottaker")).setText(QStringLiteral("test@etaten.no"));
    ASSERT_TRUE(dialog.LagreKonfig());

    TSettings test;
    telvainn::LoadSettings(iniPath, RunMode{.test = true, .dataFile = false}, test);
    EXPECT_EQ(test.RecipientAddress, QStringLiteral("test@etaten.no"));
    TSettings production;
    telvainn::LoadSettings(iniPath, RunMode{}, production);
    EXPECT_EQ(production.RecipientAddress, telvainn::kDefaultRecipientAddress);
}

TEST_F(TfrmKonfigLagre, CancelRejectsAndWritesNothing) {
    TfrmKonfig& dialog = open();
    dialog.show();
    fillValidEntries();

    button(QStringLiteral("btnAvbryt")).click();
    EXPECT_EQ(dialog.result(), QDialog::Rejected);
    EXPECT_FALSE(dialog.isVisible());
    EXPECT_FALSE(iniWritten());
    EXPECT_EQ(prompter.messages, QStringList());
    EXPECT_EQ(settings.RecipientName, QStringLiteral("Mottakeren"));
}
// ----------------------------------------------------------------------------------------------------
// The "?" buttons

using TfrmKonfigDefaults = TfrmKonfigFixture;

TEST_F(TfrmKonfigDefaults, RecipientDefaultsOnYesFollowTheRunMode) {
    for (const bool testMode : {false, true}) {
        prompter = KindPrompter({Answer::Yes});
        open(RunMode{.test = testMode, .dataFile = false});
        edit(QStringLiteral("edtLinkDownload")).setText(QStringLiteral("www.egen.no"));

        button(QStringLiteral("btnDefaultMottaker")).click();
        EXPECT_EQ(prompter.questions, QStringList{kDefaultsQuestion});
        EXPECT_EQ(prompter.questionKinds, std::vector<MessageKind>{MessageKind::Confirmation});
        EXPECT_EQ(edit(QStringLiteral("edtNavnMottaker")).text(), QStringLiteral("Dalvora"));
        EXPECT_EQ(edit(QStringLiteral("edtSupportEpost")).text(), telvainn::kDefaultSupportAddress);
        EXPECT_EQ(edit(QStringLiteral("edtEpostMottaker")).text(),
                  testMode ? telvainn::kDefaultTestRecipientAddress : telvainn::kDefaultRecipientAddress);
        EXPECT_EQ(edit(QStringLiteral("edtLinkDownload")).text(), QStringLiteral("www.egen.no"));
        // Nothing is stored until OK.
        EXPECT_EQ(settings.RecipientName, QStringLiteral("Mottakeren"));
        EXPECT_FALSE(iniWritten());
    }
    EXPECT_NE(telvainn::kDefaultTestRecipientAddress, telvainn::kDefaultRecipientAddress);
}

TEST_F(TfrmKonfigDefaults, WebDefaultsOnYes) {
    prompter = KindPrompter({Answer::Yes});
    open();

    button(QStringLiteral("btnDefaultWebLinks")).click();
    EXPECT_EQ(prompter.questions, QStringList{kDefaultsQuestion});
    EXPECT_EQ(prompter.questionKinds, std::vector<MessageKind>{MessageKind::Confirmation});
    EXPECT_EQ(edit(QStringLiteral("edtLinkDownload")).text(), telvainn::kDefaultDownloadAddress);
    EXPECT_EQ(edit(QStringLiteral("edtLinkBrukerDoc")).text(), telvainn::kDefaultUserManualAddress);
    EXPECT_EQ(edit(QStringLiteral("edtNavnMottaker")).text(), QStringLiteral("Mottakeren"));
    EXPECT_EQ(edit(QStringLiteral("edtEpostMottaker")).text(), QStringLiteral("mottak@etaten.no"));
    EXPECT_EQ(settings.DownloadAddress, QStringLiteral("www.etaten.no/last-ned"));
}

TEST_F(TfrmKonfigDefaults, NoLeavesTheEditsAlone) {
    for (const QString& name : {QStringLiteral("btnDefaultMottaker"), QStringLiteral("btnDefaultWebLinks")}) {
        prompter = KindPrompter({Answer::No});
        open(RunMode{.test = true, .dataFile = false});

        button(name).click();
        EXPECT_EQ(prompter.questions, QStringList{kDefaultsQuestion});
        EXPECT_EQ(edit(QStringLiteral("edtNavnMottaker")).text(), QStringLiteral("Mottakeren"));
        EXPECT_EQ(edit(QStringLiteral("edtEpostMottaker")).text(), QStringLiteral("mottak@etaten.no"));
        EXPECT_EQ(edit(QStringLiteral("edtSupportEpost")).text(), QStringLiteral("hjelp@etaten.no"));
        EXPECT_EQ(edit(QStringLiteral("edtLinkDownload")).text(), QStringLiteral("www.etaten.no/last-ned"));
        EXPECT_EQ(edit(QStringLiteral("edtLinkBrukerDoc")).text(), QStringLiteral("www.etaten.no/manual"));
    }
}

// ----------------------------------------------------------------------------------------------------
// Web addresses without their scheme

TEST(TfrmKonfigRemoveHTTP, TrimsAndDropsEverythingUpToTheFirstScheme) {
    EXPECT_EQ(TfrmKonfig::RemoveHTTP(QStringLiteral(" HTTP://www.x.no/a ")), QStringLiteral("www.x.no/a"));
    EXPECT_EQ(TfrmKonfig::RemoveHTTP(QStringLiteral("\thttp://www.x.no\t")), QStringLiteral("www.x.no"));
    EXPECT_EQ(TfrmKonfig::RemoveHTTP(QStringLiteral("Http://a.no/http://b.no")),
              QStringLiteral("a.no/http://b.no"));
    EXPECT_EQ(TfrmKonfig::RemoveHTTP(QStringLiteral("se hTTp://a.no")), QStringLiteral("a.no"));
    EXPECT_EQ(TfrmKonfig::RemoveHTTP(QStringLiteral(" www.x.no ")), QStringLiteral("www.x.no"));
    // Only the plain scheme is searched for.
    EXPECT_EQ(TfrmKonfig::RemoveHTTP(QStringLiteral("https://www.x.no")), QStringLiteral("https://www.x.no"));
    EXPECT_EQ(TfrmKonfig::RemoveHTTP(QStringLiteral("   ")), QString());
}

using TfrmKonfigLeave = TfrmKonfigFixture;

TEST_F(TfrmKonfigLeave, LeavingAWebAddressEditNormalisesIt) {
    open();
    for (const QString& name : {QStringLiteral("edtTestURL"), QStringLiteral("edtLinkDownload"),
                                QStringLiteral("edtLinkBrukerDoc")}) {
        QLineEdit& address = edit(name);
        address.setText(QStringLiteral(" HTTP://www.x.no/a "));
        Q_EMIT address.editingFinished();
        EXPECT_EQ(address.text(), QStringLiteral("www.x.no/a")) << name.toStdString();
    }
    // A mail address is not a web address and keeps what was typed.
    QLineEdit& mail = edit(QStringLiteral("edtEpostMottaker"));
    mail.setText(QStringLiteral(" http://x.no "));
    Q_EMIT mail.editingFinished();
    EXPECT_EQ(mail.text(), QStringLiteral(" http://x.no "));
}

// ----------------------------------------------------------------------------------------------------
// " Test din PC  "

const QString kGroupWiseQuestion = QStringLiteral(
    "Du står registrert som en GroupWise-bruker.\n\rGroupWise krever trolig at teksten \"UT:\" legges til "
    "foran\n\re-post adresser for eksterne mottakere. Når programmet sender e-post,\n\rvil det derfor "
    "normalt "
    "legge til denne teksten foran adressen,\n\rslik at programmet skal kunne klare å sende ekstern "
    "e-post.\n\r\n\rI dette tilfellet antas det at adressen er en intern adresse,\n\rog disse tre tegnene "
    "vil "
    "kunne sløyfes.\n\r\n\rVi anbefaler at du også tester e-post funksjonaliteten i dette\n\rprogrammet mot "
    "en "
    "ekstern adresse.\n\r\n\rØnsker du at programmet skal legge til teksten \"UT:\" foran adressen nå?");

QString sentMessage(const QString& address) {
    return QStringLiteral("Det er forsøkt sendt en e-post til adressen <") + address +
           QStringLiteral(">.\n\rSjekk om e-posten er mottatt.");
}

using TfrmKonfigTestEMail = TfrmKonfigFixture;

TEST_F(TfrmKonfigTestEMail, MissingAddressIsAnErrorAndSendsNothing) {
    open();
    edit(QStringLiteral("edtMailAddress")).setText(QStringLiteral("   "));

    button(QStringLiteral("btnTestEMail")).click();
    EXPECT_EQ(
        prompter.messages,
        QStringList{QStringLiteral("Du må fylle ut e-post adresse-informasjonen i feltene for dette.")});
    EXPECT_EQ(prompter.messageKinds, std::vector<MessageKind>{MessageKind::Error});
    EXPECT_EQ(prompter.questions, QStringList());
    EXPECT_TRUE(transport.mails.empty());
}

TEST_F(TfrmKonfigTestEMail, GroupWiseYesPutsUtInFrontOnEveryTest) {
    prompter = KindPrompter({Answer::Yes, Answer::Yes});
    open();
    ASSERT_TRUE(radio(QStringLiteral("rbGroupWise")).isChecked());
    edit(QStringLiteral("edtMailNavn")).setText(QStringLiteral(" Per Hansen "));
    edit(QStringLiteral("edtMailAddress")).setText(QStringLiteral(" per@firma.no "));

    button(QStringLiteral("btnTestEMail")).click();
    EXPECT_EQ(edit(QStringLiteral("edtMailAddress")).text(), QStringLiteral("UT:per@firma.no"));
    button(QStringLiteral("btnTestEMail")).click();
    EXPECT_EQ(edit(QStringLiteral("edtMailAddress")).text(), QStringLiteral("UT:UT:per@firma.no"));

    EXPECT_EQ(prompter.questions, (QStringList{kGroupWiseQuestion, kGroupWiseQuestion}));
    EXPECT_EQ(prompter.questionKinds, std::vector<MessageKind>(2, MessageKind::Warning));
    // The field keeps what the user was asked about; the mail and the message use the plain address.
    EXPECT_EQ(prompter.messages, (QStringList{sentMessage(QStringLiteral("per@firma.no")),
                                              sentMessage(QStringLiteral("per@firma.no"))}));
    EXPECT_EQ(prompter.messageKinds, std::vector<MessageKind>(2, MessageKind::Notice));
    ASSERT_EQ(transport.mails.size(), 2u);
    EXPECT_EQ(transport.mails[0].request.recipientAddress, QStringLiteral("UT:per@firma.no"));
    EXPECT_EQ(transport.mails[0].request.recipientName, QStringLiteral("Per Hansen"));
    EXPECT_EQ(transport.mails[1].request.recipientAddress, QStringLiteral("UT:UT:per@firma.no"));
    // The test fields are never stored.
    EXPECT_FALSE(iniWritten());
}

TEST_F(TfrmKonfigTestEMail, GroupWiseNoKeepsTheAddress) {
    prompter = KindPrompter({Answer::No});
    open();
    edit(QStringLiteral("edtMailAddress")).setText(QStringLiteral("per@firma.no"));

    button(QStringLiteral("btnTestEMail")).click();
    EXPECT_EQ(edit(QStringLiteral("edtMailAddress")).text(), QStringLiteral("per@firma.no"));
    ASSERT_EQ(transport.mails.size(), 1u);
    EXPECT_EQ(transport.mails[0].request.recipientAddress, QStringLiteral("per@firma.no"));
    EXPECT_EQ(prompter.messages, QStringList{sentMessage(QStringLiteral("per@firma.no"))});
}

TEST_F(TfrmKonfigTestEMail, TheMailSystemAsChosenInTheDialogDecidesTheNotice) {
    open();
    radio(QStringLiteral("rbNotes")).click();
    edit(QStringLiteral("edtMailAddress")).setText(QStringLiteral("per@firma.no"));

    button(QStringLiteral("btnTestEMail")).click();
    EXPECT_EQ(prompter.questions, QStringList());
    ASSERT_EQ(prompter.messages.size(), 2);
    EXPECT_EQ(
        prompter.messages[0],
        QStringLiteral(
            "Du står registrert som en Lotus Notes-bruker.\n\rErfaringer viser at dette programmet ikke "
            "støtter Lotus Notes\n\re-post system ordentlig. Hos enkelte brukere har det vist seg å "
            "fungere\n\rbedre enn hos andre, men du må regne med å gjøre noen ekstra små\n\rtriks for å få "
            "sendt dine rapporter til Mottakeren.\n\r\n\rVed senere forsøk på å sende rapporter, vil "
            "programmet komme med mer\n\rinformasjon om dette. \n\r\n\rI denne testmodulen kan du sjekke "
            "hvordan systemet oppfører seg hos deg.\n\rKanskje vil programmet fortelle deg at det ikke "
            "klarte å sende.\n\rUansett bør du gå inn i e-post programmet ditt etterpå, og lete etter\n\ren "
            "e-post som er påbegynt, men ikke sendt (?)\n\rNormalt vil den påbegynte e-posten mangle "
            "mottaker-adresse og enmetekst.\n\r\n\rKlikk 'OK' for å fortsette."));
    EXPECT_EQ(prompter.messages[1], sentMessage(QStringLiteral("per@firma.no")));
    EXPECT_EQ(prompter.messageKinds, (std::vector<MessageKind>{MessageKind::Warning, MessageKind::Notice}));
    EXPECT_EQ(transport.mails.size(), 1u);
}

TEST_F(TfrmKonfigTestEMail, FailedMailIsReportedWithItsReasonAfterTheNoticeOfOtherSystems) {
    transport.failAt = 1;
    open();
    radio(QStringLiteral("rbAnnet")).click();
    edit(QStringLiteral("edtMailAddress")).setText(QStringLiteral(" per@firma.no"));

    button(QStringLiteral("btnTestEMail")).click();
    EXPECT_EQ(
        prompter.messages,
        (QStringList{
            QStringLiteral(
                "Dette programmet støtter ikke alle e-post systemer og nettverksløsninger\n\rrundt om i de "
                "forskjellige selskaper.\n\rDersom du ikke klarer å gjennomføre en vellykket test her og "
                "nå, så\n\rfinnes det alternative måter å sende rapportene til Mottakeren på.\n\r\n\r"
                "Programmet vil komme med mer informasjon om dette når du forsøker å\n\rsende en rapport "
                "senere."),
            QStringLiteral("Programmet klarte ikke å sende noen mail til <per@firma.no>\n\r\n\r") +
                transport.failure}));
    EXPECT_EQ(prompter.messageKinds,
              (std::vector<MessageKind>{MessageKind::Information, MessageKind::Notice}));
    // The mail is sent under the wait cursor; the notice before it and the outcome are not.
    EXPECT_EQ(busyAtWork, std::vector<bool>{true});
    EXPECT_EQ(prompter.busyWhenShown, (std::vector<bool>{false, false}));
    EXPECT_FALSE(waitCursorShown());
}

TEST_F(TfrmKonfigTestEMail, SendsThroughTheTransportAsItStandsInTheDialog) {
    prompter = KindPrompter({Answer::No});
    open();
    radio(QStringLiteral("rbSmtp")).click();
    edit(QStringLiteral("edtSmtpServer")).setText(QStringLiteral(" smtp.prove.no "));
    child<QSpinBox>(QStringLiteral("spnSmtpPort")).setValue(465);
    child<QComboBox>(QStringLiteral("cmbSmtpSikkerhet")).setCurrentIndex(0);
    edit(QStringLiteral("edtSmtpBruker")).setText(QStringLiteral("meg"));
    edit(QStringLiteral("edtAvsender")).setText(QStringLiteral("meg@firma.no"));
    edit(QStringLiteral("edtMailAddress")).setText(QStringLiteral("per@firma.no"));

    button(QStringLiteral("btnTestEMail")).click();
    ASSERT_EQ(transportSettings.size(), 1u);
    const TSettings& used = transportSettings.front();
    EXPECT_EQ(used.MailTransport, MailTransportKind::Smtp);
    EXPECT_EQ(used.SmtpServer, QStringLiteral("smtp.prove.no"));
    EXPECT_EQ(used.SmtpPort, 465);
    EXPECT_EQ(used.SmtpSecurity, SmtpSecurityKind::None);
    EXPECT_EQ(used.SmtpUser, QStringLiteral("meg"));
    EXPECT_EQ(used.SenderAddress, QStringLiteral("meg@firma.no"));
    EXPECT_EQ(used.RecipientName, QStringLiteral("Mottakeren"));
    EXPECT_EQ(transport.mails.size(), 1u);

    // Trying a transport changes neither the record nor the file.
    EXPECT_EQ(settings.MailTransport, MailTransportKind::Sendmail);
    EXPECT_EQ(settings.SmtpServer, QStringLiteral("smtp.firma.no"));
    EXPECT_EQ(settings.SmtpPort, 2525);
    EXPECT_EQ(settings.SmtpSecurity, SmtpSecurityKind::Tls);
    EXPECT_FALSE(iniWritten());
}

using TfrmKonfigTestExcel = TfrmKonfigFixture;

TEST_F(TfrmKonfigTestExcel, ReportsWhetherTheOfficeCanBeDriven) {
    open();
    excelAvailable = true;
    button(QStringLiteral("btnTestExcel")).click();
    excelAvailable = false;
    button(QStringLiteral("btnTestExcel")).click();
    excelBreaks = true;
    button(QStringLiteral("btnTestExcel")).click();

    EXPECT_EQ(prompter.messages, (QStringList{QStringLiteral("Programmet kan snakke med excel"),
                                              QStringLiteral("Programmet kan ikke snakke med excel"),
                                              QStringLiteral("Programmet kan ikke snakke med excel")}));
    EXPECT_EQ(prompter.messageKinds, std::vector<MessageKind>(3, MessageKind::Notice));
    EXPECT_EQ(busyAtWork, std::vector<bool>(3, true));
    EXPECT_EQ(prompter.busyWhenShown, std::vector<bool>(3, false));
}

using TfrmKonfigTestInternett = TfrmKonfigFixture;

TEST_F(TfrmKonfigTestInternett, EmptyAddressAsksForOneWithoutATest) {
    realInternetTest = true;
    open();

    button(QStringLiteral("btnTestInternett")).click();
    EXPECT_EQ(
        prompter.messages,
        QStringList{QStringLiteral("Du må angi en web-adresse som programmet kan forsøke å aksessere.")});
    EXPECT_EQ(prompter.messageKinds, std::vector<MessageKind>{MessageKind::Notice});
}

TEST_F(TfrmKonfigTestInternett, TestsTheNormalisedAddressAndShowsTheOutcome) {
    open();
    QLineEdit& url = edit(QStringLiteral("edtTestURL"));
    url.setText(QStringLiteral(" HTTP://www.etaten.no "));
    Q_EMIT url.editingFinished();

    internetResult = InternetSelfTest{true, true, QStringLiteral("Maskinen er koblet til Internett")};
    button(QStringLiteral("btnTestInternett")).click();
    internetResult = InternetSelfTest{
        true, false, QStringLiteral("Programmet klarte ikke å lese fra web-området:\r\nwww.etaten.no")};
    button(QStringLiteral("btnTestInternett")).click();

    EXPECT_EQ(internetAddresses,
              (QStringList{QStringLiteral("www.etaten.no"), QStringLiteral("www.etaten.no")}));
    EXPECT_EQ(
        prompter.messages,
        (QStringList{QStringLiteral("Maskinen er koblet til Internett"),
                     QStringLiteral("Programmet klarte ikke å lese fra web-området:\r\nwww.etaten.no")}));
    EXPECT_EQ(prompter.messageKinds, std::vector<MessageKind>(2, MessageKind::Notice));
    EXPECT_EQ(busyAtWork, std::vector<bool>(2, true));
    EXPECT_EQ(prompter.busyWhenShown, std::vector<bool>(2, false));
}

}  // namespace
