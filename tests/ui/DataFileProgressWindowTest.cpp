#include <gtest/gtest.h>

#include <QApplication>
#include <QDialog>
#include <QLabel>
#include <QMessageBox>
#include <QMouseEvent>
#include <QProgressBar>
#include <QPushButton>

#include "ui/DataFileProgressWindow.h"

using namespace telvainn;

namespace {

// A left click in the middle of `widget`, through the application as the window system delivers it.
void click(QWidget* widget) {
    const QPointF centre = QRectF(widget->rect()).center();
    for (const QEvent::Type type : {QEvent::MouseButtonPress, QEvent::MouseButtonRelease}) {
        QMouseEvent event(type, centre, widget->mapToGlobal(centre), Qt::LeftButton,
                          type == QEvent::MouseButtonPress ? Qt::LeftButton : Qt::NoButton, Qt::NoModifier);
        QApplication::sendEvent(widget, &event);
    }
}

}  // namespace

TEST(DataFileProgressWindowTest, ShowsOnlyWhileReportsAreProcessedAndNamesTheReportUnderWay) {
    QWidget mainWindow;
    mainWindow.show();
    ui::DataFileProgressWindow window(&mainWindow);
    // The questions before the first report have the screen to themselves: no window exists yet.
    EXPECT_EQ(window.dialog(), nullptr);

    window({0, 3, QStringLiteral("4567"), QStringLiteral("10")});
    ASSERT_NE(window.dialog(), nullptr);
    EXPECT_TRUE(window.dialog()->isVisible());
    EXPECT_EQ(window.label()->text(), QStringLiteral("Behandler rapport 1 av 3\nRegnr 4567, rapport 10"));
    EXPECT_EQ(window.bar()->maximum(), 3);
    EXPECT_EQ(window.bar()->value(), 0);
    window({2, 3, QStringLiteral("1234"), QStringLiteral("20")});
    EXPECT_EQ(window.label()->text(), QStringLiteral("Behandler rapport 3 av 3\nRegnr 1234, rapport 20"));
    EXPECT_EQ(window.bar()->value(), 2);
    // The main window's commands wait for the run: a click there while it lasts is dropped.
    auto* command = new QPushButton(QStringLiteral("Send"), &mainWindow);
    command->show();
    int clicks = 0;
    QObject::connect(command, &QPushButton::clicked, [&clicks] { ++clicks; });
    click(command);
    EXPECT_EQ(clicks, 0);
    EXPECT_FALSE(mainWindow.close());

    // The call with every report done ends the run's window.
    window({3, 3, QStringLiteral("1234"), QStringLiteral("20")});
    EXPECT_EQ(window.dialog(), nullptr);
    click(command);
    EXPECT_EQ(clicks, 1);
    EXPECT_TRUE(mainWindow.close());
}

TEST(DataFileProgressWindowTest, StepsAsideForAQuestionOfTheRunAndIsGoneWhenFinished) {
    QWidget mainWindow;
    mainWindow.show();
    ui::DataFileProgressWindow window(&mainWindow);
    window({0, 2, QStringLiteral("4567"), QStringLiteral("10")});
    ASSERT_NE(window.dialog(), nullptr);
    ASSERT_TRUE(window.dialog()->isVisible());

    // A password prompt of the mail server, opened while the first report is sent.
    QMessageBox question(QMessageBox::Question, QStringLiteral("TELVA"), QStringLiteral("Passord?"),
                         QMessageBox::Ok, &mainWindow);
    question.setWindowModality(Qt::ApplicationModal);
    question.show();
    EXPECT_FALSE(window.dialog()->isVisible());
    EXPECT_EQ(QApplication::activeModalWidget(), &question);
    // The next report starts while the question is still open: the progress stays out of its way.
    window({1, 2, QStringLiteral("4567"), QStringLiteral("20")});
    EXPECT_FALSE(window.dialog()->isVisible());

    question.hide();
    window({1, 2, QStringLiteral("4567"), QStringLiteral("20")});
    EXPECT_TRUE(window.dialog()->isVisible());

    // A failed run never reaches "all done"; the window is gone before its message is shown.
    window.finish();
    EXPECT_EQ(window.dialog(), nullptr);
}
