#include <gtest/gtest.h>

#include <QApplication>

#include "ui/Translation.h"

// The windows are tested without a screen.
int main(int argc, char** argv) {
    qputenv("QT_QPA_PLATFORM", "offscreen");
    QApplication application(argc, argv);
    // The texts a user sees, Qt's own included.
    telvainn::ui::installQtTranslation(application);
    testing::InitGoogleTest(&argc, argv);
    return RUN_ALL_TESTS();
}
