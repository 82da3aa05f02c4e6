#include "ui/TfrmAbout.h"

#include <QDateTime>
#include <QFont>
#include <QHBoxLayout>
#include <QIcon>
#include <QLabel>
#include <QPushButton>
#include <QVBoxLayout>

#include "core/ProgramInfo.h"

namespace telvainn::ui {
namespace {

const QString kCaption = QStringLiteral("Om TELVA-rapportering");
const QString kHeading = QStringLiteral("TELVA-rapportering");
const QString kSupportMail = QStringLiteral("Support mail:");
const QString kOk = QStringLiteral("Ok");
const QString kProgramPicture = QStringLiteral(":/icons/telvainn.svg");

QLabel* addLabel(QWidget* parent, const QString& name, const QString& text) {
    auto* label = new QLabel(text, parent);
    label->setObjectName(name);
    return label;
}

}  // namespace

QString aboutVersionText(const QString& version, const QString& buildStamp) {
    // The date is shown the same way whatever the user's locale.
    const QDate date = QDateTime::fromString(buildStamp, QStringLiteral("yyyyMMddHHmm")).date();
    return QStringLiteral("Versjon ") + version + QStringLiteral("   -   <") +
           date.toString(QStringLiteral("dd.MM.yyyy")) + QLatin1Char('>');
}

TfrmAbout::TfrmAbout(const TSettings& settings, QWidget* parent) : QDialog(parent) {
    setObjectName(QStringLiteral("TfrmAbout"));
    setWindowTitle(kCaption);
    setWindowIcon(QIcon(kProgramPicture));

    QLabel* picture = addLabel(this, QStringLiteral("imgProgram"), QString());
    picture->setPixmap(QIcon(kProgramPicture).pixmap(64, 64));
    picture->setAlignment(Qt::AlignTop | Qt::AlignLeft);

    QLabel* heading = addLabel(this, QStringLiteral("lblHeading"), kHeading);
    QFont headingFont = heading->font();
    headingFont.setPointSizeF(headingFont.pointSizeF() * 1.6);
    headingFont.setBold(true);
    heading->setFont(headingFont);

    QLabel* version =
        addLabel(this, QStringLiteral("lblVersionInfo"), aboutVersionText(kProgramVersion, kBuildStamp));
    QLabel* owner = addLabel(this, QStringLiteral("lblProgramEier"), settings.RecipientName);
    QLabel* info =
        addLabel(this, QStringLiteral("lblProgramInfo"),
                 QStringLiteral("Program for validering og innrapporterting av finansstatistikk-data til ") +
                     settings.RecipientName + QLatin1Char('.'));
    info->setWordWrap(true);
    QLabel* supportCaption = addLabel(this, QStringLiteral("lblSupportMail"), kSupportMail);
    QLabel* support = addLabel(this, QStringLiteral("lblSupportMailAddr"), settings.SupportAddress);
    // So the address can be copied into a mail.
    support->setTextInteractionFlags(Qt::TextSelectableByMouse);

    auto* ok = new QPushButton(kOk, this);
    ok->setObjectName(QStringLiteral("btnOk"));
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);

    auto* text = new QVBoxLayout;
    text->addWidget(heading);
    text->addWidget(version);
    text->addSpacing(8);
    text->addWidget(owner);
    text->addWidget(info);
    text->addSpacing(8);
    auto* supportRow = new QHBoxLayout;
    supportRow->addWidget(supportCaption);
    supportRow->addWidget(support, 1);
    text->addLayout(supportRow);

    auto* top = new QHBoxLayout;
    top->addWidget(picture);
    top->addSpacing(12);
    top->addLayout(text, 1);

    auto* buttons = new QHBoxLayout;
    buttons->addStretch(1);
    buttons->addWidget(ok);
    buttons->addStretch(1);

    auto* layout = new QVBoxLayout(this);
    layout->addLayout(top);
    layout->addSpacing(12);
    layout->addLayout(buttons);
    setMinimumWidth(420);
}

}  // namespace telvainn::ui
