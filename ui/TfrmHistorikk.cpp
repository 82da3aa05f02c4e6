#include "ui/TfrmHistorikk.h"

#include <QComboBox>
#include <QDialogButtonBox>
#include <QFileInfo>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QRegularExpressionValidator>
#include <QTabWidget>
#include <QTableWidget>
#include <QVBoxLayout>

#include "app/HistoryResend.h"
#include "app/HistoryTexts.h"
#include "core/Error.h"
#include "core/FileIo.h"
#include "core/ReportCatalogue.h"
#include "core/ReportIdentity.h"
#include "transmission/DataFileRun.h"
#include "ui/HistoryOverviewPage.h"
#include "ui/HistoryWarnings.h"

namespace telvainn::ui {
namespace {

const QStringList kColumns{
    QStringLiteral("Tidspunkt"), QStringLiteral("Modus"),   QStringLiteral("Måte"),
    QStringLiteral("Regnr"),     QStringLiteral("Rapport"), QStringLiteral("Periode"),
    QStringLiteral("Type"),      QStringLiteral("Utfall"),  QStringLiteral("Mottaker")};

const QString kCaption = QStringLiteral("Historikk over sendte rapporter");
const QString kCsvName = QStringLiteral("telvainn-historikk.csv");
const QString kAll = QStringLiteral("Alle");
const QString kEntryGone = QStringLiteral("Rapporten finnes ikke lenger i historikken.");
// %1 the file.
const QString kSavedAgain = QStringLiteral("Rapporten er lagret igjen i fila:\r\n%1");
const QString kCsvFilter = QStringLiteral("CSV-filer (*.csv)|*.csv|Alle filer (*.*)|*.*");
// %1 the file, %2 the reason.
const QString kExportFailed = QStringLiteral("Klarte ikke å eksportere historikken til fila:\r\n%1\r\n-> %2");
// %1 the rows ("1 rad", "12 rader"), %2 the file.
const QString kExported = QStringLiteral("%1 fra historikken er eksportert til fila:\r\n%2");

QString reportText(int reportNumber) {
    return QStringLiteral("R") + QString::number(reportNumber);
}

// The name the entry's bytes had, or would have had as an encrypted file.
QString suggestedName(const HistoryRecord& record) {
    if (record.entry.kind != HistoryKind::Mail) {
        return QFileInfo(record.entry.recipient).fileName();
    }
    const TReportIdentity& identity = record.entry.identity;
    return encryptedReportFilePath(QStringLiteral("Filnavn"), identity.Periode, regnrText(identity.Regnr),
                                   QString::number(identity.Rapportnr), identity.Rapporttype,
                                   record.entry.mode.test);
}

QPushButton* addButton(QHBoxLayout* row, const QString& name, const QString& text) {
    auto* button = new QPushButton(text);
    button->setObjectName(name);
    button->setAutoDefault(false);
    row->addWidget(button);
    return button;
}

// The entry's clear-text block and report, to read and copy.
void showContent(const HistoryRecord& record, const SentReportContent& content, QWidget* parent,
                 const DialogRunner& run) {
    QDialog dialog(parent);
    dialog.setObjectName(QStringLiteral("TfrmVisRapport"));
    const TReportIdentity& identity = record.entry.identity;
    dialog.setWindowTitle(
        QStringLiteral("Rapport %1 for periode %2, %3")
            .arg(reportText(identity.Rapportnr), identity.Periode, historyTimeText(record.localTime)));
    auto* text = new QPlainTextEdit(&dialog);
    text->setObjectName(QStringLiteral("memRapport"));
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    QFont fixed(QStringLiteral("Monospace"));
    fixed.setStyleHint(QFont::TypeWriter);
    text->setFont(fixed);
    text->setPlainText(content.xml.isEmpty() ? content.clearText
                                             : content.clearText + QLatin1Char('\n') + content.xml);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Close, &dialog);
    buttons->button(QDialogButtonBox::Close)->setText(QStringLiteral("Lukk"));
    QObject::connect(buttons, &QDialogButtonBox::rejected, &dialog, &QDialog::reject);
    auto* layout = new QVBoxLayout(&dialog);
    layout->addWidget(text);
    layout->addWidget(buttons);
    dialog.resize(760, 560);
    run(dialog);
}

}  // namespace

