#include <gtest/gtest.h>

#include <QProgressDialog>

#include "ui/DataFileProgressWindow.h"

using namespace telvainn;

TEST(DataFileProgressWindowTest, NamesTheReportUnderWayAndStaysHiddenForAShortRun) {
    ui::DataFileProgressWindow window(nullptr);
    QProgressDialog& dialog = *window.dialog();
    EXPECT_EQ(dialog.minimumDuration(), 1000);

    window({0, 3, QStringLiteral("4567"), QStringLiteral("10")});
    EXPECT_EQ(dialog.maximum(), 3);
    EXPECT_EQ(dialog.labelText(), QStringLiteral("Behandler rapport 1 av 3\nRegnr 4567, rapport 10"));
    window({2, 3, QStringLiteral("1234"), QStringLiteral("20")});
    EXPECT_EQ(dialog.labelText(), QStringLiteral("Behandler rapport 3 av 3\nRegnr 1234, rapport 20"));
    EXPECT_FALSE(dialog.isVisible());

    // The last call, with every report done, keeps the last label and ends the run.
    window({3, 3, QStringLiteral("1234"), QStringLiteral("20")});
    EXPECT_EQ(dialog.labelText(), QStringLiteral("Behandler rapport 3 av 3\nRegnr 1234, rapport 20"));
    EXPECT_FALSE(dialog.isVisible());
}
