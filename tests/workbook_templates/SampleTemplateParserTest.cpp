#include <gtest/gtest.h>

#include <QDir>
#include <QTemporaryDir>
#include <functional>

#include "core/Error.h"
#include "tools/lag-maler/SampleTemplate.h"
#include "workbook/ColorIndex.h"

using namespace telvainn;
using namespace telvainn::excel;

namespace {

QString errorOf(const std::function<void()>& f) {
    try {
        f();
    } catch (const Error& e) {
        return e.message();
    }
    return QStringLiteral("(no error)");
}

QString parseError(const QString& text) {
    return errorOf([&] { parseSampleWorkbook(text, QStringLiteral("t.txt")); });
}

const QString kEverything = QStringLiteral(
    "# a comment line\n"
    "\n"
    "sheet Forside\n"
    "cell A1 \"Forside\"      # trailing comment\n"
    "sheet r10 active\n"
    "cell B5 10\n"
    "cell B6 \"000\"\n"
    "cell C1 -2.5\n"
    "cell D1 2009-02-25\n"
    "cell E1 \"sier \\\"hei\\\" \\\\ # ikke kommentar\"\n"
    "row A10 \"Tekst\" _ \"Sektor\" 0578\n"
    "fill A11:C20 36\n"
    "fill B12;L12 19\n"
    "fill C20 none\n"
    "format C1:C2 \"#,##0\"\n"
    "sheet Base\n"
    "cell A1 2008-12-01\n"
    "format A1 \"YYYY-MM-DD\"\n"
    "name Hele A1:B2\n"
    "list D3 _s10100 _s20200\n"
    "000 Ingen sektor\n"
    "end\n"
    "list E3 Base_Itens\n"
    "  1010000 | Kontanter\n"
    "# a comment inside a list\n"
    "\n"
    "1510000\n"
    "end\n");

}  // namespace

TEST(SampleTemplateParser, SheetsInOrderWithTheMarkedOneActive) {
    const SampleWorkbook book = parseSampleWorkbook(kEverything, QStringLiteral("t.txt"));
    ASSERT_EQ(book.sheets.size(), 3u);
    EXPECT_EQ(book.sheets[0].name, QStringLiteral("Forside"));
    EXPECT_EQ(book.sheets[1].name, QStringLiteral("r10"));
    EXPECT_EQ(book.sheets[2].name, QStringLiteral("Base"));
    EXPECT_EQ(book.activeSheet, 1);
    EXPECT_EQ(book.sheets[1].line, 5);
    EXPECT_EQ(book.source, QStringLiteral("t.txt"));
    EXPECT_EQ(book.sheet(QStringLiteral("Base")), &book.sheets[2]);
    EXPECT_EQ(book.sheet(QStringLiteral("base")), nullptr);

    const SampleWorkbook withMark =
        parseSampleWorkbook(QChar(0xFEFF) + QStringLiteral("sheet A\n"), QStringLiteral("t.txt"));
    EXPECT_EQ(withMark.sheets.front().name, QStringLiteral("A"));

    const SampleWorkbook noneMarked =
        parseSampleWorkbook(QStringLiteral("sheet A\r\nsheet B\r\n"), QStringLiteral("t.txt"));
    EXPECT_EQ(noneMarked.activeSheet, 0);
    EXPECT_EQ(noneMarked.sheets[1].name, QStringLiteral("B"));
}