TfrmHistorikk::TfrmHistorikk(SendHistory& history, HistorikkServices services, int regnr, QWidget* parent)
    : QDialog(parent), m_history(history), m_services(std::move(services)) {
    setObjectName(QStringLiteral("TfrmHistorikk"));
    setWindowTitle(kCaption);
    setSizeGripEnabled(true);
    m_tabs = new QTabWidget(this);
    m_tabs->setObjectName(QStringLiteral("tabsHistorikk"));
    auto* listPage = new QWidget;
    listPage->setObjectName(QStringLiteral("tabSendte"));
    buildListPage(listPage);
    m_tabs->addTab(listPage, QStringLiteral("Sendte rapporter"));
    m_overview = new HistoryOverviewPage(history, *m_services.prompter, m_services.today, regnr);
    m_tabs->addTab(m_overview, QStringLiteral("Oversikt"));
    // Read when looked at, so that the list comes first; again each time, since a send may have changed it.
    connect(m_tabs, &QTabWidget::currentChanged, this, [this] {
        if (m_tabs->currentWidget() == m_overview) {
            m_overview->refresh();
        }
    });

    auto* close = new QDialogButtonBox(QDialogButtonBox::Close, this);
    close->button(QDialogButtonBox::Close)->setText(QStringLiteral("Lukk"));
    // Return belongs to the list, which shows the entry; Escape closes the window.
    close->button(QDialogButtonBox::Close)->setAutoDefault(false);
    connect(close, &QDialogButtonBox::rejected, this, &QDialog::reject);
    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_tabs);
    layout->addWidget(close);
    resize(1000, 600);
    reload();
    m_grdHistorikk->setFocus();
}

TfrmHistorikk::~TfrmHistorikk() = default;

