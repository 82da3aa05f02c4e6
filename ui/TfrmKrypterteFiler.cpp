#include "ui/TfrmKrypterteFiler.h"

#include <QFrame>
#include <QGroupBox>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPalette>
#include <QPushButton>
#include <QScrollArea>
#include <QStyle>
#include <algorithm>

#include "ui/ScreenRoom.h"

namespace telvainn::ui {
namespace {

const QString kCaption = QStringLiteral("Behandle krypterte filer");

const QString kHva1FlatFile = QStringLiteral("Du har bedt programmet om å kryptere den flate fila.");
const QString kHva1Spreadsheet = QStringLiteral("Du har bedt programmet om å kryptere regnearket.");
const QString kHva2OneFile = QStringLiteral("Det er dannet én kryptert fil som inneholder hele rapporten.");
const QString kHva7 =
    QStringLiteral("Dersom du ikke har et e-post system på denne maskinen, så må du kopiere");
const QString kHva8OneFile = QStringLiteral("fila over til en maskin som har det.");
const QString kHva8Files = QStringLiteral("alle filene over til en maskin som har det.");
const QString kHva3Files = QStringLiteral("Filene som ble dannet, inneholder kryptert tekst.");
const QString kSend3OneFile = QStringLiteral("Legg den krypterte fila som vedlegg til e-posten.");
const QString kSend3Files = QStringLiteral("Alle filene kan sendes som vedlegg i samme e-post.");

const QString kSend1 = QStringLiteral("Gå inn i e-post systemet ditt, og åpne en ny, tom e-post.");
const QString kSend2 = QStringLiteral("Fyll inn adresseinformasjon og emnetekst som vist nedenfor.");
const QString kEmne1 = QStringLiteral("Velg en emnetekst som forteller litt om hvem som har sendt");
const QString kEmne2 = QStringLiteral("og hva som er sendt. Ta gjerne også med navnet på e-post-");
const QString kEmne3 = QStringLiteral("systemet du benytter. Se forslag nedenfor.");
const QString kEpostAdr = QStringLiteral("Send e-posten til følgende adresse:");
const QString kEmnetekst = QStringLiteral("Dette er et forslag til en mal på en emnetekst:");
const QString kTips1 = QStringLiteral("Tips:  Du kan kopiere teksten fra disse tekstfeltene om du");
const QString kTips2 = QStringLiteral(" ønsker, ved å markere teksten, og trykke <Ctrl+C>.");
const QString kOpenFolderInfo1 = QStringLiteral(
    "Om du vil åpne mappen\r\nder filene er lagret, kan\r\ndu forsøke å klikke denne\r\nåpne-knappen.");
const QString kOpenFolderInfo2 =
    QStringLiteral("Dette fungerer trolig ikke\r\nhos alle brukere av dette\r\nprogrammet.");

const QString kGroupHva = QStringLiteral(" Hva gjør du nå? ");
const QString kGroupEpost = QStringLiteral(" Informasjon til e-posten ");
const QString kGroupFiler = QStringLiteral(" Dine krypterte filer ");
const QString kOpenFolder = QStringLiteral("Åpne mappe");
const QString kOpenRow = QStringLiteral(" Åpne ");
const QString kClose = QStringLiteral("Lukk");
const QString kUnknownFolderHint = QStringLiteral("Kan ikke åpne mappe. Ukjent adresse.");

const QString kCorrection = QStringLiteral("K");
const QString kBreak = QStringLiteral("\n\r");

const QString kOpenFileFailed = QStringLiteral("Klarte ikke åpne fila. Returnerte følgende feil:");
const QString kOpenFileManually = QStringLiteral("Forsøk å åpne fila manuelt i stedet.");
const QString kOpenFolderFailed = QStringLiteral("Klarte ikke åpne mappen. Returnerte følgende feil:");
const QString kOpenFolderManually = QStringLiteral("Forsøk å åpne mappen manuelt i stedet.");

// The list shows five rows before the window must grow.
constexpr int kVisibleRows = 5;
constexpr int kWindowWidth = 560;
constexpr int kLineHeight = 16;
// Without a fourth guidance line the two lines below it close the gap.
constexpr int kHva4Gap = 16;

constexpr int kHva7Top = 84;
constexpr int kHva8Top = 100;

constexpr int kFilerTop = 412;
constexpr int kListWidth = kWindowWidth - 32;
constexpr int kListHeight = kVisibleRows * TpnlFilnavn::kRowHeight;
constexpr int kFolderRowTop = 20 + kListHeight + 8;
constexpr int kFilerHeight = kFolderRowTop + 68;
constexpr int kCloseTop = kFilerTop + kFilerHeight + 8;
constexpr int kWindowHeight = kCloseTop + 25 + 8;

QLabel* addLabel(QWidget* parent, const QString& name, const QString& text, int left, int top, int width,
                 int lines = 1) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    label->setGeometry(left, top, width, lines * kLineHeight);
    return label;
}

QLineEdit* addReadOnlyEdit(QWidget* parent, const QString& name, int top) {
    auto* edit = new QLineEdit(parent);
    edit->setObjectName(name);
    edit->setReadOnly(true);
    edit->setGeometry(16, top, 512, 22);
    return edit;
}

QGroupBox* addGroup(QWidget* parent, const QString& name, const QString& title, int top, int height) {
    auto* group = new QGroupBox(title, parent);
    group->setObjectName(name);
    group->setGeometry(8, top, kWindowWidth - 16, height);
    return group;
}

// The folder part of a path, separator included, as the desktop's explore wants it.
QString folderOf(const QString& path) {
    const qsizetype separator = path.lastIndexOf(QLatin1Char('/'));
    return separator < 0 ? QString() : path.left(separator + 1);
}

QString shellFailure(const QString& intro, const QString& failure, const QString& advice) {
    return intro + kBreak + QLatin1Char('"') + failure + QLatin1Char('"') + QLatin1Char('.') + kBreak +
           kBreak + advice;
}

}  // namespace

