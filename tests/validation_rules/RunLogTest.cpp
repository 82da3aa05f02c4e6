#include "validation_rules/RulesFixture.h"

namespace telvainn::rules {
TEST_P(RunLog, ACompleteRunListsFindingsSumsDuplicatesAndTheRowsExamined) {
    currentReport(10);
    setRow(11, row10(QStringLiteral("1010000"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1"),
                     QStringLiteral("1000")));
    setRow(12, row10(QStringLiteral("6001234"), QStringLiteral("110"), QStringLiteral("0"),
                     QStringLiteral("1"), QStringLiteral("1000")));
    setRow(13, row10(QStringLiteral("9999999"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1"),
                     QStringLiteral("0")));
    setRow(14, row10(QStringLiteral("1010000"), QStringLiteral("310"), QStringLiteral("0"),
                     QStringLiteral("1"), QStringLiteral("0")));
    setRow(15, row10(QStringLiteral("6001234"), QStringLiteral("110"), QStringLiteral("0"),
                     QStringLiteral("2"), QStringLiteral("0")));
    setRow(16, row10(QStringLiteral("6001234"), QStringLiteral("110"), QStringLiteral("0"),
                     QStringLiteral("2"), QString()));
    validate();
    validate();
    const QStringList log = validate();
    const QString nbsp(QChar(0x00A0));
    EXPECT_EQ(log, QStringList({QStringLiteral("Valideringsrapport nr. 3:"),
                                QStringLiteral("Feil i rad (13) : Objekt "),
                                QStringLiteral("Feil i rad (14) : Sektor "),
                                QStringLiteral("Antall feillinjer: 2"),
                                QStringLiteral("Sum aktiva       : 1") + nbsp + QStringLiteral("000"),
                                QStringLiteral("Sum passiva      : 1") + nbsp + QStringLiteral("000"),
                                QString(),
                                QStringLiteral("Det finnes duplikate koder!"),
                                QStringLiteral("(...forekomster av en og samme kode i flere rader"),
                                QString(),
                                QStringLiteral("Slett de overflødige rader!"),
                                QString(),
                                QStringLiteral("<Hele kodestrengen>  =  <Rad nr>"),
                                QStringLiteral("------------------------------------"),
                                QStringLiteral("600123411000002  =  15"),
                                QStringLiteral("600123411000002  =  16"),
                                QStringLiteral("------------------------------------"),
                                QStringLiteral("Validering nr. 3 er ferdig."),
                                QStringLiteral("Radene fra og med 11 til og med 16"),
                                QStringLiteral("danner grunnlaget for valideringen.")}));
    EXPECT_EQ(m_validationHeading, QStringLiteral("Valideringsrapport nr. 3:"));
    EXPECT_TRUE(red(QStringLiteral("B13")));
    EXPECT_TRUE(red(QStringLiteral("D14")));
    for (const auto* cell :
         {u"D13", u"E13", u"F13", u"G13", u"B14", u"E14", u"F14", u"G14", u"B11", u"G16"}) {
        EXPECT_EQ(colour(QString::fromUtf16(cell)), normalColour()) << QString::fromUtf16(cell).toStdString();
    }
    EXPECT_EQ(colour(QStringLiteral("G5")), normalColour()) << "balanced";
}

TEST_P(RunLog, TheRunEndsTwoHundredRowsWithoutObjectIdAfterTheLastRow) {
    currentReport(10);
    const QStringList valid = row10(QStringLiteral("1010000"), QStringLiteral("0"), QStringLiteral("0"),
                                    QStringLiteral("1"), QStringLiteral("1"));
    const QStringList faulty = row10(QStringLiteral("1010000"), QStringLiteral("310"), QStringLiteral("0"),
                                     QStringLiteral("1"), QStringLiteral("1"));
    setRow(11, valid);
    setRow(40, valid);
    setRow(240, faulty);  // 199 empty rows before it: still examined
    setRow(441, faulty);  // 200 empty rows before it: never read
    const QStringList log = validate();
    EXPECT_TRUE(log.contains(QStringLiteral("Feil i rad (240) : Sektor ")));
    EXPECT_FALSE(log.join(QLatin1Char('\n')).contains(QStringLiteral("(441)")));
    EXPECT_TRUE(log.contains(QStringLiteral("Radene fra og med 11 til og med 240")));
}

TEST_P(RunLog, ASkippedRowWithAnObjectIdNeitherEndsNorLengthensTheEmptyRun) {
    workbookFrom(QStringLiteral(R"(
sheet Korreksjon active
cell A1 "KORREKSJONSFORMULAR"
cell G1 10
cell I1 "200812"
cell B6 "1234"
row C11 1 1 0 0 0 0 _ 1 250
row C100 1 1 0 0 0 0 _ 1
fill L12 36
)"),
                 TemplateGeneration::Correction, 10);
    const QStringList log = validate();
    EXPECT_TRUE(log.contains(QStringLiteral("Antall feillinjer: 0")))
        << log.join(QLatin1Char('\n')).toStdString();
    EXPECT_TRUE(log.contains(QStringLiteral("Radene fra og med 11 til og med 12")))
        << "rows 12-99 and 101-212 make the 200: row 100 has an object id but no amount";
    EXPECT_FALSE(log.join(QString()).contains(QStringLiteral("Sum "))) << "a correction gets no sums";
}

TEST_P(RunLog, AFailureInsideTheRunIsLoggedAndTheRunStillEnds) {
    currentReport(10);
    setCell(QStringLiteral("B5"), QStringLiteral("'10,5"));
    setRow(11, row10(QStringLiteral("1010000"), QStringLiteral("0"), QStringLiteral("0"), QStringLiteral("1"),
                     QStringLiteral("1")));
    const QStringList log = validate();
    EXPECT_EQ(log,
              QStringList({QStringLiteral("Valideringsrapport nr. 1:"), QStringLiteral(" "),
                           QStringLiteral("Validering nr. 1 feilet."), QStringLiteral("Feilmeldingen sier:"),
                           QStringLiteral("\"10,5\" er ikke et gyldig heltall."), QStringLiteral(" ")}));
    EXPECT_TRUE(app().ScreenUpdating());
    EXPECT_EQ(validate().first(), QStringLiteral("Valideringsrapport nr. 2:")) << "failed runs count too";
}

TEST_P(RunLog, DuplicatesAreListedOnceEachAndSortedByKey) {
    currentReport(20);
    const auto row = [](const QString& objektid, const QString& valuta, const QString& text) {
        return QStringList{text, objektid, QString(), QStringLiteral("0"), valuta, QStringLiteral("1")};
    };
    setRow(11, row(QStringLiteral("3500001000"), QStringLiteral("1"), QStringLiteral("a")));
    setRow(12, row(QStringLiteral("1000002000"), QStringLiteral("1"), QStringLiteral("b")));
    setRow(13, row(QStringLiteral("3500001000"), QStringLiteral("1"), QStringLiteral("c")));
    setRow(14, row(QStringLiteral("1000002000"), QStringLiteral("1"), QStringLiteral("d")));
    setRow(15, row(QStringLiteral("3500001000"), QStringLiteral("1"), QStringLiteral("e")));
    const QStringList log = validate();
    const auto section = log.indexOf(QStringLiteral("<Hele kodestrengen>  =  <Rad nr>"));
    ASSERT_GE(section, 0);
    EXPECT_EQ(log.mid(section + 2, 5),
              QStringList({QStringLiteral("100000200000001  =  12"), QStringLiteral("100000200000001  =  14"),
                           QStringLiteral("350000100000001  =  11"), QStringLiteral("350000100000001  =  13"),
                           QStringLiteral("350000100000001  =  15")}));
}

}  // namespace telvainn::rules