void TfrmHistorikk::buildListPage(QWidget* page) {
    auto* filters = new QHBoxLayout;
    const auto addLabel = [&](const QString& text) { filters->addWidget(new QLabel(text, page)); };
    const auto periodEdit = [&](const QString& name) {
        auto* edit = new QLineEdit(page);
        edit->setObjectName(name);
        edit->setPlaceholderText(QStringLiteral("ååååmm"));
        edit->setValidator(
            new QRegularExpressionValidator(QRegularExpression(QStringLiteral("\\d{0,6}")), edit));
        edit->setMaximumWidth(80);
        // A period half typed does not filter; a whole one or none does.
        connect(edit, &QLineEdit::textChanged, this, [this](const QString& text) {
            if (text.isEmpty() || text.size() == 6) {
                reload();
            }
        });
        filters->addWidget(edit);
        return edit;
    };
    const auto combo = [&](const QString& name) {
        auto* box = new QComboBox(page);
        box->setObjectName(name);
        box->addItem(kAll);
        filters->addWidget(box);
        return box;
    };
    addLabel(QStringLiteral("Periode fra:"));
    m_edtFraPeriode = periodEdit(QStringLiteral("edtFraPeriode"));
    addLabel(QStringLiteral("til:"));
    m_edtTilPeriode = periodEdit(QStringLiteral("edtTilPeriode"));
    addLabel(QStringLiteral("Rapport:"));
    m_cbRapport = combo(QStringLiteral("cbRapport"));
    for (const int reportNumber : kReportNumbers) {
        m_cbRapport->addItem(reportText(reportNumber), reportNumber);
    }
    addLabel(QStringLiteral("Regnr:"));
    m_cbRegnr = combo(QStringLiteral("cbRegnr"));
    for (const int regnr : m_history.companies()) {
        m_cbRegnr->addItem(regnrText(regnr), regnr);
    }
    addLabel(QStringLiteral("Utfall:"));
    m_cbUtfall = combo(QStringLiteral("cbUtfall"));
    for (const HistoryOutcome outcome :
         {HistoryOutcome::Sent, HistoryOutcome::Failed, HistoryOutcome::Unknown}) {
        m_cbUtfall->addItem(historyOutcomeText(outcome), static_cast<int>(outcome));
    }
    filters->addStretch();
    for (QComboBox* box : {m_cbRapport, m_cbRegnr, m_cbUtfall}) {
        connect(box, &QComboBox::currentIndexChanged, this, &TfrmHistorikk::reload);
    }

    m_grdHistorikk = new QTableWidget(0, static_cast<int>(kColumns.size()), page);
    m_grdHistorikk->setObjectName(QStringLiteral("grdHistorikk"));
    m_grdHistorikk->setHorizontalHeaderLabels(kColumns);
    m_grdHistorikk->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdHistorikk->setSelectionBehavior(QAbstractItemView::SelectRows);
    m_grdHistorikk->setSelectionMode(QAbstractItemView::SingleSelection);
    m_grdHistorikk->verticalHeader()->hide();
    m_grdHistorikk->horizontalHeader()->setStretchLastSection(true);
    connect(m_grdHistorikk, &QTableWidget::itemSelectionChanged, this, &TfrmHistorikk::updateButtons);
    // A double click or Return on an entry shows it.
    connect(m_grdHistorikk, &QTableWidget::activated, this, &TfrmHistorikk::showReport);

    auto* commands = new QHBoxLayout;
    m_btnVis = addButton(commands, QStringLiteral("btnVis"), QStringLiteral("Vis rapport"));
    m_btnLagre = addButton(commands, QStringLiteral("btnLagreIgjen"), QStringLiteral("Lagre igjen..."));
    m_btnSend = addButton(commands, QStringLiteral("btnSendIgjen"), QStringLiteral("Send igjen"));
    commands->addStretch();
    m_btnFlere = addButton(commands, QStringLiteral("btnFlere"), QStringLiteral("Vis flere"));
    m_btnEksporter = addButton(commands, QStringLiteral("btnEksporter"), QStringLiteral("Eksporter..."));
    connect(m_btnVis, &QPushButton::clicked, this, &TfrmHistorikk::showReport);
    connect(m_btnLagre, &QPushButton::clicked, this, &TfrmHistorikk::saveAgain);
    connect(m_btnSend, &QPushButton::clicked, this, &TfrmHistorikk::sendAgain);
    connect(m_btnFlere, &QPushButton::clicked, this, &TfrmHistorikk::fetchPage);
    connect(m_btnEksporter, &QPushButton::clicked, this, &TfrmHistorikk::exportRows);

    auto* layout = new QVBoxLayout(page);
    layout->addLayout(filters);
    layout->addWidget(m_grdHistorikk);
    layout->addLayout(commands);
}

HistoryFilter TfrmHistorikk::filter() const {
    HistoryFilter filter;
    filter.periodFrom = m_edtFraPeriode->text();
    filter.periodTo = m_edtTilPeriode->text();
    if (m_cbRapport->currentIndex() > 0) {
        filter.reportNumber = m_cbRapport->currentData().toInt();
    }
    if (m_cbRegnr->currentIndex() > 0) {
        filter.regnr = m_cbRegnr->currentData().toInt();
    }
    if (m_cbUtfall->currentIndex() > 0) {
        filter.outcome = static_cast<HistoryOutcome>(m_cbUtfall->currentData().toInt());
    }
    return filter;
}

void TfrmHistorikk::reload() {
    m_records.clear();
    m_grdHistorikk->setRowCount(0);
    fetchPage();
    if (m_tabs->currentWidget() == m_overview) {
        m_overview->refresh();
    }
}

void TfrmHistorikk::fetchPage() {
    HistoryFilter page = filter();
    page.offset = static_cast<int>(m_records.size());
    // One more than is shown tells whether there are more.
    page.limit = kHistoryPageSize + 1;
    QList<HistoryRecord> records = m_history.list(page);
    const bool more = records.size() > kHistoryPageSize;
    if (more) {
        records.removeLast();
    }
    for (const HistoryRecord& record : records) {
        addRow(record);
    }
    m_btnFlere->setEnabled(more);
    m_grdHistorikk->resizeColumnsToContents();
    updateButtons();
    tellHistoryWarnings(m_history, *m_services.prompter);
}

