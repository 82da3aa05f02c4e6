#include <gtest/gtest.h>

#include <QElapsedTimer>
#include <QFile>
#include <QTemporaryDir>

#include "core/DataFile.h"
#include "core/Error.h"
#include "core/Windows1252.h"
#include "support/DataLines.h"

using namespace telvainn;

namespace {

const Locale kComma = Locale::from(QLocale(QLocale::NorwegianBokmal, QLocale::Norway));
const QDateTime kStamp(QDate(2009, 7, 3), QTime(14, 5, 9, 42));

DataFileHeader header(const char* kind = "F") {
    return {QString::fromLatin1(kind), QStringLiteral("123"), QStringLiteral("200906")};
}

// The reports of a file made of a first line and the given data lines, checked; the Regnr of the last
// line read goes to `lastRegnr`.
struct CheckedFile {
    CheckedFile(const QStringList& dataLines, const DataFileHeader& header, const Locale& locale,
                const Clock& clock)
        : text(toWindows1252(testdata::fileText(QStringList{testdata::headerLine()} + dataLines))),
          reports(text, header, locale, clock, lastRegnr) {}

    QString lastRegnr;
    DataFileText text;
    DataFileReports reports;
};

CheckedFile checked(
    const QStringList& dataLines, const char* kind = "F", const Locale& locale = kComma,
    const Clock& clock = [] { return kStamp; }) {
    return CheckedFile(dataLines, header(kind), locale, clock);
}

QStringList lines(const DataFileText& text) {
    QStringList all;
    for (qsizetype i = 0; i < text.lineCount(); ++i) {
        all.append(text.line(i));
    }
    return all;
}

QString errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const Error& e) {
        return e.message();
    }
    return QStringLiteral("(no error)");
}

}  // namespace

TEST(DataFileHeaderLine, KindLetterDsnrAndPeriod) {
    const DataFileHeader f = parseDataFileHeader(u"F1232009060000031000000000000000");
    EXPECT_EQ(f.kindLetter, QStringLiteral("F"));
    EXPECT_EQ(f.Dsnr, QStringLiteral("123"));
    EXPECT_EQ(f.Periode, QStringLiteral("200906"));
    EXPECT_EQ(parseDataFileHeader(u"0123200906").kindLetter, QStringLiteral("F"));
    EXPECT_EQ(parseDataFileHeader(u"K123200906").kindLetter, QStringLiteral("K"));
    EXPECT_EQ(parseDataFileHeader(u"X123200906").kindLetter, QStringLiteral("K"));
    EXPECT_EQ(parseDataFileHeader(u"f123200906").kindLetter, QStringLiteral("K"));
}

TEST(DataFileHeaderLine, RejectsDsnrOrPeriodThatIsNotAllDigits) {
    EXPECT_TRUE(parseDataFileHeader(u"F123200906").valid());
    for (const char16_t* line : {u"F12A200906", u"F1232009O6", u"F 23200906", u"", u"F123", u"F1232009"}) {
        EXPECT_FALSE(parseDataFileHeader(line).valid()) << QString::fromUtf16(line).toStdString();
    }
    // A line cut short keeps what it has: the Dsnr check reads it from a line of four characters.
    EXPECT_EQ(parseDataFileHeader(u"F123").Dsnr, QStringLiteral("123"));
    EXPECT_EQ(parseDataFileHeader(u"F12").Dsnr, QStringLiteral("12"));
}

TEST(DataFileLines, ALoneCrEndsALineOnlyInAFileWithoutCrLf) {
    EXPECT_EQ(lines(DataFileText("a\rb\rc")), (QStringList{"a", "b", "c"}));
    EXPECT_EQ(lines(DataFileText("a\rb\r\nc\n")), (QStringList{"a\rb", "c"}));
    EXPECT_EQ(lines(DataFileText("a\n\nb")), (QStringList{"a", QString(), "b"}));
    EXPECT_TRUE(lines(DataFileText(QByteArray())).isEmpty());
    EXPECT_EQ(DataFileText(QByteArray()).firstLine(), QString());
}

