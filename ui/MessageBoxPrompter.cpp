#include "ui/MessageBoxPrompter.h"

#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "core/ProgramInfo.h"

namespace telvainn::ui {
namespace {

QMessageBox::Icon iconOf(MessageKind kind) {
    switch (kind) {
        case MessageKind::Warning:
            return QMessageBox::Warning;
        case MessageKind::Error:
            return QMessageBox::Critical;
        case MessageKind::Information:
            return QMessageBox::Information;
        case MessageKind::Confirmation:
            return QMessageBox::Question;
        case MessageKind::Notice:
            break;
    }
    return QMessageBox::NoIcon;
}

QString titleOf(MessageKind kind) {
    switch (kind) {
        case MessageKind::Warning:
            return QStringLiteral("Advarsel");
        case MessageKind::Error:
            return QStringLiteral("Feil");
        case MessageKind::Information:
            return QStringLiteral("Informasjon");
        case MessageKind::Confirmation:
            return QStringLiteral("Bekreft");
        case MessageKind::Notice:
            break;
    }
    return kApplicationTitle;
}

}  // namespace

QString screenText(const QString& text) {
    QString shown = text;
    shown.replace(QLatin1String("\n\r"), QLatin1String("\n"));
    shown.replace(QLatin1String("\r\n"), QLatin1String("\n"));
    shown.replace(QLatin1Char('\r'), QLatin1Char('\n'));
    return shown;
}

Answer MessageBoxPrompter::ask(MessageKind kind, const QString& text, Buttons buttons) {
    QMessageBox box(iconOf(kind), titleOf(kind), screenText(text), QMessageBox::NoButton, m_parent);
    switch (buttons) {
        case Buttons::Ok:
            box.setStandardButtons(QMessageBox::Ok);
            break;
        case Buttons::YesNo:
            box.setStandardButtons(QMessageBox::Yes | QMessageBox::No);
            box.setDefaultButton(QMessageBox::Yes);
            break;
        case Buttons::OkCancel:
            box.setStandardButtons(QMessageBox::Ok | QMessageBox::Cancel);
            box.setDefaultButton(QMessageBox::Ok);
            // The one such question, the save reminder, tells the user to click "OK" or "Cancel" by
            // name, so these two keep those names in any language.
            box.button(QMessageBox::Ok)->setText(QStringLiteral("OK"));
            box.button(QMessageBox::Cancel)->setText(QStringLiteral("Cancel"));
            break;
    }
    switch (box.exec()) {
        case QMessageBox::Yes:
            return Answer::Yes;
        case QMessageBox::Ok:
            return Answer::Ok;
        case QMessageBox::Cancel:
            return Answer::Cancel;
        default:
            return buttons == Buttons::OkCancel ? Answer::Cancel : Answer::No;
    }
}

void MessageBoxPrompter::tell(MessageKind kind, const QString& text) {
    QMessageBox box(iconOf(kind), titleOf(kind), screenText(text), QMessageBox::Ok, m_parent);
    box.exec();
}

std::optional<QString> MessageBoxPrompter::askPassword(const QString& text) {
    bool ok = false;
    const QString password = QInputDialog::getText(m_parent, kApplicationTitle, screenText(text),
                                                   QLineEdit::Password, QString(), &ok);
    if (!ok) {
        return std::nullopt;
    }
    return password;
}

}  // namespace telvainn::ui
