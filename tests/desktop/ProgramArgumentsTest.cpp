#include <gtest/gtest.h>

#include "desktop/DesktopProgram.h"

namespace {

// Qt's own options (-reverse, -style) are arguments the user gave; the program knows none of them.
TEST(ProgramArgumentsTest, QtsOwnOptionsAreUnknownArgumentsAndEndTheProgram) {
    for (const QString& option : {QStringLiteral("-reverse"), QStringLiteral("-style=fusion")}) {
        SCOPED_TRACE(option.toStdString());
        DesktopProgram desktop;
        ASSERT_TRUE(desktop.start({option}));
        // The error is the window that has the focus; Enter answers it and the program ends.
        const QString error = desktop.waitForFocus(QStringLiteral("^Feil$"));
        ASSERT_FALSE(error.isEmpty()) << "no error window has the focus";
        EXPECT_TRUE(desktop.waitForWindow(QStringLiteral("TELVA"), 0).isEmpty()) << "the main window showed";
        desktop.key(QStringLiteral("Return"));
        EXPECT_EQ(desktop.waitForExit(), 0);
    }
}

}  // namespace
