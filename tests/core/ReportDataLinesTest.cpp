#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "core/Error.h"
#include "core/Numbers.h"
#include "core/ReportDataLines.h"

using namespace telvainn;
using testing::ThrowsMessage;

namespace {

const Locale kNorwegian{QLatin1Char(','), QChar(0xA0), QStringLiteral("dd.MM.yyyy")};
const TReportIdentity kIdentity{7, 123, 20, QStringLiteral(" 202403\t"), QStringLiteral("N")};

RowRecord row(const QString& verdi, const QString& land = QStringLiteral("NO")) {
    return {{},
            QStringLiteral("1234567"),
            QStringLiteral("12"),
            QStringLiteral("150"),
            QStringLiteral("64"),
            land,
            QStringLiteral("1"),
            verdi};
}

QString lineOf(const RowRecord& r) {
    return formatDataLine(kIdentity, r, kNorwegian);
}

}  // namespace

TEST(IntegerConversion, TakesASignAndDigitsWithinSixtyFourBits) {
    EXPECT_EQ(toInteger(u"-0042"), -42);
    EXPECT_EQ(toInteger(u"-9223372036854775808"), INT64_MIN);
    EXPECT_THAT([] { toInteger(u" 1"); }, ThrowsMessage<Error>("\" 1\" er ikke et gyldig heltall."));
    for (const char16_t* bad : {u"", u"+", u"1 ", u"1-2", u"12a", u"9223372036854775808"}) {
        EXPECT_THAT([&] { toInteger(bad); }, ThrowsMessage<Error>(notAnIntegerMessage(bad).toStdString()));
    }
    // A report number far beyond 32 bits must not wrap round to one the catalogue knows.
    EXPECT_EQ(toInteger32(u"-2147483648"), INT32_MIN);
    EXPECT_THAT([] { toInteger32(u"4294967306"); },
                ThrowsMessage<Error>("\"4294967306\" er ikke et gyldig heltall."));
}

TEST(DataLine, ZeroPadsEveryFieldAndSplitsTheSign) {
    EXPECT_EQ(lineOf(row(QStringLiteral("-1234,5"))),
              QStringLiteral("012320202403012123456715006400NO0110000001234"));
    EXPECT_TRUE(lineOf(row(QStringLiteral("1235,5"))).endsWith(u"00000001236"));
    EXPECT_TRUE(lineOf(row(QStringLiteral("-0,4"))).endsWith(u"00000000000"));
    // Four decimals first, then whole units: 3,49995 -> 3,5000 -> 4.
    EXPECT_TRUE(lineOf(row(QStringLiteral("3,49995"))).endsWith(u"00000000004"));
    EXPECT_TRUE(lineOf(row(QStringLiteral("-99,99995"))).endsWith(u"10000000100"));
    EXPECT_TRUE(lineOf(row(QStringLiteral("-12345678901"))).endsWith(u"112345678901"));
    EXPECT_EQ(lineOf(row(QStringLiteral("1"), QStringLiteral("12345"))),
              QStringLiteral("012320202403012123456715006412340100000000001"));
    EXPECT_EQ(lineOf({{}, {}, {}, {}, {}, {}, {}, QStringLiteral("5")}),
              QStringLiteral("012320202403000000000000000000000000000000005"));
}

TEST(DataLines, HeaderThenLinesOrTheFailureOfTheRow) {
    EXPECT_TRUE(formatDataHeaderLine({7, 123, 20, QStringLiteral("202403"), QStringLiteral("k")}, 3)
                    .startsWith(QLatin1Char('K')));
    DataLinesBuilder builder(kIdentity, kNorwegian);
    EXPECT_THAT([&] { builder.text(); },
                ThrowsMessage<Error>("Klarte ikke generere noen datalinjer. Fila kan være tom."));
    RowRecord letters = row(QStringLiteral("1"));
    letters.sektor = QStringLiteral("AB");
    EXPECT_THAT([&] { builder.addRow(12, letters); },
                ThrowsMessage<Error>(
                    "Klarte ikke formatere rapportens rad nr 12\r\n\"AB\" er ikke et gyldig heltall."));
    EXPECT_THAT([&] { builder.addRow(13, row(QStringLiteral("1,2,3"))); },
                ThrowsMessage<Error>(
                    "Klarte ikke formatere rapportens rad nr 13\r\n\"1,2,3\" er ikke et gyldig beløp."));

    builder.addRow(14, row(QStringLiteral("1")));
    builder.addRow(15, row(QStringLiteral("2"), QString()));
    builder.addRow(16, row(QStringLiteral("3")));
    EXPECT_EQ(builder.text(), QStringLiteral("F0072024030000032000000000000000\r\n"
                                             "012320202403012123456715006400NO0100000000001\r\n"
                                             "012320202403012123456715006400000100000000002\r\n"
                                             "012320202403012123456715006400NO0100000000003\r\n"));
}

TEST(DataFileBytes, EndWithExactlyOneLineBreakInWindows1252) {
    EXPECT_EQ(dataFileBytes(QStringLiteral(" \r\nF007\r\n00ØS\r\n\r\n")), QByteArray("F007\r\n00\xD8S\r\n"));
}
