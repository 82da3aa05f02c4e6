#include <gtest/gtest.h>

#include "core/Locale.h"
#include "core/Numbers.h"
#include "core/Windows1252.h"
#include "core/XmlEscape.h"

using namespace telvainn;

TEST(Windows1252, EveryByteSurvivesTheRoundTrip) {
    QByteArray all;
    for (int b = 0; b < 256; ++b) {
        all.append(static_cast<char>(b));
    }
    const QString text = fromWindows1252(all);
    ASSERT_EQ(text.size(), 256);
    EXPECT_EQ(toWindows1252(text), all);
}

TEST(Windows1252, MapsTheNorwegianLettersAndTheHighControlRange) {
    EXPECT_EQ(fromWindows1252("\xC6\xD8\xC5\xE6\xF8\xE5"), QStringLiteral("ÆØÅæøå"));
    EXPECT_EQ(fromWindows1252("\x80\x8A\x9F"), QStringLiteral("€ŠŸ"));
    EXPECT_EQ(toWindows1252(QStringLiteral("PÅ")), QByteArray("P\xC5"));
    EXPECT_EQ(toWindows1252(QStringLiteral("€ – “x”")), QByteArray("\x80 \x96 \x93x\x94"));
}

TEST(Windows1252, CharactersOutsideTheCodePageBecomeOneQuestionMarkEach) {
    EXPECT_EQ(toWindows1252(QStringLiteral("a\u0100b")), QByteArray("a?b"));
    EXPECT_EQ(toWindows1252(QString::fromUtf8("x\xF0\x9F\x98\x80y")), QByteArray("x?y"));  // outside the BMP
    EXPECT_EQ(toWindows1252(QStringLiteral("\u4E2D\u6587")), QByteArray("??"));
}

TEST(Windows1252, LongTextsAreConvertedTheSameWhereverTheSpecialCharactersFall) {
    // Long texts go through in blocks; a special character or a surrogate pair may sit on any boundary.
    for (const int at : {0, 62, 63, 64, 127, 128, 190}) {
        QString text(200, QLatin1Char('x'));
        QByteArray expected(200, 'x');
        text[at] = QChar(0x20AC);
        expected[at] = '\x80';
        text.replace(at + 1, 1, QStringLiteral("\U0001F600"));  // two units, one "?"
        expected[at + 1] = '?';
        EXPECT_EQ(toWindows1252(text), expected) << "at " << at;
    }
}

TEST(NumberTests, IsNumberAcceptsDigitsSignsAndOnlyTheLocalesSeparator) {
    EXPECT_TRUE(isNumber(u"0001234567", QLatin1Char(',')));
    EXPECT_TRUE(isNumber(u"-12,5", QLatin1Char(',')));
    EXPECT_TRUE(isNumber(u"+-", QLatin1Char(',')));  // the test looks at characters, not their order
    EXPECT_FALSE(isNumber(u"12.5", QLatin1Char(',')));
    EXPECT_TRUE(isNumber(u"12.5", QLatin1Char('.')));
    EXPECT_FALSE(isNumber(u"", QLatin1Char(',')));
    EXPECT_FALSE(isNumber(u"12 3", QLatin1Char(',')));
    EXPECT_FALSE(isNumber(u"NO", QLatin1Char(',')));
}

TEST(NumberTests, DigitsOnly) {
    EXPECT_TRUE(isDigitsOnly(u"200906"));
    EXPECT_FALSE(isDigitsOnly(u""));
    EXPECT_FALSE(isDigitsOnly(u"+123"));
    EXPECT_FALSE(isDigitsOnly(u"12a"));
}

