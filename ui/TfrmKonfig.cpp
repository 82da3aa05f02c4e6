#include "ui/TfrmKonfig.h"

#include <QCheckBox>
#include <QComboBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QScrollArea>
#include <QSpinBox>
#include <QStyle>
#include <QVBoxLayout>
#include <algorithm>
#include <exception>
#include <initializer_list>
#include <utility>

#include "app/SettingsStore.h"
#include "core/Error.h"
#include "core/Numbers.h"
#include "transmission/MailHeaders.h"
#include "transmission/OutgoingMail.h"
#include "transmission/SmtpTransport.h"
#include "ui/IdleCursorPrompter.h"
#include "ui/MessageBoxPrompter.h"
#include "ui/ScreenRoom.h"

namespace telvainn::ui {
namespace {

const QString kCaption = QStringLiteral("Konfigurasjon");

// The stored names of the mail systems; the dialog writes exactly these.
const QString kSystemOutlook = QStringLiteral("Microsoft Outlook/Exchange");
const QString kSystemNotes = QStringLiteral("Lotus Notes");
const QString kSystemGroupWise = QStringLiteral("GroupWise");
const QString kSystemAnnet = QStringLiteral("Annet");

const QString kReporterMissing = QStringLiteral("Rapportør-informasjonen må fylles ut");
const QString kRecipientNameMissing = QStringLiteral("Navn på mottaker er ikke angitt!");
const QString kRecipientAddressMissing = QStringLiteral("E-post adresse til mottaker er ikke angitt!");
const QString kSupportAddressMissing =
    QStringLiteral("E-post adresse til Telva Duv forvaltning er ikke angitt!");
const QString kSmtpServerMissing = QStringLiteral("SMTP-server er ikke angitt!");
const QString kSendmailProgramMissing = QStringLiteral("Sendmail-program er ikke angitt!");
const QString kSenderMissing = QStringLiteral(
    "Avsenderadresse er ikke angitt!\r\nE-post-serveren tar bare imot e-post med en avsender.");
const QString kWebAddressesMissing =
    QStringLiteral("Web-adresser er ikke angitt!\r\nProgrammet kan ikke henvise til aktuelle nettsider.");
const QString kDefaultsQuestion = QStringLiteral(
    "Ønsker du å endre innholdet i disse feltene til de standard-adresser som var gjeldende da denne "
    "programversjonen ble skrevet?");
const QString kExcelAvailable = QStringLiteral("Programmet kan snakke med excel");
const QString kExcelUnavailable = QStringLiteral("Programmet kan ikke snakke med excel");

// The mask keeps typed blanks in the text, so a Dsnr like "1 2" reaches the number conversion and
// fails there instead of being read as 12.
const QString kDsnrMask = QStringLiteral("000; ");
const QString kRegnrMask = QStringLiteral("0000; ");

QLabel* makeLabel(const QString& text, QWidget* buddy = nullptr) {
    auto* label = new QLabel(screenText(text));
    if (buddy != nullptr) {
        label->setBuddy(buddy);
    }
    return label;
}

// An explanation that breaks its lines where its column ends.
QLabel* makeNote(const QString& text) {
    QLabel* label = makeLabel(text);
    label->setWordWrap(true);
    return label;
}

QLineEdit* makeEdit(const QString& name) {
    auto* edit = new QLineEdit;
    edit->setObjectName(name);
    return edit;
}

QLineEdit* makeMaskedEdit(const QString& name, const QString& mask, const QString& hint) {
    QLineEdit* edit = makeEdit(name);
    edit->setInputMask(mask);
    edit->setToolTip(hint);
    // Room for the digits and a little more, so the field does not suggest longer input.
    edit->setMaximumWidth(edit->fontMetrics().horizontalAdvance(QStringLiteral("00000000")));
    return edit;
}

QPushButton* makeButton(const QString& name, const QString& text, const QString& hint = QString()) {
    auto* button = new QPushButton(text);
    button->setObjectName(name);
    button->setToolTip(hint);
    button->setAutoDefault(false);
    return button;
}

QGroupBox* makeGroup(const QString& name, const QString& title) {
    auto* group = new QGroupBox(title);
    group->setObjectName(name);
    return group;
}

// The text the masked edit holds, blanks included, trimmed the way the program trims cell texts.
QString maskedText(const QLineEdit* edit) {
    return trimmed(edit->displayText());
}

}  // namespace

TfrmKonfig::TfrmKonfig(const TSettings& settings, const RunMode& mode, QString iniPath,
                       KonfigServices services, QWidget* parent)
    : QDialog(parent),
      m_settings(settings),
      m_mode(mode),
      m_iniPath(std::move(iniPath)),
      m_services(std::move(services)) {
    setObjectName(QStringLiteral("TfrmKonfig"));
    setWindowTitle(kCaption);
    buildForm();
    InitForm();
    fitToScreen();
}

// The size the fields ask for, as far as the screen has room for it.
void TfrmKonfig::fitToScreen() {
    const QWidget* fields = m_scrFelter->widget();
    const QMargins margins = layout()->contentsMargins();
    const int scrollBar = m_scrFelter->style()->pixelMetric(QStyle::PM_ScrollBarExtent);
    const QSize wanted(fields->sizeHint().width() + margins.left() + margins.right(),
                       fields->sizeHint().height() + layout()->spacing() + btnOk->sizeHint().height() +
                           margins.top() + margins.bottom());
    const QSize room = windowRoom(parentWidget() != nullptr ? parentWidget() : this);
    QSize size = wanted.boundedTo(room);
    // A scroll bar in one direction takes room from the other.
    if (size.height() < wanted.height()) {
        size.setWidth(std::min(room.width(), size.width() + scrollBar));
    }
    if (size.width() < wanted.width()) {
        size.setHeight(std::min(room.height(), size.height() + scrollBar));
    }
    resize(size);
}

QWidget* TfrmKonfig::buildRapportorGroup() {
    edtDSNR = makeMaskedEdit(QStringLiteral("edtDSNR"), kDsnrMask, QStringLiteral("Benytt 3 siffer"));
    edtRegnr = makeMaskedEdit(QStringLiteral("edtRegnr"), kRegnrMask, QStringLiteral("Benytt 4 siffer"));
    auto* rapportor = makeGroup(QStringLiteral("gbRapportor"), QStringLiteral(" Rapportør  "));
    auto* rapportorLayout = new QGridLayout(rapportor);
    rapportorLayout->addWidget(
        makeLabel(QStringLiteral("Angi datasentralnr som du rapporterer for, og ditt registreringsnr.")), 0,
        0, 1, 2);
    rapportorLayout->addWidget(makeLabel(QStringLiteral("&Datasentralnummer (XXX)"), edtDSNR), 1, 0);
    rapportorLayout->addWidget(edtDSNR, 1, 1, Qt::AlignLeft);
    rapportorLayout->addWidget(makeLabel(QStringLiteral("&Registeringsnummer (XXXX)"), edtRegnr), 2, 0);
    rapportorLayout->addWidget(edtRegnr, 2, 1, Qt::AlignLeft);
    rapportorLayout->setColumnStretch(1, 1);
    return rapportor;
}

QWidget* TfrmKonfig::buildEpostSystemGroup() {
    rbOutlook = new QRadioButton(kSystemOutlook);
    rbOutlook->setObjectName(QStringLiteral("rbOutlook"));
    rbNotes = new QRadioButton(kSystemNotes);
    rbNotes->setObjectName(QStringLiteral("rbNotes"));
    rbGroupWise = new QRadioButton(kSystemGroupWise);
    rbGroupWise->setObjectName(QStringLiteral("rbGroupWise"));
    rbAnnet = new QRadioButton(kSystemAnnet);
    rbAnnet->setObjectName(QStringLiteral("rbAnnet"));
    chkAttachement = new QCheckBox(QStringLiteral("Send rapport som vedlegg til mail."));
    chkAttachement->setObjectName(QStringLiteral("chkAttachement"));
    auto* system = makeGroup(QStringLiteral("gbEpostSystem"), QStringLiteral(" E-post system  "));
    auto* systemLayout = new QVBoxLayout(system);
    systemLayout->addWidget(makeLabel(QStringLiteral("Angi hvilket e-post system du benytter.")));
    systemLayout->addWidget(rbOutlook);
    systemLayout->addWidget(rbNotes);
    systemLayout->addWidget(rbGroupWise);
    systemLayout->addWidget(rbAnnet);
    systemLayout->addWidget(chkAttachement);
    return system;
}

QWidget* TfrmKonfig::buildBrytereGroup() {
    cbInternet = new QCheckBox(QStringLiteral("Internett-aksess (av/på)"));
    cbInternet->setObjectName(QStringLiteral("cbInternet"));
    cbCheckExcelOnStartup = new QCheckBox(QStringLiteral("Test kommunikasjon med Excel ved oppstart."));
    cbCheckExcelOnStartup->setObjectName(QStringLiteral("cbCheckExcelOnStartup"));
    auto* brytere = makeGroup(QStringLiteral("gbBrytere"), QStringLiteral(" Brytere "));
    auto* bryterLayout = new QVBoxLayout(brytere);
    bryterLayout->addWidget(cbInternet);
    QLabel* internetHint = makeNote(
        QStringLiteral("Aktiverer internett-linkene i programmet.\r\nHvis internett-aksess er 'av', så "
                       "vil programmet la deg kopiere aktuelle web-adresser over til din nettleser."));
    bryterLayout->addWidget(internetHint);
    bryterLayout->addWidget(cbCheckExcelOnStartup);
    return brytere;
}

// How mail leaves this machine; the mail system group only chooses the notices the user is given.
QWidget* TfrmKonfig::buildUtsendingGroup() {
    rbSmtp = new QRadioButton(QStringLiteral("Via en e-post-server (SMTP)"));
    rbSmtp->setObjectName(QStringLiteral("rbSmtp"));
    rbSendmail = new QRadioButton(QStringLiteral("Via maskinens eget e-post-program (sendmail)"));
    rbSendmail->setObjectName(QStringLiteral("rbSendmail"));
    edtSmtpServer = makeEdit(QStringLiteral("edtSmtpServer"));
    spnSmtpPort = new QSpinBox;
    spnSmtpPort->setObjectName(QStringLiteral("spnSmtpPort"));
    // 0 is how the file says "the usual port of the chosen security", so it gets a name of its own.
    spnSmtpPort->setRange(0, 65535);
    spnSmtpPort->setSpecialValueText(QStringLiteral("Vanlig port"));
    cmbSmtpSikkerhet = new QComboBox;
    cmbSmtpSikkerhet->setObjectName(QStringLiteral("cmbSmtpSikkerhet"));
    cmbSmtpSikkerhet->addItem(QStringLiteral("Ingen"), static_cast<int>(SmtpSecurityKind::None));
    cmbSmtpSikkerhet->addItem(QStringLiteral("STARTTLS"), static_cast<int>(SmtpSecurityKind::StartTls));
    cmbSmtpSikkerhet->addItem(QStringLiteral("TLS"), static_cast<int>(SmtpSecurityKind::Tls));
    edtSmtpBruker = makeEdit(QStringLiteral("edtSmtpBruker"));
    edtSmtpBruker->setToolTip(QStringLiteral("Passordet spørres om ved sending og lagres aldri"));
    edtAvsender = makeEdit(QStringLiteral("edtAvsender"));
    edtSendmailProgram = makeEdit(QStringLiteral("edtSendmailProgram"));
    auto* transport = makeGroup(QStringLiteral("gbEpostUtsending"), QStringLiteral(" Utsending av e-post  "));
    auto* transportLayout = new QVBoxLayout(transport);
    transportLayout->addWidget(
        makeLabel(QStringLiteral("Angi hvordan programmet sender e-post fra denne maskinen.")));
    transportLayout->addWidget(rbSmtp);
    transportLayout->addWidget(rbSendmail);
    auto* transportForm = new QFormLayout;
    transportForm->addRow(makeLabel(QStringLiteral("SMTP-server:"), edtSmtpServer), edtSmtpServer);
    transportForm->addRow(makeLabel(QStringLiteral("Port:"), spnSmtpPort), spnSmtpPort);
    transportForm->addRow(makeLabel(QStringLiteral("Sikkerhet:"), cmbSmtpSikkerhet), cmbSmtpSikkerhet);
    transportForm->addRow(makeLabel(QStringLiteral("Brukernavn (tomt = ingen innlogging):"), edtSmtpBruker),
                          edtSmtpBruker);
    transportForm->addRow(makeLabel(QStringLiteral("Sendmail-program:"), edtSendmailProgram),
                          edtSendmailProgram);
    transportForm->addRow(makeLabel(QStringLiteral("Avsenderadresse:"), edtAvsender), edtAvsender);
    transportLayout->addLayout(transportForm);
    return transport;
}

QWidget* TfrmKonfig::buildAdresseringGroup() {
    edtNavnMottaker = makeEdit(QStringLiteral("edtNavnMottaker"));
    edtEpostMottaker = makeEdit(QStringLiteral("edtEpostMottaker"));
    edtSupportEpost = makeEdit(QStringLiteral("edtSupportEpost"));
    edtLinkDownload = makeEdit(QStringLiteral("edtLinkDownload"));
    edtLinkBrukerDoc = makeEdit(QStringLiteral("edtLinkBrukerDoc"));
    const QString defaultsHint = QStringLiteral("Velg standard-adresser for da denne versjonen ble skrevet");
    btnDefaultMottaker = makeButton(QStringLiteral("btnDefaultMottaker"), QStringLiteral("?"), defaultsHint);
    btnDefaultWebLinks = makeButton(QStringLiteral("btnDefaultWebLinks"), QStringLiteral("?"), defaultsHint);
    for (QPushButton* small : {btnDefaultMottaker, btnDefaultWebLinks}) {
        small->setMaximumWidth(small->fontMetrics().horizontalAdvance(QStringLiteral("???")) + 16);
    }
    auto* adressering = makeGroup(QStringLiteral("gbAdressering"), QStringLiteral(" Adressering  "));
    auto* adresseLayout = new QVBoxLayout(adressering);
    auto* mottakerHead = new QHBoxLayout;
    mottakerHead->addWidget(makeLabel(QStringLiteral("Her fylles inn informasjon om navn og adressering.")),
                            1);
    mottakerHead->addWidget(btnDefaultMottaker);
    adresseLayout->addLayout(mottakerHead);
    adresseLayout->addWidget(
        makeLabel(QStringLiteral("Navn på mottaker (vises i programmets tittelfelt):"), edtNavnMottaker));
    adresseLayout->addWidget(edtNavnMottaker);
    adresseLayout->addWidget(
        makeLabel(QStringLiteral("E-postadresse til rapportenes mottaker:"), edtEpostMottaker));
    adresseLayout->addWidget(edtEpostMottaker);
    adresseLayout->addWidget(
        makeLabel(QStringLiteral("E-postadresse til TELVA Duv forvaltning:"), edtSupportEpost));
    adresseLayout->addWidget(edtSupportEpost);
    auto* webHead = new QHBoxLayout;
    webHead->addWidget(
        makeLabel(QStringLiteral("Her fylles inn web-adresser som programmet benytter seg av.")), 1);
    webHead->addWidget(btnDefaultWebLinks);
    adresseLayout->addSpacing(6);
    adresseLayout->addLayout(webHead);
    adresseLayout->addWidget(
        makeLabel(QStringLiteral("Web-adresse for TELVA Duv (nedlasting):"), edtLinkDownload));
    adresseLayout->addWidget(edtLinkDownload);
    adresseLayout->addWidget(
        makeLabel(QStringLiteral("Web-adresse for brukerveiledning:"), edtLinkBrukerDoc));
    adresseLayout->addWidget(edtLinkBrukerDoc);
    return adressering;
}

QWidget* TfrmKonfig::buildTestGroup() {
    edtMailNavn = makeEdit(QStringLiteral("edtMailNavn"));
    edtMailAddress = makeEdit(QStringLiteral("edtMailAddress"));
    edtTestURL = makeEdit(QStringLiteral("edtTestURL"));
    btnTestEMail = makeButton(QStringLiteral("btnTestEMail"), QStringLiteral("E-&Mail"),
                              QStringLiteral("Sender en mail til deg selv"));
    btnTestExcel = makeButton(QStringLiteral("btnTestExcel"), QStringLiteral("&Excel"),
                              QStringLiteral("Sjekker om programmet får kontakt med Excel"));
    btnTestInternett = makeButton(QStringLiteral("btnTestInternett"), QStringLiteral("&Internett"),
                                  QStringLiteral("Sjekker om programmet når ut på internett"));
    auto* test = makeGroup(QStringLiteral("gbTestDinPC"), QStringLiteral(" Test din PC  "));
    auto* testLayout = new QVBoxLayout(test);
    testLayout->addWidget(makeNote(QStringLiteral(
        "Nedenfor kan du teste internet-tilknytningen fra din maskin.\r\nSelv om du har "
        "internet-tilgang fra andre programmer, kan det hende at dette programmet ikke klarer å "
        "nå ut på Internet.")));
    auto* testForm = new QFormLayout;
    testForm->addRow(makeLabel(QStringLiteral("&Navn"), edtMailNavn), edtMailNavn);
    testForm->addRow(makeLabel(QStringLiteral("Din e-post&adresse"), edtMailAddress), edtMailAddress);
    testLayout->addLayout(testForm);
    testLayout->addWidget(
        makeNote(QStringLiteral("Denne informasjonen er i bruk når man klikker knappen 'E-Mail'\r\nnedenfor. "
                                "Den har ellers ingen betydning for programmet.")));
    auto* testButtons = new QGridLayout;
    testButtons->addWidget(btnTestEMail, 0, 0);
    testButtons->addWidget(makeLabel(QStringLiteral("Test PC-ens tilknytning til E-postsystemet")), 0, 1);
    testButtons->addWidget(btnTestExcel, 1, 0);
    testButtons->addWidget(makeLabel(QStringLiteral("Test PC-ens tilknytning til Excel")), 1, 1);
    testButtons->addWidget(btnTestInternett, 2, 0);
    testButtons->addWidget(makeLabel(QStringLiteral("Test PC-ens tilknytning til Internett")), 2, 1);
    testButtons->setColumnStretch(1, 1);
    testLayout->addLayout(testButtons);
    testLayout->addWidget(makeNote(
        QStringLiteral("For å teste internett-tilkoblingen kan du her angi en gyldig web-adresse som du kan "
                       "forsøke å koble deg til.\r\nKlikk deretter knappen \"Internett\".")));
    auto* urlForm = new QFormLayout;
    urlForm->addRow(makeLabel(QStringLiteral("Gyldig web-adresse"), edtTestURL), edtTestURL);
    testLayout->addLayout(urlForm);
    return test;
}

void TfrmKonfig::buildForm() {
    QWidget* rapportor = buildRapportorGroup();
    QWidget* system = buildEpostSystemGroup();
    QWidget* brytere = buildBrytereGroup();
    QWidget* transport = buildUtsendingGroup();
    QWidget* adressering = buildAdresseringGroup();
    QWidget* test = buildTestGroup();

    btnOk = new QPushButton(QStringLiteral("&Ok"));
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setDefault(true);
    btnAvbryt = makeButton(QStringLiteral("btnAvbryt"), QStringLiteral("&Avbryt"));
    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(btnOk);
    buttons->addWidget(btnAvbryt);

    // Three columns keep the dialog low enough for a laptop's screen; what the screen still cannot
    // hold scrolls, while "Ok" and "Avbryt" stay below the fields, always in sight. The columns are
    // read, and checked by OK, from left to right.
    auto* content = new QWidget;
    content->setObjectName(QStringLiteral("pnlFelter"));
    auto* columns = new QHBoxLayout(content);
    columns->setContentsMargins(0, 0, 0, 0);
    for (const std::initializer_list<QWidget*> column :
         {std::initializer_list<QWidget*>{rapportor, system, brytere},
          std::initializer_list<QWidget*>{adressering, transport}, std::initializer_list<QWidget*>{test}}) {
        auto* groups = new QVBoxLayout;
        for (QWidget* group : column) {
            groups->addWidget(group);
        }
        groups->addStretch(1);
        columns->addLayout(groups, 1);
    }
    m_scrFelter = new QScrollArea;
    m_scrFelter->setObjectName(QStringLiteral("scrFelter"));
    m_scrFelter->setFrameShape(QFrame::NoFrame);
    m_scrFelter->setWidgetResizable(true);
    m_scrFelter->setWidget(content);
    auto* main = new QVBoxLayout(this);
    main->addWidget(m_scrFelter, 1);
    main->addLayout(buttons);

    connect(rbSmtp, &QRadioButton::toggled, this, &TfrmKonfig::updateTransportControls);
    connect(btnDefaultMottaker, &QPushButton::clicked, this, &TfrmKonfig::defaultMottakerClicked);
    connect(btnDefaultWebLinks, &QPushButton::clicked, this, &TfrmKonfig::defaultWebLinksClicked);
    for (QLineEdit* address : {edtTestURL, edtLinkDownload, edtLinkBrukerDoc}) {
        connect(address, &QLineEdit::editingFinished, this, [this, address] { normaliseAddress(address); });
    }
    connect(btnTestEMail, &QPushButton::clicked, this, &TfrmKonfig::testEMailClicked);
    connect(btnTestExcel, &QPushButton::clicked, this, &TfrmKonfig::testExcelClicked);
    connect(btnTestInternett, &QPushButton::clicked, this, &TfrmKonfig::testInternettClicked);
    connect(btnOk, &QPushButton::clicked, this, &TfrmKonfig::LagreKonfig);
    connect(btnAvbryt, &QPushButton::clicked, this, &QDialog::reject);
}

void TfrmKonfig::InitForm() {
    edtRegnr->setText(zeroPadded(m_settings.Regnr, 4));
    edtDSNR->setText(zeroPadded(m_settings.Dsnr, 3));

    const QString system = m_settings.EmailSystem.toUpper();
    if (system == QLatin1String("ANNET")) {
        rbAnnet->setChecked(true);
    } else if (system == QLatin1String("GROUPWISE")) {
        rbGroupWise->setChecked(true);
    } else if (system == QLatin1String("LOTUS NOTES")) {
        rbNotes->setChecked(true);
    } else {
        rbOutlook->setChecked(true);
    }

    chkAttachement->setChecked(m_settings.RappAsAttachment);
    cbInternet->setChecked(m_settings.WebActivated);
    cbCheckExcelOnStartup->setChecked(m_settings.CheckExcelOnStartup);

    edtNavnMottaker->setText(m_settings.RecipientName);
    edtEpostMottaker->setText(m_settings.RecipientAddress);
    edtLinkDownload->setText(m_settings.DownloadAddress);
    edtLinkBrukerDoc->setText(m_settings.UserManualAddress);
    edtSupportEpost->setText(m_settings.SupportAddress);

    (m_settings.MailTransport == MailTransportKind::Sendmail ? rbSendmail : rbSmtp)->setChecked(true);
    edtSmtpServer->setText(m_settings.SmtpServer);
    spnSmtpPort->setValue(m_settings.SmtpPort);
    cmbSmtpSikkerhet->setCurrentIndex(cmbSmtpSikkerhet->findData(static_cast<int>(m_settings.SmtpSecurity)));
    edtSmtpBruker->setText(m_settings.SmtpUser);
    edtAvsender->setText(m_settings.SenderAddress);
    edtSendmailProgram->setText(m_settings.SendmailProgram);
    updateTransportControls();
}

void TfrmKonfig::updateTransportControls() {
    const bool smtp = rbSmtp->isChecked();
    for (QWidget* field :
         std::initializer_list<QWidget*>{edtSmtpServer, spnSmtpPort, cmbSmtpSikkerhet, edtSmtpBruker}) {
        field->setEnabled(smtp);
    }
    edtSendmailProgram->setEnabled(!smtp);
    // A field's label greys with it, so the user sees at once which fields the choice leaves out.
    for (QWidget* field : std::initializer_list<QWidget*>{edtSmtpServer, spnSmtpPort, cmbSmtpSikkerhet,
                                                          edtSmtpBruker, edtSendmailProgram}) {
        for (QLabel* label : findChildren<QLabel*>()) {
            if (label->buddy() == field) {
                label->setEnabled(field->isEnabledTo(this));
            }
        }
    }
}

void TfrmKonfig::applyTransport(TSettings& settings) const {
    settings.MailTransport = rbSendmail->isChecked() ? MailTransportKind::Sendmail : MailTransportKind::Smtp;
    settings.SmtpServer = edtSmtpServer->text().trimmed();
    settings.SmtpPort = spnSmtpPort->value();
    settings.SmtpSecurity = static_cast<SmtpSecurityKind>(cmbSmtpSikkerhet->currentData().toInt());
    settings.SmtpUser = edtSmtpBruker->text().trimmed();
    settings.SenderAddress = edtAvsender->text().trimmed();
    settings.SendmailProgram = edtSendmailProgram->text().trimmed();
}

// A transport that cannot send would otherwise be found out only at the first report, far from the
// field that mends it. The fields are looked at in the order the dialog shows them.
std::optional<std::pair<QLineEdit*, QString>> TfrmKonfig::unusableTransportField() const {
    const bool smtp = rbSmtp->isChecked();
    const QString sender = edtAvsender->text().trimmed();
    if (smtp && edtSmtpServer->text().trimmed().isEmpty()) {
        return std::pair{edtSmtpServer, kSmtpServerMissing};
    }
    if (!smtp && edtSendmailProgram->text().trimmed().isEmpty()) {
        return std::pair{edtSendmailProgram, kSendmailProgramMissing};
    }
    if (smtp && smtpSender(sender, edtSmtpBruker->text().trimmed()).isEmpty()) {
        return std::pair{edtAvsender, kSenderMissing};
    }
    if (!sender.isEmpty() && !mime::wireAddress(sender)) {
        return std::pair{edtAvsender, InvalidSenderText(sender)};
    }
    return std::nullopt;
}

QString TfrmKonfig::chosenEmailSystem() const {
    if (rbAnnet->isChecked()) {
        return kSystemAnnet;
    }
    if (rbGroupWise->isChecked()) {
        return kSystemGroupWise;
    }
    if (rbNotes->isChecked()) {
        return kSystemNotes;
    }
    return kSystemOutlook;
}

bool TfrmKonfig::LagreKonfig() {
    Prompter& prompter = m_services.prompter;
    for (QLineEdit* masked : {edtDSNR, edtRegnr}) {
        if (maskedText(masked).isEmpty()) {
            prompter.tell(MessageKind::Notice, kReporterMissing);
            focusField(masked);
            return false;
        }
    }

    if (edtNavnMottaker->text().isEmpty()) {
        prompter.tell(MessageKind::Notice, kRecipientNameMissing);
        focusField(edtNavnMottaker);
        return false;
    }
    m_settings.RecipientName = edtNavnMottaker->text();

    if (edtEpostMottaker->text().isEmpty()) {
        prompter.tell(MessageKind::Notice, kRecipientAddressMissing);
        focusField(edtEpostMottaker);
        return false;
    }
    m_settings.RecipientAddress = edtEpostMottaker->text();

    if (edtSupportEpost->text().isEmpty()) {
        prompter.tell(MessageKind::Notice, kSupportAddressMissing);
        focusField(edtSupportEpost);
        return false;
    }
    m_settings.SupportAddress = edtSupportEpost->text();

    if (const std::optional<std::pair<QLineEdit*, QString>> unusable = unusableTransportField()) {
        prompter.tell(MessageKind::Notice, unusable->second);
        focusField(unusable->first);
        return false;
    }

    m_settings.DownloadAddress = edtLinkDownload->text();
    m_settings.UserManualAddress = edtLinkBrukerDoc->text();
    if (m_settings.DownloadAddress.isEmpty() || m_settings.UserManualAddress.isEmpty()) {
        prompter.tell(MessageKind::Information, kWebAddressesMissing);
    }

    m_settings.EmailSystem = chosenEmailSystem();

    m_settings.WebActivated = cbInternet->isChecked();
    m_settings.CheckExcelOnStartup = cbCheckExcelOnStartup->isChecked();
    m_settings.RappAsAttachment = chkAttachement->isChecked();
    applyTransport(m_settings);

    try {
        const int dsnr = toInteger32(maskedText(edtDSNR));
        const int regnr = toInteger32(maskedText(edtRegnr));
        m_settings.Dsnr = dsnr;
        m_settings.Regnr = regnr;
        SaveSettings(m_iniPath, m_mode, m_settings);
    } catch (const std::exception& e) {
        prompter.tell(MessageKind::Error, errorText(e));
        return false;
    }

    accept();
    return true;
}

// The field to mend gets the focus and is scrolled into sight, should the screen be too small for all
// the fields.
void TfrmKonfig::focusField(QWidget* field) {
    field->setFocus();
    // The whole field, not only its cursor, which is all ensureWidgetVisible looks after for an edit.
    const QPoint centre = field->mapTo(m_scrFelter->widget(), field->rect().center());
    m_scrFelter->ensureVisible(centre.x(), centre.y(), field->width() / 2 + 8, field->height() / 2 + 8);
}

QString TfrmKonfig::RemoveHTTP(const QString& address) {
    QString text = trimmed(address);
    const QString scheme = QStringLiteral("http://");
    const qsizetype at = text.indexOf(scheme, 0, Qt::CaseInsensitive);
    if (at >= 0) {
        text = text.mid(at + scheme.size());
    }
    return text;
}

void TfrmKonfig::normaliseAddress(QLineEdit* edit) {
    const QString normalised = RemoveHTTP(edit->text());
    if (normalised != edit->text()) {
        edit->setText(normalised);
    }
}

bool TfrmKonfig::askForDefaults() {
    return m_services.prompter.ask(MessageKind::Confirmation, kDefaultsQuestion, Buttons::YesNo) ==
           Answer::Yes;
}

void TfrmKonfig::defaultMottakerClicked() {
    if (!askForDefaults()) {
        return;
    }
    edtNavnMottaker->setText(kDefaultRecipientName);
    edtSupportEpost->setText(kDefaultSupportAddress);
    edtEpostMottaker->setText(m_mode.test ? kDefaultTestRecipientAddress : kDefaultRecipientAddress);
}

void TfrmKonfig::defaultWebLinksClicked() {
    if (!askForDefaults()) {
        return;
    }
    edtLinkDownload->setText(kDefaultDownloadAddress);
    edtLinkBrukerDoc->setText(kDefaultUserManualAddress);
}

void TfrmKonfig::testEMailClicked() {
    // The transport as it stands in the dialog, so the user can try a server before storing it.
    TSettings probe = m_settings;
    applyTransport(probe);
    IdleCursorPrompter questions(m_services.prompter);
    MailSelfTest test;
    {
        const BusyCursor busy;
        const std::unique_ptr<MailTransport> transport = m_services.makeTransport(probe, questions);
        test = RunMailSelfTest(edtMailAddress->text(), edtMailNavn->text(), chosenEmailSystem(),
                               m_settings.RecipientName, *transport, questions);
    }
    edtMailAddress->setText(test.addressField);
    const bool missingAddress = !test.sent && test.message == kMissingTestAddressMessage;
    m_services.prompter.tell(missingAddress ? MessageKind::Error : MessageKind::Notice,
                             mailSelfTestText(test));
}

void TfrmKonfig::testExcelClicked() {
    bool available = false;
    try {
        const BusyCursor busy;
        available = m_services.excelAvailable();
    } catch (const std::exception&) {
        // A check that breaks down counts as no office, as the availability check itself would say.
        available = false;
    }
    m_services.prompter.tell(MessageKind::Notice, available ? kExcelAvailable : kExcelUnavailable);
}

void TfrmKonfig::testInternettClicked() {
    InternetSelfTest test;
    {
        const BusyCursor busy;
        test = m_services.internetTest(edtTestURL->text());
    }
    m_services.prompter.tell(MessageKind::Notice, test.message);
}

}  // namespace telvainn::ui