TEST(SampleTemplateParser, ValuesKeepTextsAsTextsAndDatesAsSerialsShownAsDates) {
    const SampleWorkbook book = parseSampleWorkbook(kEverything, QStringLiteral("t.txt"));
    const SampleSheet& report = book.sheets[1];
    EXPECT_EQ(book.sheets[0].cell(1, 1), CellValue(QStringLiteral("Forside")));
    EXPECT_EQ(report.cell(5, 2), CellValue(10.0));
    EXPECT_EQ(report.cell(6, 2), CellValue(QStringLiteral("000")));
    EXPECT_EQ(report.cell(1, 3), CellValue(-2.5));
    EXPECT_EQ(report.cell(1, 4), CellValue(39869.0));
    EXPECT_EQ(report.numberFormat(1, 4), QStringLiteral("DD.MM.YYYY"));
    EXPECT_EQ(report.cell(1, 5), CellValue(QStringLiteral("sier \"hei\" \\ # ikke kommentar")));
    EXPECT_TRUE(report.cell(7, 2).isEmpty());

    // A bare 0578 is a number; only a quoted one stays a code.
    EXPECT_EQ(report.cell(10, 1), CellValue(QStringLiteral("Tekst")));
    EXPECT_TRUE(report.cell(10, 2).isEmpty());
    EXPECT_EQ(report.cell(10, 3), CellValue(QStringLiteral("Sektor")));
    EXPECT_EQ(report.cell(10, 4), CellValue(578.0));
    EXPECT_EQ(report.cells.count({10, 2}), 0u);

    // A format statement after a date replaces the date format.
    const SampleSheet& base = book.sheets[2];
    EXPECT_EQ(base.cell(1, 1), CellValue(39783.0));
    EXPECT_EQ(base.numberFormat(1, 1), QStringLiteral("YYYY-MM-DD"));
}

TEST(SampleTemplateParser, FillsAndFormatsCoverTheirAreasAndALaterFillWins) {
    const SampleWorkbook book = parseSampleWorkbook(kEverything, QStringLiteral("t.txt"));
    const SampleSheet& report = book.sheets[1];
    EXPECT_EQ(report.colorIndex(11, 1), 36);
    EXPECT_EQ(report.colorIndex(20, 3), kColorIndexNone);
    EXPECT_EQ(report.colorIndex(19, 3), 36);
    EXPECT_EQ(report.colorIndex(12, 2), 19);
    EXPECT_EQ(report.colorIndex(12, 12), 19);
    EXPECT_EQ(report.colorIndex(10, 1), kColorIndexNone);
    EXPECT_EQ(report.colorIndex(21, 1), kColorIndexNone);
    EXPECT_EQ(report.colorIndex(11, 4), kColorIndexNone);
    ASSERT_EQ(report.fills.size(), 3u);
    EXPECT_EQ(report.fills[1].address, QStringLiteral("B12;L12"));
    EXPECT_EQ(report.fills[1].areas.size(), 2u);

    EXPECT_EQ(report.numberFormat(1, 3), QStringLiteral("#,##0"));
    EXPECT_EQ(report.numberFormat(2, 3), QStringLiteral("#,##0"));
    EXPECT_EQ(report.numberFormat(3, 3), QString());
}

TEST(SampleTemplateParser, ListsAreNamedColumnBlocksWithDescriptionsBeside) {
    const SampleWorkbook book = parseSampleWorkbook(kEverything, QStringLiteral("t.txt"));
    const SampleSheet& base = book.sheets[2];
    ASSERT_EQ(book.names.size(), 4u);
    EXPECT_EQ(book.names[0].name, QStringLiteral("Hele"));
    EXPECT_EQ(book.names[0].area, (CellRect{1, 1, 2, 2}));
    EXPECT_EQ(book.names[0].line, 19);

    // One block, two names; a one-cell list keeps code and description in its cell.
    for (const QString& name : {QStringLiteral("_s10100"), QStringLiteral("_s20200")}) {
        const SampleName* list = book.name(name);
        ASSERT_NE(list, nullptr) << name.toStdString();
        EXPECT_EQ(list->sheet, QStringLiteral("Base"));
        EXPECT_EQ(list->area, (CellRect{3, 4, 3, 4}));
        EXPECT_EQ(list->line, 20);
        EXPECT_EQ(book.namedTexts(name), QStringList{QStringLiteral("000 Ingen sektor")});
    }

    const SampleName* items = book.name(QStringLiteral("base_itens"));
    ASSERT_NE(items, nullptr);
    EXPECT_EQ(items->name, QStringLiteral("Base_Itens"));
    EXPECT_EQ(items->area, (CellRect{3, 5, 4, 5}));
    EXPECT_EQ(book.namedTexts(QStringLiteral("Base_Itens")),
              (QStringList{QStringLiteral("1010000"), QStringLiteral("1510000")}));
    EXPECT_EQ(base.cell(3, 5), CellValue(QStringLiteral("1010000")));
    EXPECT_EQ(base.cell(3, 6), CellValue(QStringLiteral("Kontanter")));
    EXPECT_TRUE(base.cell(4, 6).isEmpty());

    EXPECT_EQ(book.name(QStringLiteral("_s30300")), nullptr);
    EXPECT_TRUE(book.namedTexts(QStringLiteral("_s30300")).isEmpty());
}

