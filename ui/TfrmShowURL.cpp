#include "ui/TfrmShowURL.h"

#include <QFont>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QLineEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/WebAddress.h"

namespace telvainn::ui {
namespace {

const QString kCaption = QStringLiteral("TELVA Derorov");
const QString kAddressCaption = QStringLiteral("Her ser du internet-adressen:");
const QString kExplanation = QStringLiteral(
    "Gå direkte til web-siden ved å klikke knappen til høyre, eller kopier adressen ut til din web-leser. "
    "Det er stor sansynlighet for at dette programmet ikke får lov til å aksessere internett-siden fra din "
    "maskin.");
const QString kGoTo = QStringLiteral("Gå til...");
const QString kClose = QStringLiteral("Lukk");

}  // namespace

TfrmShowURL::TfrmShowURL(DesktopShell& shell, Prompter& prompter, QWidget* parent)
    : QDialog(parent), m_shell(shell), m_prompter(prompter) {
    setObjectName(QStringLiteral("TfrmShowURL"));
    setWindowTitle(kCaption);
    setWindowIcon(QIcon(QStringLiteral(":/icons/telvainn.svg")));

    m_lblInfo1 = new QLabel(this);
    m_lblInfo1->setObjectName(QStringLiteral("lblInfo1"));
    QFont headingFont = m_lblInfo1->font();
    headingFont.setBold(true);
    m_lblInfo1->setFont(headingFont);

    auto* addressCaption = new QLabel(kAddressCaption, this);
    addressCaption->setObjectName(QStringLiteral("lblInfo2"));

    // Editable, so that the user can correct the address before going there or copying it.
    m_edtURL = new QLineEdit(this);
    m_edtURL->setObjectName(QStringLiteral("edtURL"));

    auto* goToButton = new QPushButton(kGoTo, this);
    goToButton->setObjectName(QStringLiteral("btnGaaTil"));
    goToButton->setDefault(true);

    auto* explanation = new QLabel(kExplanation, this);
    explanation->setObjectName(QStringLiteral("lblInfo3"));
    explanation->setWordWrap(true);

    auto* close = new QPushButton(kClose, this);
    close->setObjectName(QStringLiteral("btnLukk"));

    connect(goToButton, &QPushButton::clicked, this, [this] { goTo(); });
    connect(close, &QPushButton::clicked, this, &QDialog::reject);

    auto* addressRow = new QHBoxLayout;
    addressRow->addWidget(m_edtURL, 1);
    addressRow->addWidget(goToButton);

    auto* closeRow = new QHBoxLayout;
    closeRow->addStretch(1);
    closeRow->addWidget(close);

    auto* layout = new QVBoxLayout(this);
    layout->addWidget(m_lblInfo1);
    layout->addSpacing(8);
    layout->addWidget(addressCaption);
    layout->addLayout(addressRow);
    layout->addWidget(explanation);
    layout->addSpacing(8);
    layout->addLayout(closeRow);
    setMinimumWidth(480);
}

void TfrmShowURL::setInfoText(const QString& text) {
    m_lblInfo1->setText(text);
}

void TfrmShowURL::setUrl(const QString& address) {
    m_edtURL->setText(address);
}

// The window has said that the page may be out of reach, but a desktop that could not even try says why,
// before the window closes.
void TfrmShowURL::goTo() {
    if (!m_edtURL->text().isEmpty()) {
        const QString url = webAddressUrl(m_edtURL->text());
        if (const std::optional<QString> failure = m_shell.open(url)) {
            m_prompter.tell(MessageKind::Error, linkFailureText(url, *failure));
        }
    }
    accept();
}

}  // namespace telvainn::ui
