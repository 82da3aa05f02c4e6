#include "ui/TfrmNewReport.h"

#include <QButtonGroup>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QGridLayout>
#include <QGroupBox>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QRadioButton>
#include <QTimer>
#include <QVBoxLayout>
#include <array>

#include "app/ReportPeriod.h"
#include "core/Error.h"
#include "core/ReportCatalogue.h"

namespace telvainn::ui {

TfrmNewReport::TfrmNewReport(Prompter& prompter, QDate today, QWidget* parent)
    : QDialog(parent),
      m_prompter(prompter),
      m_year(static_cast<quint16>(today.year())),
      m_month(static_cast<quint16>(today.month())) {
    setObjectName(QStringLiteral("TfrmNewReport"));
    setWindowTitle(QStringLiteral("Start ny rapport"));

    m_cmbRapportNr = new QComboBox(this);
    m_cmbRapportNr->setObjectName(QStringLiteral("cmbRapportNr"));
    for (const int report : kReportNumbers) {
        m_cmbRapportNr->addItem(QStringLiteral("%1 - Rapport %1").arg(report));
    }
    auto* lblRapportNr = new QLabel(QStringLiteral("&Velg rapport nummer:"), this);
    lblRapportNr->setBuddy(m_cmbRapportNr);

    m_edtPeriode = new QLineEdit(this);
    m_edtPeriode->setObjectName(QStringLiteral("edtPeriode"));
    m_edtPeriode->setInputMask(QStringLiteral("999999;_"));
    m_edtPeriode->setMaxLength(6);
    auto* lblPeriode = new QLabel(QStringLiteral("Periode (ååååmm)"), this);
    lblPeriode->setBuddy(m_edtPeriode);

    m_lblBrukKorrektPeriode = new QLabel(QStringLiteral("<--  Pass på å bruke korrekt periode"), this);
    m_lblBrukKorrektPeriode->setObjectName(QStringLiteral("lblBrukKorrektPeriode"));
    // Enabled it is red, disabled the style's grey: the blinking toggles between the two.
    QPalette red = m_lblBrukKorrektPeriode->palette();
    red.setColor(QPalette::Active, QPalette::WindowText, Qt::red);
    red.setColor(QPalette::Inactive, QPalette::WindowText, Qt::red);
    m_lblBrukKorrektPeriode->setPalette(red);

    auto* rsRapportType = new QGroupBox(QStringLiteral("&Rapport type"), this);
    rsRapportType->setObjectName(QStringLiteral("rsRapportType"));
    m_rsRapportType = new QButtonGroup(this);
    auto* typeLayout = new QVBoxLayout(rsRapportType);
    const std::array typeNames{QStringLiteral("Førstegangslevering"), QStringLiteral("Korreksjon")};
    for (int i = 0; i < static_cast<int>(typeNames.size()); ++i) {
        auto* button = new QRadioButton(typeNames[static_cast<std::size_t>(i)], rsRapportType);
        m_rsRapportType->addButton(button, i);
        typeLayout->addWidget(button);
    }
    m_rsRapportType->button(0)->setChecked(true);

    auto* btnOk = new QPushButton(QStringLiteral("OK"), this);
    btnOk->setObjectName(QStringLiteral("btnOk"));
    btnOk->setDefault(true);
    auto* btnAvbryt = new QPushButton(QStringLiteral("Avbryt"), this);
    btnAvbryt->setObjectName(QStringLiteral("btnAvbryt"));
    auto* buttons = new QDialogButtonBox(this);
    buttons->addButton(btnOk, QDialogButtonBox::AcceptRole);
    buttons->addButton(btnAvbryt, QDialogButtonBox::RejectRole);
    // OK accepts only through the period rules.
    disconnect(buttons, &QDialogButtonBox::accepted, nullptr, nullptr);
    connect(btnOk, &QPushButton::clicked, this, &TfrmNewReport::btnOkClick);
    connect(btnAvbryt, &QPushButton::clicked, this, &QDialog::reject);

    auto* grid = new QGridLayout;
    grid->addWidget(lblRapportNr, 0, 0);
    grid->addWidget(m_cmbRapportNr, 1, 0);
    grid->addWidget(lblPeriode, 2, 0);
    grid->addWidget(m_edtPeriode, 3, 0);
    grid->addWidget(m_lblBrukKorrektPeriode, 3, 1);
    grid->addWidget(rsRapportType, 4, 0, 1, 2);
    auto* layout = new QVBoxLayout(this);
    layout->addLayout(grid);
    layout->addWidget(buttons);

    m_timer = new QTimer(this);
    m_timer->setObjectName(QStringLiteral("Timer1"));
    m_timer->setInterval(750);
    connect(m_timer, &QTimer::timeout, this,
            [this] { m_lblBrukKorrektPeriode->setEnabled(!m_lblBrukKorrektPeriode->isEnabled()); });

    m_cmbRapportNr->setCurrentIndex(0);
    proposePeriod();
    connect(m_cmbRapportNr, &QComboBox::currentIndexChanged, this, &TfrmNewReport::proposePeriod);
    m_timer->start();
}

int TfrmNewReport::Rapportnr() const {
    return kReportNumbers.at(static_cast<std::size_t>(m_cmbRapportNr->currentIndex()));
}

QString TfrmNewReport::Periode() const {
    return m_edtPeriode->text();
}

QString TfrmNewReport::Rapporttype() const {
    return m_rsRapportType->checkedId() == 1 ? QStringLiteral("K") : QStringLiteral("N");
}

QString TfrmNewReport::proposedPeriod(int position, QDate today) {
    if (position < 0 || position >= static_cast<int>(kReportNumbers.size())) {
        throw Error(QStringLiteral("Ugyldig index i ComboBox (cmbRapportNr.ItemIndex=%1)").arg(position));
    }
    return ProposedPeriod(kReportNumbers.at(static_cast<std::size_t>(position)), today);
}

void TfrmNewReport::proposePeriod() {
    try {
        m_edtPeriode->setText(proposedPeriod(m_cmbRapportNr->currentIndex(), QDate(m_year, m_month, 1)));
    } catch (const Error& e) {
        m_prompter.tell(MessageKind::Error, e.message());
    }
}

void TfrmNewReport::btnOkClick() {
    m_timer->stop();
    bool accepted = false;
    try {
        accepted = periodAccepted();
    } catch (const Error& e) {
        m_prompter.tell(MessageKind::Error, e.message());
        return;  // the blinking stays stopped after a failed conversion
    }
    if (accepted) {
        accept();
    } else {
        m_timer->start();
    }
}

bool TfrmNewReport::periodAccepted() {
    const PeriodCheck check = CheckPeriod(Rapportnr(), Periode(), QDate(m_year, m_month, 1), m_prompter);
    if (check.outcome == PeriodCheck::Corrected) {
        m_edtPeriode->setText(check.period);
    }
    return check.accepted();
}

void TfrmNewReport::done(int result) {
    m_timer->stop();
    QDialog::done(result);
}

}  // namespace telvainn::ui
