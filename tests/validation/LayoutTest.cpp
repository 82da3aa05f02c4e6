#include <gtest/gtest.h>

#include "validation/Layout.h"

using namespace telvainn;

TEST(Layouts, ASplitObjectCodeIsColouredAsOneAndItsHeadIsNotCheckedAlone) {
    const Layout older20 = olderLayout(20);
    EXPECT_EQ(older20.column(Field::Tillegg), 2);
    EXPECT_EQ(older20.column(Field::Objektid), 3);
    EXPECT_EQ(older20.cellTemplate(Field::Objektid), QStringLiteral("BÅ;CÅ"));
    EXPECT_TRUE(older20.cellTemplate(Field::Tillegg).isEmpty());

    // Report 11's older tillegg is the maturity, checked in its own cell.
    const Layout older11 = olderLayout(11);
    EXPECT_EQ(older11.cellTemplate(Field::Objektid), QStringLiteral("CÅ"));
    EXPECT_EQ(older11.cellTemplate(Field::Tillegg), QStringLiteral("BÅ"));

    const Layout current60 = currentLayout(60);
    EXPECT_EQ(current60.cellTemplate(Field::Land), QStringLiteral("EÅ"));
    EXPECT_TRUE(current60.cellTemplate(Field::Tillegg).isEmpty());
    EXPECT_EQ(current60.textColumn, 1);
}

TEST(Layouts, TheCorrectionFormColoursTheColumnsItReads) {
    const CorrectionLayout eleven = correctionLayout(11);
    EXPECT_FALSE(eleven.reads(1));
    EXPECT_TRUE(eleven.reads(2));
    EXPECT_FALSE(eleven.reads(9));
    EXPECT_EQ(eleven.cellTemplates[static_cast<std::size_t>(Field::Objektid)], QStringLiteral("BÅ;CÅ;DÅ;EÅ"));
    EXPECT_EQ(eleven.cellTemplates[static_cast<std::size_t>(Field::Tillegg)], QStringLiteral("FÅ"));
    EXPECT_TRUE(eleven.cellTemplates[static_cast<std::size_t>(Field::Land)].isEmpty());
    EXPECT_EQ(eleven.cellTemplates[static_cast<std::size_t>(Field::Verdi)], QStringLiteral("KÅ"));

    const CorrectionLayout thirtyFive = correctionLayout(35);
    EXPECT_EQ(thirtyFive.cellTemplates[static_cast<std::size_t>(Field::Objektid)],
              QStringLiteral("AÅ;BÅ;CÅ;DÅ;EÅ"));
    EXPECT_TRUE(thirtyFive.cellTemplates[static_cast<std::size_t>(Field::Sektor)].isEmpty());
}

TEST(Layouts, ANumberOutsideTheTableReadsNothing) {
    EXPECT_EQ(currentLayout(12).column(Field::Objektid), 0);
    EXPECT_TRUE(olderLayout(12).cellTemplate(Field::Verdi).isEmpty());
    const CorrectionLayout none = correctionLayout(12);
    for (int column = 1; column <= 11; ++column) {
        EXPECT_FALSE(none.reads(column)) << column;
    }
    EXPECT_TRUE(none.cellTemplates[static_cast<std::size_t>(Field::Objektid)].isEmpty());
}
