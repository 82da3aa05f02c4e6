#include "ui/TfrmMain.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QLabel>
#include <QPalette>
#include <QPlainTextEdit>
#include <QScreen>
#include <QTimer>
#include <QToolButton>

#include "app/ProgramFolder.h"
#include "app/SettingsStore.h"
#include "app/StartUp.h"
#include "core/Error.h"
#include "core/ProgramInfo.h"
#include "ui/BusyCursor.h"
#include "ui/HistoryWarnings.h"

namespace telvainn::ui {
namespace {

const QString kCaptionPrefix = QStringLiteral("Innsending av TELVA-data til ");
const QString kCaptionSuffix = QStringLiteral(" som kryptert e-post");
const QString kTestCaptionSuffix = QStringLiteral("  -  TESTMODUS");
const QString kDataFileCaption = QStringLiteral("Program for generering av datafil for TELVA-rapporter");

const QColor kNoteColour(0x80, 0x00, 0x80);

constexpr int kButtonSize = 32;
constexpr int kRowHeight = 36;
constexpr int kFirstRowTop = 32;
constexpr std::array kColumnLeft{8, 290};
constexpr std::array kLabelWidth{240, 190};

const QStringList kPictureButtons{
    QStringLiteral("btnNew"),        QStringLiteral("btnOpen"),   QStringLiteral("btnValidate"),
    QStringLiteral("btnSendReport"), QStringLiteral("btnSave"),   QStringLiteral("btnSave2"),
    QStringLiteral("btnSendFile"),   QStringLiteral("btnKonfig"), QStringLiteral("btnHjemmeside"),
    QStringLiteral("btnBrukerdoc"),  QStringLiteral("btnClose"),  QStringLiteral("btnLagDatafil")};

const QStringList kSendAndSaveControls{QStringLiteral("btnSendReport"), QStringLiteral("lblSend"),
                                       QStringLiteral("btnSendFile"),   QStringLiteral("lblSendFile"),
                                       QStringLiteral("btnSave"),       QStringLiteral("lblSave1"),
                                       QStringLiteral("lblSave2"),      QStringLiteral("btnSave2"),
                                       QStringLiteral("lblSave3"),      QStringLiteral("lblSave4")};

QIcon picture(const QString& name) {
    return QIcon::fromTheme(name, QIcon(QStringLiteral(":/icons/") + name + QStringLiteral(".svg")));
}

struct Label {
    QString name;
    QString text;
    bool note = false;  // the purple remark under a save command
};

}  // namespace

TfrmMain::TfrmMain(const QStringList& arguments, DesktopServices services, QWidget* parent)
    : QMainWindow(parent), m_services(std::move(services)), m_prompter(*m_services.prompter) {
    setObjectName(QStringLiteral("TfrmMain"));
    setWindowTitle(kApplicationTitle);
    setWindowIcon(picture(QStringLiteral("telvainn")));
    buildWindow();

    StartUp start = StartProgram(arguments, m_services.programFolder, m_prompter);
    if (start.stop) {
        m_stop = true;
        return;
    }
    m_mode = start.mode;
    m_settings = std::move(start.settings);
    m_reports = std::make_unique<TVeskReports>(m_services.makeExcel(), m_settings, m_mode, m_services.locale,
                                               m_prompter, m_services.programFolder);
    m_reports->SetReportClosedHandler([this] { ReportClosed(); });
    m_history = std::make_unique<SendHistory>(m_services.programFolder);
    m_recorder = std::make_unique<HistoryRecorder>(m_history.get(), m_mode);
    m_reports->setDepartureLog(m_recorder.get());
    // The office notices the user's closing on a thread of its own; the window runs it on its own.
    m_reports->excel().SetNotificationWaker([this] {
        QMetaObject::invokeMethod(
            this, [this] { m_reports->excel().DeliverNotifications(); }, Qt::QueuedConnection);
    });
    if (!start.settingsError.isEmpty()) {
        m_prompter.tell(MessageKind::Error, start.settingsError);
    }
    tellHistoryWarnings(*m_history, m_prompter);
    if (start.firstRun) {
        aKonfig();
    }
    UpdateActions();
}

TfrmMain::~TfrmMain() {
    if (m_reports) {
        m_reports->excel().SetNotificationWaker({});
    }
}

void TfrmMain::StartupTemplateChecks() {
    if (const std::optional<QString> missing = MissingTemplatesMessage(m_services.programFolder)) {
        m_prompter.tell(MessageKind::Notice, *missing);
    }
    if (!m_settings.CheckExcelOnStartup) {
        return;
    }
    std::optional<QString> unreachable;
    {
        const BusyCursor busy;
        unreachable = RecordTemplateVersionsAtStart(m_reports->excel(), m_settings, m_services.programFolder,
                                                    m_services.locale);
    }
    if (unreachable) {
        m_prompter.tell(MessageKind::Notice, *unreachable);
    }
    bringToFront();
}

QAction* TfrmMain::addCommand(const QString& name, const QString& buttonName, const QString& icon,
                              const QStringList& labels, const QString& hint, int column, int row) {
    auto* action = new QAction(this);
    action->setObjectName(name);
    action->setStatusTip(hint);
    auto* button = new QToolButton(centralWidget());
    button->setObjectName(buttonName);
    if (!icon.isEmpty()) {
        button->setIcon(picture(icon));
    }
    button->setIconSize(QSize(24, 24));
    const int left = kColumnLeft.at(static_cast<std::size_t>(column));
    const int top = kFirstRowTop + row * kRowHeight;
    button->setGeometry(left, top, kButtonSize, kButtonSize);
    connect(button, &QToolButton::clicked, action, &QAction::trigger);

    QList<QWidget*> controls{button};
    for (qsizetype i = 0; i < labels.size(); ++i) {
        const QStringList parts = labels[i].split(QLatin1Char('|'));
        auto* label = new QLabel(parts.value(1), centralWidget());
        label->setObjectName(parts.value(0));
        if (parts.value(2) == QLatin1String("note")) {
            // Purple only while the command can be used: the disabled colour stays the style's, so the
            // note greys with its button.
            QPalette palette = label->palette();
            for (const QPalette::ColorGroup group : {QPalette::Active, QPalette::Inactive}) {
                palette.setColor(group, QPalette::WindowText, kNoteColour);
            }
            label->setPalette(palette);
        }
        const int labelLeft = left + kButtonSize + 4;
        const int labelWidth = kLabelWidth.at(static_cast<std::size_t>(column));
        if (labels.size() == 1) {
            // A long label takes a second line beside its button.
            label->setWordWrap(true);
            label->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
            label->setGeometry(labelLeft, top, labelWidth, kButtonSize);
        } else {
            label->setGeometry(labelLeft, top + static_cast<int>(i) * 16, labelWidth, 16);
        }
        controls.append(label);
    }
    connect(action, &QAction::enabledChanged, this, [controls](bool enabled) {
        for (QWidget* control : controls) {
            control->setEnabled(enabled);
        }
    });
    addAction(action);
    return action;
}

void TfrmMain::buildWindow() {
    setCentralWidget(new QWidget(this));
    setMinimumSize(878, 297);
    resize(1014, 297);
    if (const QScreen* screen = QGuiApplication::primaryScreen()) {
        move(screen->availableGeometry().center() - rect().center());
    }

    const auto connectTo = [this](QAction* action, void (TfrmMain::*command)()) {
        connect(action, &QAction::triggered, this, command);
        return action;
    };
    const QString note = QStringLiteral("|(fila kan sendes som vedlegg i e-post)|note");
    connectTo(
        addCommand(QStringLiteral("aNewReport"), QStringLiteral("btnNew"), QStringLiteral("document-new"),
                   {QStringLiteral("lblNew|Opprett ny Excel-rapport fra mal")},
                   QStringLiteral("Starter en ny rapport"), 0, 0),
        &TfrmMain::aNewReport);
    connectTo(
        addCommand(QStringLiteral("aOpenReport"), QStringLiteral("btnOpen"), QStringLiteral("document-open"),
                   {QStringLiteral("lblOpen|Åpne tidligere lagret Excel-rapport")},
                   QStringLiteral("Åpne en tidligere lagret rapport"), 0, 1),
        &TfrmMain::aOpenReport);
    m_aValidate = connectTo(addCommand(QStringLiteral("aValidate"), QStringLiteral("btnValidate"),
                                       QStringLiteral("tools-check-spelling"),
                                       {QStringLiteral("lblValidate|Valider Excel-rapporten for feil")},
                                       QStringLiteral("Valider rapport for feil"), 0, 2),
                            &TfrmMain::aValidate);
    m_aSend = connectTo(
        addCommand(QStringLiteral("aSend"), QStringLiteral("btnSendReport"), QStringLiteral("mail-send"),
                   {QStringLiteral("lblSend|Send Excel-rapporten pr. e-post")},
                   QStringLiteral("Send rapporten"), 0, 3),
        &TfrmMain::aSend);
    m_aLagre = connectTo(
        addCommand(QStringLiteral("aLagre"), QStringLiteral("btnSave"), QStringLiteral("document-save"),
                   {QStringLiteral("lblSave1|Lagre Excel-rapporten som kryptert fil"),
                    QStringLiteral("lblSave2") + note},
                   QStringLiteral("Lagre kryptert rapport til fil"), 0, 4),
        &TfrmMain::aLagre);
    connectTo(
        addCommand(QStringLiteral("aLagre2"), QStringLiteral("btnSave2"), QStringLiteral("document-save-as"),
                   {QStringLiteral("lblSave3|Åpne datafil og lagre som kryptert fil"),
                    QStringLiteral("lblSave4") + note},
                   QStringLiteral("Åpner flat fil, og lagrer som kryptert fil"), 0, 5),
        &TfrmMain::aLagre2);
    connectTo(addCommand(QStringLiteral("aSendAttachment"), QStringLiteral("btnSendFile"),
                         QStringLiteral("mail-attachment"),
                         {QStringLiteral("lblSendFile|Åpne datafil, og send pr. e-post")}, QString(), 0, 6),
              &TfrmMain::aSendAttachment);
    connectTo(addCommand(QStringLiteral("aKonfig"), QStringLiteral("btnKonfig"),
                         QStringLiteral("preferences-system"), {QStringLiteral("lblKonfig|Konfigurasjon")},
                         QStringLiteral("Konfigurasjons parametre"), 1, 0),
              &TfrmMain::aKonfig);
    connectTo(
        addCommand(QString(), QStringLiteral("btnOppdaterRapportmalVersjon"), QStringLiteral("view-refresh"),
                   {QStringLiteral("lblOppdaterRapportmalVersjon|Oppdater rapportmal-versjon")},
                   QStringLiteral("Skriver informasjon til ini-fil"), 1, 1),
        &TfrmMain::btnOppdaterRapportmalVersjonClick);
    connectTo(addCommand(QString(), QStringLiteral("btnHjemmeside"), QStringLiteral("go-home"),
                         {QStringLiteral("lblHjemmeside|Link til TELVA Duv hjemmeside")},
                         QStringLiteral("Gå til hjemmeside"), 1, 2),
              &TfrmMain::btnHjemmesideClick);
    connectTo(addCommand(QStringLiteral("aBrukerdoc"), QStringLiteral("btnBrukerdoc"),
                         QStringLiteral("help-contents"),
                         {QStringLiteral("lblBrukerdoc|Link til brukerveiledning på internett")},
                         QStringLiteral("Gå til brukerveiledning"), 1, 3),
              &TfrmMain::aBrukerdoc);
    connectTo(addCommand(QStringLiteral("aAbout"), QStringLiteral("btnAbout"), QString(),
                         {QStringLiteral("lblAbout|Om programmet")},
                         QStringLiteral("Viser informasjon om programmet"), 1, 4),
              &TfrmMain::aAbout);
    findChild<QToolButton*>(QStringLiteral("btnAbout"))->setText(QStringLiteral("i"));
    connect(
        addCommand(QStringLiteral("aAvslutt"), QStringLiteral("btnClose"), QStringLiteral("application-exit"),
                   {QStringLiteral("lblClose|Avslutt")}, QStringLiteral("Avslutter programmet"), 1, 6),
        &QAction::triggered, this, &QWidget::close);
    m_aLagDatafil = connectTo(addCommand(QStringLiteral("aLagDatafil"), QStringLiteral("btnLagDatafil"),
                                         QStringLiteral("x-office-spreadsheet"),
                                         {QStringLiteral("lblLagDatafil|Lag datafil av Excel-rapporten")},
                                         QStringLiteral("Lag datafil"), 0, 3),
                              &TfrmMain::aLagDatafil);
    // A command without a button, so that the buttons and labels keep their places: a shortcut, and the
    // only entry of the window's context menu.
    auto* historikk = new QAction(QStringLiteral("Historikk og oversikt..."), this);
    historikk->setObjectName(QStringLiteral("aHistorikk"));
    historikk->setShortcut(QKeySequence(Qt::CTRL | Qt::Key_H));
    connectTo(historikk, &TfrmMain::aHistorikk);
    centralWidget()->addAction(historikk);
    centralWidget()->setContextMenuPolicy(Qt::ActionsContextMenu);

    m_lblLogg = new QLabel(QStringLiteral("Logg-vindu"), centralWidget());
    m_lblLogg->setObjectName(QStringLiteral("lblLogg"));
    QFont bold = m_lblLogg->font();
    bold.setBold(true);
    m_lblLogg->setFont(bold);

    m_memLogg = new QPlainTextEdit(centralWidget());
    m_memLogg->setObjectName(QStringLiteral("memLogg"));
    m_memLogg->setReadOnly(true);
    m_memLogg->setLineWrapMode(QPlainTextEdit::NoWrap);
    m_memLogg->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    m_memLogg->setVerticalScrollBarPolicy(Qt::ScrollBarAlwaysOn);
    QFont courier(QStringLiteral("Courier New"));
    courier.setStyleHint(QFont::TypeWriter);
    m_memLogg->setFont(courier);

    m_btnPrintLog = new QToolButton(centralWidget());
    m_btnPrintLog->setObjectName(QStringLiteral("btnPrintLog"));
    m_btnPrintLog->setIcon(picture(QStringLiteral("document-print")));
    m_btnPrintLog->setToolTip(QStringLiteral("Skriv ut loggvindu"));
    m_btnPrintLog->resize(kButtonSize, 26);
    connect(m_btnPrintLog, &QToolButton::clicked, this, &TfrmMain::btnPrintLogClick);
    placeLog();
}

void TfrmMain::placeLog() {
    if (m_memLogg == nullptr) {
        return;
    }
    m_memLogg->setGeometry(520, 32, width() - 520 - 13, height() - 32 - 52);
    m_lblLogg->setGeometry(520, 12, 200, 16);
    m_btnPrintLog->move(m_memLogg->x() + m_memLogg->width() - m_btnPrintLog->width(), 3);
}

void TfrmMain::resizeEvent(QResizeEvent* event) {
    QMainWindow::resizeEvent(event);
    placeLog();
}

void TfrmMain::showEvent(QShowEvent* event) {
    QMainWindow::showEvent(event);
    if (!m_shown) {
        m_shown = true;
        FormShow();
    }
}

void TfrmMain::FormShow() {
    if (m_stop) {
        QTimer::singleShot(0, qApp, &QCoreApplication::quit);
        return;
    }
    QString caption = kCaptionPrefix + m_settings.RecipientName + kCaptionSuffix;
    if (m_mode.test) {
        caption += kTestCaptionSuffix;
    }
    if (m_mode.dataFile) {
        caption = kDataFileCaption;
    }
    setWindowTitle(caption);

    for (const QString& name : kPictureButtons) {
        findChild<QToolButton*>(name)->setText(QString());
    }
    const bool dataFile = m_mode.dataFile;
    for (const QString& name : kSendAndSaveControls) {
        findChild<QWidget*>(name)->setVisible(!dataFile);
    }
    // The data-file command stands where the send command stood; it is built there already.
    findChild<QWidget*>(QStringLiteral("btnLagDatafil"))->setVisible(dataFile);
    findChild<QWidget*>(QStringLiteral("lblLagDatafil"))->setVisible(dataFile);
    placeLog();
    QTimer::singleShot(0, this, &TfrmMain::StartupTemplateChecks);
}

void TfrmMain::closeEvent(QCloseEvent* event) {
    if (openReportWantsSaving()) {
        event->ignore();
        return;
    }
    event->accept();
}

bool TfrmMain::openReportWantsSaving() {
    TVeskReport* report = m_reports ? m_reports->CurrentReport() : nullptr;
    return report != nullptr && report->ConfirmSaved();
}

void TfrmMain::UpdateActions() {
    const bool open = m_reports && m_reports->CurrentReport() != nullptr;
    m_aValidate->setEnabled(open);
    m_aLagre->setEnabled(open);
    m_aSend->setEnabled(open);
    m_aLagDatafil->setEnabled(open && m_mode.dataFile);
}

void TfrmMain::ReportClosed() {
    m_memLogg->clear();
    UpdateActions();
    bringToFront();
}

void TfrmMain::bringToFront() {
    raise();
    activateWindow();
}

void TfrmMain::setLog(const QStringList& lines) {
    m_memLogg->setPlainText(lines.join(QLatin1Char('\n')));
}

void TfrmMain::appendLog(const QStringList& lines) {
    for (const QString& line : lines) {
        m_memLogg->appendPlainText(line);
    }
}

}  // namespace telvainn::ui
