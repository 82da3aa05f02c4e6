#include "ui/MessageBoxPrompter.h"

#include <QGridLayout>
#include <QInputDialog>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <algorithm>

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

// QMessageBox wraps any text wider than about 500 pixels at that width, so the program's own line
// breaks would leave single words on lines of their own. The text is given the width of its widest
// line instead, as far as Qt lets the box grow on its screen: the screen's width less 480 pixels and at
// most 1000, or the whole width of a small screen. Only a line wider than that still wraps.
void keepGivenLines(QMessageBox& box) {
    auto* text = box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
    if (text == nullptr) {
        return;
    }
    const QScreen* screen = box.screen();
    const int screenWidth = screen != nullptr ? screen->availableGeometry().width() : 1024;
    const int boxLimit = screenWidth <= 1024 ? screenWidth : std::min(screenWidth - 480, 1000);
    int besideText = 0;
    if (const auto* grid = qobject_cast<QGridLayout*>(box.layout())) {
        const QMargins margins = grid->contentsMargins();
        besideText = margins.left() + margins.right() + 2 * std::max(0, grid->horizontalSpacing());
    }
    if (const auto* icon = box.findChild<QLabel*>(QStringLiteral("qt_msgboxex_icon_label"))) {
        besideText += icon->sizeHint().width();
    }
    int widest = 0;
    for (const QString& line : text->text().split(QLatin1Char('\n'))) {
        widest = std::max(widest, text->fontMetrics().horizontalAdvance(line));
    }
    // A little more than the glyphs, for the text layout's own rounding.
    constexpr int kSlack = 4;
    text->setMinimumWidth(std::min(widest + kSlack, boxLimit - besideText));
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
    keepGivenLines(box);
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
    keepGivenLines(box);
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
