#include "core/Locale.h"

#include <gtest/gtest.h>

namespace telvainn {
namespace {

const QDate kFirstOfDecember2008(2008, 12, 1);

TEST(LocaleShortDate, NoRegionalSettingWritesDayMonthAndFourDigitYearWithPoints) {
    EXPECT_EQ(Locale{}.formatShortDate(kFirstOfDecember2008), QStringLiteral("01.12.2008"));
    EXPECT_EQ(Locale::from(QLocale::c()).formatShortDate(kFirstOfDecember2008), QStringLiteral("01.12.2008"));
    EXPECT_EQ(Locale::from(QLocale(QStringLiteral("POSIX"))).formatShortDate(kFirstOfDecember2008),
              QStringLiteral("01.12.2008"));
}

TEST(LocaleShortDate, FollowsTheUsersRegionalSetting) {
    EXPECT_EQ(Locale::from(QLocale(QLocale::NorwegianBokmal, QLocale::Norway))
                  .formatShortDate(kFirstOfDecember2008),
              QStringLiteral("01.12.2008"));
    EXPECT_EQ(
        Locale::from(QLocale(QLocale::English, QLocale::UnitedStates)).formatShortDate(kFirstOfDecember2008),
        QStringLiteral("12/1/08"));
}

TEST(LocaleShortDate, CLocaleKeepsThePointAsDecimalSeparator) {
    const Locale c = Locale::from(QLocale::c());
    EXPECT_EQ(c.decimalSeparator, QLatin1Char('.'));
    EXPECT_EQ(c.thousandsSeparator, QLatin1Char(','));
}

}  // namespace
}  // namespace telvainn