TpnlFilnavn::TpnlFilnavn(const QFrame& templatePanel, const QLabel& templateLabel,
                         const QPushButton& templateButton, QWidget* list, int index,
                         const EncryptedFileRow& file) {
    const QString number = QString::number(index + 1);
    m_panel = new QFrame(list);
    m_panel->setObjectName(QStringLiteral("pnlFilnavn") + number);
    m_panel->setFrameStyle(templatePanel.frameStyle());
    m_panel->setLineWidth(templatePanel.lineWidth());
    m_panel->setMidLineWidth(templatePanel.midLineWidth());
    m_panel->setGeometry(templatePanel.x(), index * kRowHeight, templatePanel.width(),
                         templatePanel.height());

    m_label = new QLabel(m_panel);
    m_label->setObjectName(QStringLiteral("lblFilnavn") + number);
    m_label->setGeometry(templateLabel.geometry());
    m_label->setAlignment(templateLabel.alignment());

    m_button = new QPushButton(m_panel);
    m_button->setObjectName(QStringLiteral("btnOpen") + number);
    m_button->setGeometry(templateButton.geometry());
    m_button->setIcon(templateButton.icon());
    m_button->setIconSize(templateButton.iconSize());
    m_button->setText(templateButton.text());

    if (!file.ok) {
        m_ok = false;
        m_label->setText(file.text);
        // The reason after the text may not fit in the row.
        m_label->setToolTip(file.text);
        QPalette palette = m_label->palette();
        palette.setColor(QPalette::WindowText, Qt::red);
        m_label->setPalette(palette);
        m_button->setEnabled(false);
    } else {
        m_path = file.path;
        // A long path is shortened in its middle, so that both the folder and the file name, which
        // tells the rows apart, stay in sight; the tooltip has it whole.
        m_label->setText(m_label->fontMetrics().elidedText(file.text, Qt::ElideMiddle, m_label->width()));
        m_label->setToolTip(file.text);
    }
    m_panel->show();
}

TpnlFilnavn::~TpnlFilnavn() {
    delete m_panel.data();
}

TfrmKrypterteFiler::TfrmKrypterteFiler(Prompter& prompter, DesktopShell& shell, QWidget* parent)
    : QDialog(parent), m_prompter(prompter), m_shell(shell) {
    setObjectName(QStringLiteral("TfrmKrypterteFiler"));
    setWindowTitle(kCaption);
    setWindowIcon(QIcon(QStringLiteral(":/icons/telvainn.svg")));
    buildControls();
    fitToRows(0);
}

