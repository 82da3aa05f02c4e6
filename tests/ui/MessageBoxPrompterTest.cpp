#include <gtest/gtest.h>

#include <QApplication>
#include <QLabel>
#include <QMessageBox>
#include <QPushButton>
#include <QScreen>
#include <QTimer>
#include <functional>

#include "app/FlatFileCommands.h"
#include "app/MailSystemConfirmation.h"
#include "ui/MessageBoxPrompter.h"

using telvainn::MessageKind;
using telvainn::ui::MessageBoxPrompter;
using telvainn::ui::screenText;

namespace {

// Runs `look` on the message box once it is shown, then answers it with its first button.
void whenShown(const std::function<void(QMessageBox&)>& look) {
    QTimer::singleShot(0, [look] {
        auto* box = qobject_cast<QMessageBox*>(QApplication::activeModalWidget());
        if (box == nullptr) {
            ADD_FAILURE() << "no message box is shown";
            return;
        }
        look(*box);
        box->buttons().constFirst()->click();
    });
}

QLabel& textOf(QMessageBox& box) {
    return *box.findChild<QLabel*>(QStringLiteral("qt_msgbox_label"));
}

// Every line the text breaks itself fits the width the box gives its text, so none is wrapped again.
void expectGivenLinesKept(QMessageBox& box, const QString& text) {
    QLabel& label = textOf(box);
    for (const QString& line : screenText(text).split(QLatin1Char('\n'))) {
        EXPECT_LE(label.fontMetrics().horizontalAdvance(line), label.contentsRect().width())
            << line.toStdString();
    }
}

TEST(MessageBoxPrompterTest, MessagesAndQuestionsKeepTheirOwnLines) {
    MessageBoxPrompter prompter;
    bool seen = false;
    whenShown([&](QMessageBox& box) {
        seen = true;
        expectGivenLinesKept(box, telvainn::kNoEncryptedFilesMessage);
    });
    prompter.tell(MessageKind::Error, telvainn::kNoEncryptedFilesMessage);
    EXPECT_TRUE(seen);

    // The question before a send by a user of no particular mail system, as the program asks it.
    telvainn::TSettings settings;
    settings.EmailSystem = QStringLiteral("Annet");
    QString question;
    whenShown([&](QMessageBox& box) {
        question = textOf(box).text();
        expectGivenLinesKept(box, question);
    });
    telvainn::ConfirmMailSystem(settings, false, prompter);
    EXPECT_TRUE(question.startsWith(QStringLiteral("Du er ikke registrert som bruker")));
}

// A line wider than the box may grow on its screen is wrapped, and the box stays on the screen.
TEST(MessageBoxPrompterTest, ALineWiderThanTheScreenAllowsIsWrappedWithinIt) {
    MessageBoxPrompter prompter;
    const QString longLine = QStringLiteral("Dette er en altfor lang linje. ").repeated(20);
    bool seen = false;
    whenShown([&](QMessageBox& box) {
        seen = true;
        EXPECT_LE(box.width(), box.screen()->availableGeometry().width());
        EXPECT_GT(textOf(box).height(), 2 * textOf(box).fontMetrics().lineSpacing());
    });
    prompter.tell(MessageKind::Notice, longLine);
    EXPECT_TRUE(seen);
}

}  // namespace