TEST(SampleTemplateParser, StatementsOutOfPlaceOrMalformedAreRefusedWithFileAndLine) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"cell A1 1", "t.txt:1: \"cell\" står før første \"sheet\""},
        {"sheet A\nbogus 1", "t.txt:2: ukjent setning \"bogus\""},
        {"sheet A\n\"cell\" A1 1", "t.txt:2: ukjent setning \"cell\""},
        {"sheet A\nend", "t.txt:2: \"end\" uten \"list\""},
        {"sheet", "t.txt:1: \"sheet\" skrives: sheet NAVN [active]"},
        {"sheet A aktiv", "t.txt:1: \"sheet\" skrives: sheet NAVN [active]"},
        {"sheet A\ncell A1", "t.txt:2: \"cell\" skrives: cell CELLE VERDI"},
        {"sheet A\ncell A1 1 2", "t.txt:2: \"cell\" skrives: cell CELLE VERDI"},
        {"sheet A\nrow A1", "t.txt:2: \"row\" skrives: row CELLE VERDI..."},
        {"sheet A\nfill A1", "t.txt:2: \"fill\" skrives: fill OMRÅDE FARGE"},
        {"sheet A\nformat A1", "t.txt:2: \"format\" skrives: format OMRÅDE \"FORMAT\""},
        {"sheet A\nformat A1 \"\"", "t.txt:2: \"format\" skrives: format OMRÅDE \"FORMAT\""},
        {"sheet A\nname x", "t.txt:2: \"name\" skrives: name NAVN OMRÅDE"},
        {"sheet A\nlist A1", "t.txt:2: \"list\" skrives: list CELLE NAVN..."},
        {"unlock A11:G65536", "t.txt:1: \"unlock\" står før første \"sheet\""},
        {"sheet A\nunlock", "t.txt:2: \"unlock\" skrives: unlock OMRÅDE"},
        {"sheet A\nunlock A11:G65537", "t.txt:2: \"A11:G65537\" ligger utenfor et .xls-ark (A1:IV65536)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseError(QString::fromUtf8(c.text)), QString::fromUtf8(c.message)) << c.text;
    }
}

TEST(SampleTemplateParser, SheetNamesMustSuitAWorkbook) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"sheet A\nsheet a", "t.txt:2: arket \"a\" finnes fra linje 1"},
        {"sheet A[1]", "t.txt:1: ugyldig arknavn \"A[1]\""},
        {"sheet 'A", "t.txt:1: ugyldig arknavn \"'A\""},
        {"sheet \"\"", "t.txt:1: ugyldig arknavn \"\""},
        {"sheet abcdefghijklmnopqrstuvwxyz123456",
         "t.txt:1: ugyldig arknavn \"abcdefghijklmnopqrstuvwxyz123456\""},
        {"sheet A active\nsheet B active", "t.txt:2: to aktive ark: \"A\" (linje 1) og \"B\""},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseError(QString::fromUtf8(c.text)), QString::fromUtf8(c.message)) << c.text;
    }
    // 31 characters and a blank are fine.
    EXPECT_EQ(
        parseSampleWorkbook(QStringLiteral("sheet \"Ark med 31 tegn xxxxxxxxxxxxxxx\""), QStringLiteral("t"))
            .sheets.front()
            .name.size(),
        31);
}

