#include "ui/HistoryOverviewPage.h"

#include <QComboBox>
#include <QHBoxLayout>
#include <QHeaderView>
#include <QLabel>
#include <QSpinBox>
#include <QTableWidget>
#include <QVBoxLayout>
#include <algorithm>

#include "app/HistoryOverview.h"
#include "core/ReportIdentity.h"
#include "ui/HistoryWarnings.h"

namespace telvainn::ui {
namespace {

const QColor kOutstandingBackground(0xf6, 0xc4, 0xc4);
const QColor kNotDueBackground(0xe4, 0xe4, 0xe4);

QString outstandingText(int count) {
    if (count == 0) {
        return QStringLiteral("Alle rapporter som har forfalt, er levert.");
    }
    if (count == 1) {
        return QStringLiteral("1 rapport som har forfalt, er ikke levert.");
    }
    return QStringLiteral("%1 rapporter som har forfalt, er ikke levert.").arg(count);
}

}  // namespace

HistoryOverviewPage::HistoryOverviewPage(SendHistory& history, Prompter& prompter,
                                         std::function<QDate()> today, int regnr, QWidget* parent)
    : QWidget(parent), m_history(history), m_prompter(prompter), m_today(std::move(today)) {
    setObjectName(QStringLiteral("tabOversikt"));
    auto* choices = new QHBoxLayout;
    choices->addWidget(new QLabel(QStringLiteral("År:"), this));
    m_spnAar = new QSpinBox(this);
    m_spnAar->setObjectName(QStringLiteral("spnAar"));
    m_spnAar->setRange(2000, 2099);
    m_spnAar->setValue(m_today().year());
    choices->addWidget(m_spnAar);
    choices->addSpacing(16);
    choices->addWidget(new QLabel(QStringLiteral("Regnr:"), this));
    m_cbRegnr = new QComboBox(this);
    m_cbRegnr->setObjectName(QStringLiteral("cbOversiktRegnr"));
    choices->addWidget(m_cbRegnr);
    choices->addStretch();

    m_grdOversikt = new QTableWidget(this);
    m_grdOversikt->setObjectName(QStringLiteral("grdOversikt"));
    m_grdOversikt->setEditTriggers(QAbstractItemView::NoEditTriggers);
    m_grdOversikt->setSelectionMode(QAbstractItemView::NoSelection);
    // Twelve months side by side in the window's width: each cell's date goes under its word.
    m_grdOversikt->horizontalHeader()->setSectionResizeMode(QHeaderView::Stretch);
    m_grdOversikt->horizontalHeader()->setMinimumSectionSize(72);
    m_grdOversikt->verticalHeader()->setSectionResizeMode(QHeaderView::ResizeToContents);

    m_lblMangler = new QLabel(this);
    m_lblMangler->setObjectName(QStringLiteral("lblMangler"));

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(choices);
    layout->addWidget(m_grdOversikt);
    layout->addWidget(m_lblMangler);

    fillCompanies(regnr);
    connect(m_spnAar, &QSpinBox::valueChanged, this, &HistoryOverviewPage::showOverview);
    connect(m_cbRegnr, &QComboBox::currentIndexChanged, this, &HistoryOverviewPage::showOverview);
}

void HistoryOverviewPage::refresh() {
    fillCompanies(m_cbRegnr->currentData().toInt());
    showOverview();
}

void HistoryOverviewPage::fillCompanies(int wanted) {
    QList<int> companies = m_history.companies();
    if (wanted > 0 && !companies.contains(wanted)) {
        companies.append(wanted);
    }
    std::sort(companies.begin(), companies.end());
    const QSignalBlocker quiet(m_cbRegnr);
    m_cbRegnr->clear();
    for (const int regnr : companies) {
        m_cbRegnr->addItem(regnrText(regnr), regnr);
    }
    m_cbRegnr->setCurrentIndex(std::max<int>(0, static_cast<int>(companies.indexOf(wanted))));
}

void HistoryOverviewPage::showOverview() {
    m_grdOversikt->clear();
    m_grdOversikt->setRowCount(0);
    m_grdOversikt->setColumnCount(0);
    m_lblMangler->clear();
    if (m_cbRegnr->currentIndex() < 0) {
        return;
    }
    const HistoryOverview overview =
        BuildHistoryOverview(m_history, m_spnAar->value(), m_cbRegnr->currentData().toInt(), m_today());
    QStringList periods;
    for (const OverviewRow& row : overview.rows) {
        for (const OverviewCell& cell : row.cells) {
            if (!periods.contains(cell.period)) {
                periods.append(cell.period);
            }
        }
    }
    periods.sort();
    m_grdOversikt->setColumnCount(static_cast<int>(periods.size()));
    m_grdOversikt->setHorizontalHeaderLabels(periods);
    m_grdOversikt->setRowCount(static_cast<int>(overview.rows.size()));
    int outstanding = 0;
    for (int r = 0; r < overview.rows.size(); ++r) {
        const OverviewRow& row = overview.rows.at(r);
        m_grdOversikt->setVerticalHeaderItem(
            r, new QTableWidgetItem(QStringLiteral("R") + QString::number(row.reportNumber)));
        for (const OverviewCell& cell : row.cells) {
            QString text = overviewCellText(cell);
            if (cell.when.isValid()) {
                text.replace(QLatin1Char(' '), QLatin1Char('\n'));
            }
            auto* item = new QTableWidgetItem(text);
            item->setTextAlignment(Qt::AlignCenter);
            if (cell.state == OverviewState::NotDue) {
                item->setBackground(kNotDueBackground);
            } else if (cell.outstanding()) {
                ++outstanding;
                item->setBackground(kOutstandingBackground);
                QFont bold = item->font();
                bold.setBold(true);
                item->setFont(bold);
            }
            m_grdOversikt->setItem(r, static_cast<int>(periods.indexOf(cell.period)), item);
        }
    }
    m_lblMangler->setText(outstandingText(outstanding));
    tellHistoryWarnings(m_history, m_prompter);
}

}  // namespace telvainn::ui