TEST(AmountRounding, HalvesGoToTheEvenNeighbour) {
    const QChar comma(QLatin1Char(','));
    EXPECT_EQ(roundAmountHalfEven(u"2,5", comma), 2);
    EXPECT_EQ(roundAmountHalfEven(u"3,5", comma), 4);
    EXPECT_EQ(roundAmountHalfEven(u"1234,5", comma), 1234);
    EXPECT_EQ(roundAmountHalfEven(u"1235,5", comma), 1236);
    EXPECT_EQ(roundAmountHalfEven(u"-1234,5", comma), -1234);
    EXPECT_EQ(roundAmountHalfEven(u"-2,5", comma), -2);
    EXPECT_EQ(roundAmountHalfEven(u"-0,4", comma), 0);
    EXPECT_EQ(roundAmountHalfEven(u"2,50001", comma), 3);  // above the half
    EXPECT_EQ(roundAmountHalfEven(u"2,4999", comma), 2);
    EXPECT_EQ(roundAmountHalfEven(u"+7", comma), 7);
    EXPECT_EQ(roundAmountHalfEven(u",5", comma), 0);
    EXPECT_EQ(roundAmountHalfEven(u"9,", comma), 9);
}

TEST(AmountRounding, UsesTheLocalesSeparatorAndRefusesWhatIsNoAmount) {
    EXPECT_EQ(roundAmountHalfEven(u"1235.5", QLatin1Char('.')), 1236);
    EXPECT_EQ(roundAmountHalfEven(u"1235.5", QLatin1Char(',')), std::nullopt);
    for (const char16_t* bad : {u"", u"-", u",", u"1-2", u"1,2,3", u"12a", u"--1"}) {
        EXPECT_EQ(roundAmountHalfEven(bad, QLatin1Char(',')), std::nullopt)
            << QString::fromUtf16(bad).toStdString();
    }
}

TEST(AmountRounding, HoldsSixtyFourBitAmounts) {
    EXPECT_EQ(roundAmountHalfEven(u"9999999999", QLatin1Char(',')), 9999999999LL);
    EXPECT_EQ(roundAmountHalfEven(u"-99999999999", QLatin1Char(',')), -99999999999LL);
    EXPECT_EQ(roundAmountHalfEven(u"9223372036854775807", QLatin1Char(',')), INT64_MAX);
    EXPECT_EQ(roundAmountHalfEven(u"9223372036854775807,9", QLatin1Char(',')), std::nullopt);
    EXPECT_EQ(roundAmountHalfEven(u"9223372036854775808", QLatin1Char(',')), std::nullopt);
}

TEST(Trimming, RemovesBlanksAndControlCharactersAtBothEndsOnly) {
    EXPECT_EQ(trimBlanks(u" \t\r\n a b \x1A\r\n"), u"a b");
    EXPECT_EQ(trimBlanks(u"   "), u"");
}

TEST(ZeroPadding, WorksLikePrintfPrecision) {
    EXPECT_EQ(zeroPadded(7, 3), QStringLiteral("007"));
    EXPECT_EQ(zeroPadded(4567, 3), QStringLiteral("4567"));
    EXPECT_EQ(zeroPadded(-7, 3), QStringLiteral("-007"));
}

TEST(XmlEscaping, EscapesTheFiveCharactersAndLeavesOthersAlone) {
    EXPECT_EQ(escapeXmlAttribute(u"Tom & Jerry's <\"AS\">"),
              QStringLiteral("Tom &amp; Jerry&apos;s &lt;&quot;AS&quot;&gt;"));
    EXPECT_EQ(escapeXmlAttribute(u"&amp;"), QStringLiteral("&amp;amp;"));
    EXPECT_EQ(escapeXmlAttribute(u"Line\r\nbreak ØÆÅ"), QStringLiteral("Line\r\nbreak ØÆÅ"));
}

TEST(LocaleValue, NorwegianHasADecimalCommaAndEnglishAPoint) {
    const Locale norwegian = Locale::from(QLocale(QLocale::NorwegianBokmal, QLocale::Norway));
    EXPECT_EQ(norwegian.decimalSeparator, QLatin1Char(','));
    EXPECT_EQ(norwegian.formatShortDate(QDate(2009, 2, 25)), QStringLiteral("25.02.2009"));
    const Locale english = Locale::from(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(english.decimalSeparator, QLatin1Char('.'));
    EXPECT_EQ(english.thousandsSeparator, QLatin1Char(','));
}