TEST(SampleTemplateParser, AddressesAndValuesMustBeValid) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"sheet A\ncell B0 1", "t.txt:2: ugyldig celleadresse \"B0\""},
        {"sheet A\ncell A1:B2 1", "t.txt:2: ugyldig celleadresse \"A1:B2\""},
        {"sheet A\ncell A1;B1 1", "t.txt:2: ugyldig celleadresse \"A1;B1\""},
        {"sheet A\ncell IW1 1", "t.txt:2: \"IW1\" ligger utenfor et .xls-ark (A1:IV65536)"},
        {"sheet A\ncell A65537 1", "t.txt:2: \"A65537\" ligger utenfor et .xls-ark (A1:IV65536)"},
        {"sheet A\nrow IU1 1 2 3", "t.txt:2: \"IW1\" ligger utenfor et .xls-ark (A1:IV65536)"},
        {"sheet A\nfill A1:IW2 3", "t.txt:2: \"A1:IW2\" ligger utenfor et .xls-ark (A1:IV65536)"},
        {"sheet A\nfill A1:?? 3", "t.txt:2: ugyldig område \"A1:??\""},
        {"sheet A\nformat gul \"0\"", "t.txt:2: ugyldig område \"gul\""},
        {"sheet A\ncell A1 abc", "t.txt:2: ugyldig verdi \"abc\" (tekst skrives i anførselstegn)"},
        {"sheet A\ncell A1 1,5", "t.txt:2: ugyldig verdi \"1,5\" (tekst skrives i anførselstegn)"},
        {"sheet A\ncell A1 1.", "t.txt:2: ugyldig verdi \"1.\" (tekst skrives i anførselstegn)"},
        {"sheet A\ncell A1 _", "t.txt:2: ugyldig verdi \"_\" (tekst skrives i anførselstegn)"},
        {"sheet A\ncell A1 2009-02-30", "t.txt:2: ugyldig dato \"2009-02-30\""},
        {"sheet A\ncell A1 \"\"", "t.txt:2: tom tekst \"\": en celle uten verdi skrives ikke"},
        {"sheet A\ncell A1 \"abc", "t.txt:2: tekst uten avsluttende \""},
        {"sheet A\nfill A1 57", "t.txt:2: ugyldig fyllfarge \"57\" (1-56 eller none)"},
        {"sheet A\nfill A1 0", "t.txt:2: ugyldig fyllfarge \"0\" (1-56 eller none)"},
        {"sheet A\nfill A1 gul", "t.txt:2: ugyldig fyllfarge \"gul\" (1-56 eller none)"},
        {"sheet A\nfill A1 \"3\"", "t.txt:2: ugyldig fyllfarge \"3\" (1-56 eller none)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseError(QString::fromUtf8(c.text)), QString::fromUtf8(c.message)) << c.text;
    }
}

TEST(SampleTemplateParser, NoCellAndNoNameIsGivenTwice) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"sheet A\ncell A1 1\ncell A1 2", "t.txt:3: cellen A1 er gitt på linje 2"},
        {"sheet A\nrow A1 1 2\ncell B1 3", "t.txt:3: cellen B1 er gitt på linje 2"},
        {"sheet A\ncell A2 1\nlist A1 koder\n01\n02\nend", "t.txt:5: cellen A2 er gitt på linje 2"},
        {"sheet A\ncell B2 1\nlist A2 koder\n01 | Norske kroner\nend",
         "t.txt:4: cellen B2 er gitt på linje 2"},
        {"sheet A\nlist A1 x\n1\nend\nlist B1 X\n2\nend", "t.txt:5: navnet \"X\" er gitt på linje 2"},
        {"sheet A\nname liste A1\nname LISTE B1", "t.txt:3: navnet \"LISTE\" er gitt på linje 2"},
        {"sheet A\nname liste A1\nsheet B\nname liste B1", "t.txt:4: navnet \"liste\" er gitt på linje 2"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseError(QString::fromUtf8(c.text)), QString::fromUtf8(c.message)) << c.text;
    }
    // The same cell on two sheets is two cells.
    const SampleWorkbook book =
        parseSampleWorkbook(QStringLiteral("sheet A\ncell A1 1\nsheet B\ncell A1 2"), QStringLiteral("t"));
    EXPECT_EQ(book.sheets[1].cell(1, 1), CellValue(2.0));
}

TEST(SampleTemplateParser, NamesThatAWorkbookWouldReadAsReferencesAreRefused) {
    for (const char* name : {"A1", "iv65536", "R1C1", "rc", "R", "C12", "1abc", "med-strek", "æøå"}) {
        EXPECT_EQ(parseError(QStringLiteral("sheet A\nname %1 A1").arg(QString::fromUtf8(name))),
                  QStringLiteral("t.txt:2: ugyldig navn \"%1\"").arg(QString::fromUtf8(name)))
            << name;
        EXPECT_EQ(parseError(QStringLiteral("sheet A\nlist A1 %1\n1\nend").arg(QString::fromUtf8(name))),
                  QStringLiteral("t.txt:2: ugyldig navn \"%1\"").arg(QString::fromUtf8(name)))
            << name;
    }
    EXPECT_EQ(parseError(QStringLiteral("sheet A\nname liste A1;B2")),
              QStringLiteral("t.txt:2: ugyldig område \"A1;B2\""));
    const SampleWorkbook book = parseSampleWorkbook(
        QStringLiteral("sheet A\nname _SKALNEG A1\nname land B1\nname Base_Itens C1\nname valuta.2 D1"),
        QStringLiteral("t"));
    EXPECT_EQ(book.names.size(), 4u);
}