// The rows go before the dialog takes its child widgets down.
TfrmKrypterteFiler::~TfrmKrypterteFiler() {
    m_rows.clear();
}

void TfrmKrypterteFiler::buildControls() {
    constexpr int inner = kWindowWidth - 16 - 32;

    QGroupBox* hva = addGroup(this, QStringLiteral("gbHva"), kGroupHva, 8, 180);
    m_lblHva1 = addLabel(hva, QStringLiteral("lblHva1"), QString(), 16, 20, inner);
    m_lblHva2 = addLabel(hva, QStringLiteral("lblHva2"), QString(), 16, 36, inner);
    m_lblHva3 = addLabel(hva, QStringLiteral("lblHva3"), QString(), 16, 52, inner);
    m_lblHva4 = addLabel(hva, QStringLiteral("lblHva4"), QString(), 16, 68, inner);
    m_lblHva7 = addLabel(hva, QStringLiteral("lblHva7"), QString(), 16, kHva7Top, inner);
    m_lblHva8 = addLabel(hva, QStringLiteral("lblHva8"), QString(), 16, kHva8Top, inner);
    addLabel(hva, QStringLiteral("lblSend1"), kSend1, 16, 124, inner);
    addLabel(hva, QStringLiteral("lblSend2"), kSend2, 16, 140, inner);
    m_lblSend3 = addLabel(hva, QStringLiteral("lblSend3"), QString(), 16, 156, inner);

    QGroupBox* epost = addGroup(this, QStringLiteral("gbEpost"), kGroupEpost, 196, 208);
    addLabel(epost, QStringLiteral("lblEmne1"), kEmne1, 16, 20, inner);
    addLabel(epost, QStringLiteral("lblEmne2"), kEmne2, 16, 36, inner);
    addLabel(epost, QStringLiteral("lblEmne3"), kEmne3, 16, 52, inner);
    addLabel(epost, QStringLiteral("lblEpostAdr"), kEpostAdr, 16, 76, inner);
    m_edtEpostAdr = addReadOnlyEdit(epost, QStringLiteral("edtEpostAdr"), 92);
    addLabel(epost, QStringLiteral("lblEmnetekst"), kEmnetekst, 16, 120, inner);
    m_edtEmnetekst = addReadOnlyEdit(epost, QStringLiteral("edtEmnetekst"), 136);
    addLabel(epost, QStringLiteral("lblTips1"), kTips1, 16, 164, inner);
    addLabel(epost, QStringLiteral("lblTips2"), kTips2, 16, 180, inner);

    m_gbFiler = addGroup(this, QStringLiteral("gbFiler"), kGroupFiler, kFilerTop, kFilerHeight);
    // The list scrolls once the window may grow no further on the screen.
    m_scrFiler = new QScrollArea(m_gbFiler);
    m_scrFiler->setObjectName(QStringLiteral("scrFiler"));
    m_scrFiler->setFrameShape(QFrame::NoFrame);
    m_scrFiler->setHorizontalScrollBarPolicy(Qt::ScrollBarAlwaysOff);
    m_scrFiler->setVerticalScrollBarPolicy(Qt::ScrollBarAsNeeded);
    m_pnlFiler = new QFrame;
    m_pnlFiler->setObjectName(QStringLiteral("pnlFiler"));
    m_pnlFiler->setFrameStyle(QFrame::NoFrame);
    m_scrFiler->setWidget(m_pnlFiler);

    // The template every file row is copied from; never shown itself.
    m_pnlDummyPanel = new QFrame(m_pnlFiler);
    m_pnlDummyPanel->setObjectName(QStringLiteral("pnlDummyPanel"));
    m_pnlDummyPanel->setFrameStyle(QFrame::Panel | QFrame::Raised);
    m_pnlDummyPanel->setLineWidth(1);
    m_lblDummyFilnavn = new QLabel(m_pnlDummyPanel);
    m_lblDummyFilnavn->setObjectName(QStringLiteral("lblDummyFilnavn"));
    m_lblDummyFilnavn->setAlignment(Qt::AlignLeft | Qt::AlignVCenter);
    m_btnDummyOpen = new QPushButton(kOpenRow, m_pnlDummyPanel);
    m_btnDummyOpen->setObjectName(QStringLiteral("btnDummyOpen"));
    m_btnDummyOpen->setIcon(QIcon(QStringLiteral(":/icons/document-open.svg")));
    m_btnDummyOpen->setIconSize(QSize(16, 16));
    shapeTemplateRow(kListWidth);
    m_pnlDummyPanel->hide();

    m_btnOpenFolder = new QPushButton(kOpenFolder, m_gbFiler);
    m_btnOpenFolder->setObjectName(QStringLiteral("btnOpenFolder"));
    m_lblOpenFolder1 = new QLabel(kOpenFolderInfo1, m_gbFiler);
    m_lblOpenFolder1->setObjectName(QStringLiteral("lblOpenFolder1"));
    m_lblOpenFolder2 = new QLabel(kOpenFolderInfo2, m_gbFiler);
    m_lblOpenFolder2->setObjectName(QStringLiteral("lblOpenFolder2"));

    m_btnLukk = new QPushButton(kClose, this);
    m_btnLukk->setObjectName(QStringLiteral("btnLukk"));
    m_btnLukk->setDefault(true);

    connect(m_btnOpenFolder, &QPushButton::clicked, this, [this] { openFolder(); });
    connect(m_btnLukk, &QPushButton::clicked, this, &QDialog::accept);
}