TEST(DataFileLines, ReadsCrLfAndLfLinesAndDecodesWindows1252) {
    QTemporaryDir dir;
    const QString path = dir.filePath(QStringLiteral("d.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write("first\r\nsecond\n\r\nLand \xD8\r\n");
    file.close();
    EXPECT_EQ(lines(DataFileText::read(path)), (QStringList{QStringLiteral("first"), QStringLiteral("second"),
                                                            QString(), QStringLiteral("Land Ø")}));
    const QString missing = dir.filePath(QStringLiteral("missing.txt"));
    EXPECT_EQ(errorOf([&] { DataFileText::read(missing); }),
              QStringLiteral("Klarte ikke å lese fila \"%1\": No such file or directory").arg(missing));
}

TEST(DataFileCompanies, DistinctRegnrInOrderOfFirstAppearanceSkippingBlankLines) {
    const DataFileText text("F123200906\r\n4567...\r\n\r\n   \r\n1234...\r\n  4567 \r\n");
    EXPECT_EQ(text.companies(), (QStringList{QStringLiteral("4567"), QStringLiteral("1234")}));
    EXPECT_TRUE(DataFileText("F123200906\r\n").companies().isEmpty());
}

TEST(DataFileCompanies, ManyDifferentLineStartsTakeLinearTime) {
    // 120 000 different starts, each twice: a search of the companies found so far for every line would
    // make billions of comparisons and run for minutes.
    constexpr int kStarts = 120000;
    QStringList fileLines{QStringLiteral("F123200906")};
    QStringList expected;
    for (int round = 0; round < 2; ++round) {
        for (int i = 0; i < kStarts; ++i) {
            const QChar chars[] = {QChar(u'A' + i % 26), QChar(u'A' + i / 26 % 26),
                                   QChar(u'A' + i / 676 % 26), QChar(u'0' + i / 17576)};
            const QString start(chars, 4);
            fileLines.append(start + QStringLiteral("1020090600000010101106410"));
            if (round == 0) {
                expected.append(start);
            }
        }
    }
    QElapsedTimer timer;
    timer.start();
    const QStringList companies = DataFileText(toWindows1252(testdata::fileText(fileLines))).companies();
    EXPECT_LT(timer.elapsed(), 20000);
    EXPECT_EQ(companies, expected);
}

TEST(DataFileReportIndex, UnknownNumberNamesIt) {
    EXPECT_EQ(GetReportIndex(u"51"), 6);
    EXPECT_EQ(
        errorOf([] { GetReportIndex(u"12"); }),
        QStringLiteral("Funksjonen \"TDataFileReports.GetReportIndex\" leter etter en index for rapport nr "
                       "12, men kunne ikke finne det."));
}

TEST(DataFileReportText, OneHeadPerReportAndOneObjectLinePerDataLine) {
    const CheckedFile file = checked(
        {testdata::dataLine({}),
         testdata::dataLine({.objektid = 7654321, .land = QStringLiteral("00SE"), .sign = 1, .verdi = 500})});
    const DataFileReports& texts = file.reports;
    EXPECT_EQ(texts.lineCount(0, 0), 2);
    EXPECT_EQ(texts.closedReportText(0, 0),
              QStringLiteral(
                  "<?xml version=\"1.0\" encoding=\"ISO-8859-1\"?>\r\n"
                  "<DVRAPPORT \r\n"
                  " DSNR=\"123\" \r\n"
                  " REGNR=\"4567\" \r\n"
                  " RAPPORTID=\"10\" \r\n"
                  " RAPPORTVERSJON=\"FLATFIL\" \r\n"
                  " PERIODE=\"200906\" \r\n"
                  " TYPE=\"F\" \r\n"
                  " PROGRAMVERSJON=\"3.0.5\" \r\n"
                  " TIDSSTEMPEL=\"123-4567-20090703140509042\" >\r\n"
                  "<DATA>\r\n"
                  "<OBJEKT text=\"\" tillegg=\"000\" objektid=\"1234567\" sektor=\"001\" naering=\"042\" "
                  "land=\"00NO\" valuta=\"01\" verdi=\"0000012345\" />\r\n"
                  "<OBJEKT text=\"\" tillegg=\"000\" objektid=\"7654321\" sektor=\"001\" naering=\"042\" "
                  "land=\"00SE\" valuta=\"01\" verdi=\"-0000000500\" />\r\n"
                  "</DATA>\r\n</DVRAPPORT>"));
    EXPECT_EQ(texts.informationList(0, 0, QStringLiteral("Annet"), QStringLiteral("FLATFIL")),
              (QStringList{"123", "F", "200906", "3.0.5", "4567", "10", "Annet", "FLATFIL"}));
}

TEST(DataFileReportText, EveryFieldButLandMustBeAWellFormedNumber) {
    const QString valid = testdata::dataLine({});
    const QString message =
        QStringLiteral("Dette er ikke en gyldig rapport. Fant ugyldige verdier i den. (linje nr 7)");
    // 1-based position of one character in each checked field: Regnr, report, tillegg, objektid, sektor,
    // naering, valuta, verdi.
    for (const int position : {2, 6, 14, 18, 24, 27, 34, 40}) {
        for (const QChar bad : {QLatin1Char('A'), QLatin1Char('-'), QLatin1Char('+')}) {
            QString line = valid;
            line[position - 1] = bad;
            EXPECT_EQ(errorOf([&] {
                          checked({valid, valid, QString(), valid, valid, line});
                      }),
                      message)
                << "position " << position;
        }
    }
    // A verdi that carries its own minus and the sign "1" would go out as "--000000123"; two separators
    // are no number either.
    for (const QString& verdi : {QStringLiteral("-000000123"), QStringLiteral("0000,12,34")}) {
        QString line = testdata::dataLine({.sign = 1});
        line.replace(35, 10, verdi);
        EXPECT_EQ(errorOf([&] {
                      checked({valid, valid, QString(), valid, valid, line});
                  }),
                  message)
            << verdi.toStdString();
    }
    QString withLetterLand = valid;
    withLetterLand.replace(28, 4, QStringLiteral("X\"<Ø"));
    const CheckedFile file = checked({withLetterLand});
    // A quote in the land code must not break the document.
    EXPECT_TRUE(file.reports.closedReportText(0, 0).contains(QStringLiteral("land=\"X&quot;&lt;Ø\"")));
}

TEST(DataFileReportText, NumbersMayHoldSignsAndTheLocalesSeparatorOnly) {
    QString line = testdata::dataLine({});
    line.replace(35, 10, QStringLiteral("00001234,5"));
    const CheckedFile comma = checked({line});
    EXPECT_TRUE(comma.reports.closedReportText(0, 0).contains(QStringLiteral("verdi=\"00001234,5\"")));

    const Locale point = Locale::from(QLocale(QLocale::English, QLocale::UnitedStates));
    EXPECT_EQ(errorOf([&] { checked({line}, "F", point); }),
              QStringLiteral("Dette er ikke en gyldig rapport. Fant ugyldige verdier i den. (linje nr 2)"));
}

TEST(DataFileReportText, OnlyASignOfOneMakesTheAmountNegative) {
    QString line = testdata::dataLine({.verdi = 77});
    line[34] = QLatin1Char('X');
    const CheckedFile file = checked({line, testdata::dataLine({.sign = 1, .verdi = 77})});
    const QString text = file.reports.closedReportText(0, 0);
    EXPECT_TRUE(text.contains(QStringLiteral("verdi=\"0000000077\" />")));
    EXPECT_TRUE(text.contains(QStringLiteral("verdi=\"-0000000077\" />")));
}

TEST(DataFileReportText, ReportsOfOneCompanyKeepTheirOwnTextsAndStamps) {
    int calls = 0;
    const CheckedFile file = checked({testdata::dataLine({.report = 20}), testdata::dataLine({.report = 10}),
                                      testdata::dataLine({.report = 20})},
                                     "K", kComma, [&] {
                                         ++calls;
                                         return kStamp.addMSecs(calls);
                                     });
    const DataFileReports& texts = file.reports;
    EXPECT_EQ(calls, 2);  // the stamp is taken when a report's first line arrives
    EXPECT_EQ(texts.lineCount(0, 0), 1);
    EXPECT_EQ(texts.lineCount(0, 2), 2);
    EXPECT_EQ(texts.lineCount(0, 1), 0);
    EXPECT_TRUE(
        texts.closedReportText(0, 2).contains(QStringLiteral("TIDSSTEMPEL=\"123-4567-20090703140509043\"")));
    EXPECT_TRUE(
        texts.closedReportText(0, 0).contains(QStringLiteral("TIDSSTEMPEL=\"123-4567-20090703140509044\"")));
    EXPECT_TRUE(texts.closedReportText(0, 0).contains(QStringLiteral(" TYPE=\"K\" ")));
    EXPECT_EQ(texts.closedReportText(0, 2).count(QStringLiteral("<OBJEKT ")), 2);
}