void TfrmHistorikk::addRow(const HistoryRecord& record) {
    const int row = static_cast<int>(m_records.size());
    m_records.append(record);
    m_grdHistorikk->insertRow(row);
    const TReportIdentity& identity = record.entry.identity;
    const QStringList texts{historyTimeText(record.localTime),
                            historyModeText(record.entry.mode),
                            historyKindText(record.entry.kind),
                            regnrText(identity.Regnr),
                            reportText(identity.Rapportnr),
                            identity.Periode,
                            identity.Rapporttype,
                            historyOutcomeText(record.outcome),
                            record.entry.recipient};
    for (int column = 0; column < texts.size(); ++column) {
        m_grdHistorikk->setItem(row, column, new QTableWidgetItem(texts.at(column)));
    }
}

void TfrmHistorikk::updateButtons() {
    const int row = m_grdHistorikk->currentRow();
    const bool selected = !m_grdHistorikk->selectedItems().isEmpty() && row >= 0 && row < m_records.size();
    m_btnVis->setEnabled(selected);
    m_btnLagre->setEnabled(selected);
    m_btnSend->setEnabled(selected && m_services.resend &&
                          m_records.at(row).entry.kind != HistoryKind::DataFile);
    m_btnEksporter->setEnabled(!m_records.isEmpty());
}

std::optional<HistoryRecord> TfrmHistorikk::selectedRecord() {
    const int row = m_grdHistorikk->currentRow();
    if (row < 0 || row >= m_records.size()) {
        return std::nullopt;
    }
    std::optional<HistoryRecord> record = m_history.record(m_records.at(row).id);
    if (!record) {
        const QString warning = m_history.takeWarning();
        m_services.prompter->tell(MessageKind::Error, warning.isEmpty() ? kEntryGone : warning);
    }
    return record;
}

void TfrmHistorikk::showReport() {
    const std::optional<HistoryRecord> record = selectedRecord();
    if (!record) {
        return;
    }
    SentReportContent content;
    try {
        content = ReadSentReport(*record);
    } catch (const std::exception& error) {
        m_services.prompter->tell(MessageKind::Error, errorText(error));
        return;
    }
    showContent(*record, content, this, m_services.runDialog);
}

void TfrmHistorikk::saveAgain() {
    const std::optional<HistoryRecord> record = selectedRecord();
    if (!record) {
        return;
    }
    const std::optional<QString> chosen = m_services.fileDialogs->saveFile(
        this,
        {QStringLiteral("Lagre rapporten igjen"), kAllFilesFilter, 1, suggestedName(*record),
         record->entry.kind == HistoryKind::DataFile ? FolderKind::DataFiles : FolderKind::EncryptedFiles});
    if (!chosen) {
        return;
    }
    const ReportResult saved = SaveFromHistory(m_history, record->id, *chosen);
    m_services.prompter->tell(saved.done() ? MessageKind::Information : MessageKind::Error,
                              saved.done() ? kSavedAgain.arg(*chosen) : saved.message);
    tellHistoryWarnings(m_history, *m_services.prompter);
}

void TfrmHistorikk::sendAgain() {
    const int row = m_grdHistorikk->currentRow();
    if (row < 0 || row >= m_records.size() || !m_services.resend) {
        return;
    }
    m_services.resend(m_records.at(row).id);
    reload();
}

void TfrmHistorikk::exportRows() {
    const std::optional<QString> chosen =
        m_services.fileDialogs->saveFile(this, {QStringLiteral("Eksporter historikken"), kCsvFilter, 1,
                                                kCsvName, FolderKind::Reports, QStringLiteral(".csv")});
    if (!chosen) {
        return;
    }
    QString reason;
    if (!writeFileAtomically(*chosen, HistoryCsv(m_records), &reason)) {
        m_services.prompter->tell(MessageKind::Error, kExportFailed.arg(*chosen, reason));
        return;
    }
    const QString rows =
        m_records.size() == 1 ? QStringLiteral("1 rad") : QStringLiteral("%1 rader").arg(m_records.size());
    m_services.prompter->tell(MessageKind::Information, kExported.arg(rows, *chosen));
}

}  // namespace telvainn::ui