// The rows are copies of the template, so it takes the width the list leaves them: all of it, or what
// is left beside the scroll bar.
void TfrmKrypterteFiler::shapeTemplateRow(int width) {
    m_pnlDummyPanel->setGeometry(0, 0, width, TpnlFilnavn::kRowHeight);
    m_lblDummyFilnavn->setGeometry(8, 7, width - 104, kLineHeight);
    m_btnDummyOpen->setGeometry(width - 88, 3, 80, 24);
}

// From the sixth row on the window grows by a row at a time, as far as the room on the screen allows;
// the list scrolls through the rest. Everything below the list moves down by what it grows.
void TfrmKrypterteFiler::fitToRows(int rows) {
    const QSize room = m_room.value_or(windowRoom(this));
    const int roomForList = room.height() - (kWindowHeight - kListHeight);
    const int fitting = std::max(1, roomForList / TpnlFilnavn::kRowHeight);
    const int visible = std::min(std::max(kVisibleRows, rows), fitting);
    const int extra = (visible - kVisibleRows) * TpnlFilnavn::kRowHeight;
    const bool scrolls = rows > visible;
    shapeTemplateRow(scrolls ? kListWidth - m_scrFiler->style()->pixelMetric(QStyle::PM_ScrollBarExtent)
                             : kListWidth);

    m_gbFiler->resize(m_gbFiler->width(), kFilerHeight + extra);
    m_scrFiler->setGeometry(8, 20, kListWidth, kListHeight + extra);
    m_pnlFiler->resize(m_pnlDummyPanel->width(), std::max(rows, visible) * TpnlFilnavn::kRowHeight);
    m_btnOpenFolder->setGeometry(8, kFolderRowTop + extra, 100, 25);
    m_lblOpenFolder1->setGeometry(124, kFolderRowTop + extra, 190, 4 * kLineHeight);
    m_lblOpenFolder2->setGeometry(330, kFolderRowTop + extra, 190, 3 * kLineHeight);
    m_btnLukk->setGeometry(kWindowWidth - 88, kCloseTop + extra, 80, 25);
    setFixedSize(kWindowWidth, kWindowHeight + extra);
}

void TfrmKrypterteFiler::SetAddress(const QString& address) {
    m_edtEpostAdr->setText(address);
    m_edtEpostAdr->setCursorPosition(0);
}