TEST(SampleTemplateParser, CodeListsMustBeClosedNonEmptyAndFindable) {
    const struct {
        const char* text;
        const char* message;
    } cases[] = {
        {"sheet A\nlist A1 x\n1\n", "t.txt:2: \"list\" uten \"end\""},
        {"sheet A\nlist A1 tom\nend", "t.txt:2: kodelista \"tom\" er tom"},
        {"sheet A\nlist A1 tom\n# bare en kommentar\n\nend", "t.txt:2: kodelista \"tom\" er tom"},
        {"sheet A\nlist A1 koder\n01 Norske kroner\n02 Euro\nend",
         "t.txt:3: koden \"01 Norske kroner\" i en kodeliste med flere celler har mellomrom; skriv \"kode | "
         "beskrivelse\""},
        {"sheet A\nlist A1 koder\n| Norske kroner\nend", "t.txt:3: kode mangler foran \"|\""},
        {"sheet A\nlist A65535 koder\n01\n02\n03\nend",
         "t.txt:5: \"A65537\" ligger utenfor et .xls-ark (A1:IV65536)"},
        {"sheet A\nlist IV1 koder\n01 | Norske kroner\nend",
         "t.txt:3: \"IW1\" ligger utenfor et .xls-ark (A1:IV65536)"},
    };
    for (const auto& c : cases) {
        EXPECT_EQ(parseError(QString::fromUtf8(c.text)), QString::fromUtf8(c.message)) << c.text;
    }
    // "end" inside a list closes it, and statements after it are read again.
    const SampleWorkbook book = parseSampleWorkbook(
        QStringLiteral("sheet A\nlist A1 koder\n01 | Norske kroner\n02\n  end  \ncell C1 1"),
        QStringLiteral("t"));
    EXPECT_EQ(book.namedTexts(QStringLiteral("koder")),
              (QStringList{QStringLiteral("01"), QStringLiteral("02")}));
    EXPECT_EQ(book.sheets[0].cell(1, 3), CellValue(1.0));
}

TEST(SampleTemplateParser, AWorkbookNeedsASheet) {
    EXPECT_EQ(parseError(QString()), QStringLiteral("t.txt: fila har ingen ark"));
    EXPECT_EQ(parseError(QStringLiteral("# bare kommentarer\n\n")),
              QStringLiteral("t.txt: fila har ingen ark"));
}

TEST(SampleTemplateParser, ReadsUtf8FilesAndNamesThemInMessages) {
    QTemporaryDir folder;
    ASSERT_TRUE(folder.isValid());
    const QString path = folder.filePath(QStringLiteral("r99.txt"));
    QFile file(path);
    ASSERT_TRUE(file.open(QIODevice::WriteOnly));
    file.write(QStringLiteral("sheet r99 active\ncell A6 \"Periode (ÅÅÅÅMM)\"\ncell A7 x\n").toUtf8());
    file.close();
    EXPECT_EQ(errorOf([&] { readSampleWorkbook(path); }),
              path + QStringLiteral(":3: ugyldig verdi \"x\" (tekst skrives i anførselstegn)"));

    ASSERT_TRUE(file.open(QIODevice::WriteOnly | QIODevice::Truncate));
    file.write(QStringLiteral("sheet r99 active\ncell A6 \"Periode (ÅÅÅÅMM)\"\n").toUtf8());
    file.close();
    EXPECT_EQ(readSampleWorkbook(path).sheets[0].cell(6, 1), CellValue(QStringLiteral("Periode (ÅÅÅÅMM)")));

    const QString missing = folder.filePath(QStringLiteral("borte.txt"));
    EXPECT_EQ(errorOf([&] { readSampleWorkbook(missing); }),
              QStringLiteral("Klarte ikke å lese fila \"%1\": No such file or directory").arg(missing));
}
