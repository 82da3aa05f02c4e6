#include <gtest/gtest.h>

#include <QDialogButtonBox>
#include <QInputDialog>
#include <QMessageBox>
#include <QPushButton>

#include "report/TVeskReport.h"
#include "support/ModalSteps.h"
#include "ui/MessageBoxPrompter.h"

using namespace telvainn;
using testsupport::ModalSteps;

namespace {

// The texts of a dialog's buttons as the user reads them, in their order on screen.
QStringList buttonTexts(QWidget& dialog) {
    QStringList texts;
    for (QAbstractButton* button : dialog.findChild<QDialogButtonBox*>()->buttons()) {
        texts.append(button->text().remove(QLatin1Char('&')));
    }
    texts.sort();
    return texts;
}

// What the buttons of the prompter's message box read; the box is answered with Escape's button.
template <typename Ask>
QStringList buttonsOf(Ask ask) {
    ModalSteps user;
    QStringList texts;
    user.then<QDialog>([&](QDialog& dialog) {
        texts = buttonTexts(dialog);
        dialog.reject();
        return true;
    });
    ask();
    EXPECT_TRUE(user.done());
    return texts;
}

}  // namespace

// Qt's own buttons speak bokmål; only the save reminder keeps "OK" and "Cancel", which its text names.
TEST(QtTranslationTest, QuestionsShowNorwegianButtonsAndTheSaveReminderTheOnesItNames) {
    ui::MessageBoxPrompter prompter;
    EXPECT_EQ(buttonsOf([&] {
                  prompter.ask(MessageKind::Confirmation, QStringLiteral("Er den korrekt?"), Buttons::YesNo);
              }),
              (QStringList{QStringLiteral("Ja"), QStringLiteral("Nei")}));
    EXPECT_EQ(buttonsOf([&] { prompter.askPassword(QStringLiteral("Passord for telva@dalvora.no:")); }),
              (QStringList{QStringLiteral("Avbryt"), QStringLiteral("OK")}));
    EXPECT_EQ(buttonsOf([&] { prompter.ask(MessageKind::Warning, kSaveReminderMessage, Buttons::OkCancel); }),
              (QStringList{QStringLiteral("Cancel"), QStringLiteral("OK")}));

    QMessageBox box(QMessageBox::Question, QStringLiteral("Bekreft"), QStringLiteral("Lagre?"),
                    QMessageBox::Yes | QMessageBox::No | QMessageBox::Cancel | QMessageBox::Save |
                        QMessageBox::Open | QMessageBox::Close);
    EXPECT_EQ(buttonTexts(box),
              (QStringList{QStringLiteral("Avbryt"), QStringLiteral("Ja"), QStringLiteral("Lagre"),
                           QStringLiteral("Lukk"), QStringLiteral("Nei"), QStringLiteral("Åpne")}));
}