void TfrmKrypterteFiler::SetTexts(const KrypterteFilerTexts& texts) {
    const bool fromFlatFile = texts.source == kSourceFlatFile;
    m_lblHva1->setText(fromFlatFile ? kHva1FlatFile : kHva1Spreadsheet);

    const QString count = QString::number(texts.fileCount);
    if (texts.fileCount == 1 || !fromFlatFile) {
        m_lblHva2->setText(kHva2OneFile);
        m_lblHva3->setText(QStringLiteral("Den skal sendes ") + texts.recipientName +
                           QStringLiteral(" pr. e-post (som vedlegg)."));
        m_lblHva4->clear();
        m_lblHva7->move(m_lblHva7->x(), kHva7Top - kHva4Gap);
        m_lblHva8->move(m_lblHva8->x(), kHva8Top - kHva4Gap);
        m_lblHva7->setText(kHva7);
        m_lblHva8->setText(kHva8OneFile);
        m_lblSend3->setText(kSend3OneFile);
    } else {
        if (texts.companies < 2) {
            m_lblHva2->setText(QStringLiteral("Den flate fila inneholdt tall for ") + count +
                               QStringLiteral(" rapporter, og det er derfor dannet ") + count +
                               QStringLiteral(" filer."));
        } else {
            m_lblHva2->setText(QStringLiteral("Den flate fila inneholdt tall for ") +
                               QString::number(texts.companies) + QStringLiteral(" selskaper (totalt ") +
                               count + QStringLiteral(" rapporter)."));
        }
        m_lblHva3->setText(kHva3Files);
        m_lblHva4->setText(QStringLiteral("Disse skal sendes ") + texts.recipientName +
                           QStringLiteral(" pr. e-post (som vedlegg)."));
        m_lblHva7->move(m_lblHva7->x(), kHva7Top);
        m_lblHva8->move(m_lblHva8->x(), kHva8Top);
        m_lblHva7->setText(kHva7);
        m_lblHva8->setText(kHva8Files);
        m_lblSend3->setText(kSend3Files);
    }

    const QString correction = texts.reportType == kCorrection ? kCorrection : QString();
    const QString tail = QStringLiteral(", periode: ") + texts.period + QStringLiteral(", ver.") +
                         texts.version + QStringLiteral(", mail: ") + texts.mailSystem;
    if (texts.companies >= 2) {
        m_edtEmnetekst->setText(QStringLiteral("Dsnr: ") + texts.dsnr + QStringLiteral(", Regnr: (") +
                                QString::number(texts.companies) + QStringLiteral(" stk), type: ") +
                                texts.reportType + tail);
    } else if (texts.fileCount < 2) {
        m_edtEmnetekst->setText(QStringLiteral("Regnr: ") + texts.regnr + QStringLiteral(", rapp: ") +
                                texts.reportNumber + correction + tail);
    } else {
        m_edtEmnetekst->setText(QStringLiteral("Regnr: ") + texts.regnr + QStringLiteral(", rapp: xx") +
                                correction + tail);
    }
    // A subject longer than the field is shown from its start, where it says who sent what.
    m_edtEmnetekst->setCursorPosition(0);
}

void TfrmKrypterteFiler::SetFiles(const std::vector<EncryptedFileRow>& files) {
    m_rows.clear();
    m_folder.clear();
    // The rows copy the template as the list's room shapes it.
    fitToRows(static_cast<int>(files.size()));
    for (std::size_t i = 0; i < files.size(); ++i) {
        auto row = std::make_unique<TpnlFilnavn>(*m_pnlDummyPanel, *m_lblDummyFilnavn, *m_btnDummyOpen,
                                                 m_pnlFiler, static_cast<int>(i), files[i]);
        if (row->ok()) {
            m_folder = folderOf(files[i].path);
        }
        connect(row->openButton(), &QPushButton::clicked, this,
                [this, path = row->path()] { openFile(path); });
        m_rows.push_back(std::move(row));
    }

    const bool anyOk = std::any_of(m_rows.begin(), m_rows.end(), [](const auto& row) { return row->ok(); });
    m_btnOpenFolder->setEnabled(anyOk);
    m_btnOpenFolder->setToolTip(anyOk ? QString() : kUnknownFolderHint);
    // The notes beside the button speak of it, so they grey with it.
    m_lblOpenFolder1->setEnabled(anyOk);
    m_lblOpenFolder2->setEnabled(anyOk);
}

void TfrmKrypterteFiler::openFile(const QString& path) {
    if (const std::optional<QString> failure = m_shell.open(path)) {
        m_prompter.tell(MessageKind::Error, shellFailure(kOpenFileFailed, *failure, kOpenFileManually));
    }
}

void TfrmKrypterteFiler::openFolder() {
    if (const std::optional<QString> failure = m_shell.explore(m_folder)) {
        m_prompter.tell(MessageKind::Error, shellFailure(kOpenFolderFailed, *failure, kOpenFolderManually));
    }
}

}  // namespace telvainn::ui
