#include <gtest/gtest.h>

#include "ui/FileDialogs.h"

using telvainn::ui::qtNameFilters;

TEST(FileDialogsTest, FilterPairsBecomeQtNameFiltersThatShowEveryFile) {
    EXPECT_EQ(qtNameFilters(telvainn::ui::kExcelFilesFilter),
              (QStringList{QStringLiteral("Alle filer (*.*) (*)"),
                           QStringLiteral("Microsft Excel filer (*.xls)")}));
    EXPECT_EQ(qtNameFilters(QStringLiteral("Tekst|*.txt;*.csv")),
              QStringList{QStringLiteral("Tekst (*.txt *.csv)")});
    EXPECT_TRUE(qtNameFilters(QString()).isEmpty());
}
