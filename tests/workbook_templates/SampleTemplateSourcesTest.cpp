#include <gtest/gtest.h>

#include <QDate>
#include <QDir>
#include <QRegularExpression>
#include <QSet>
#include <algorithm>
#include <functional>
#include <map>
#include <optional>

#include "core/ReportCatalogue.h"
#include "tools/lag-maler/SampleTemplate.h"
#include "workbook/ColorIndex.h"

using namespace telvainn;
using namespace telvainn::excel;

// The committed sources in maler/ must give the validators what they read: the report sheet, the heading
// cells, the column layout of the current generation, the version date and every code list a rule can
// reach, with codes chosen so that each rule can both pass and fail.
namespace {

const QString kMalerDir = QStringLiteral(TELVAINN_MALER_DIR);

enum Field { Objektid, Tillegg, Sektor, Naering, Land, Valuta, Verdi, FieldCount };

// Columns of the current generation's rows (0 = the layout has no such field).
struct Layout {
    int columns[FieldCount];
    int prefixLength;  // characters of the object id appended to a code-list name
    int codeLength;    // characters of an object id in the template's own rows
};

const std::map<int, Layout> kLayouts = {
    {10, {{2, 0, 4, 5, 0, 6, 7}, 5, 7}},   {11, {{2, 3, 4, 5, 0, 6, 7}, 7, 7}},
    {20, {{2, 0, 4, 0, 0, 5, 6}, 10, 10}}, {21, {{2, 0, 4, 0, 0, 5, 6}, 10, 10}},
    {35, {{2, 0, 0, 0, 0, 3, 4}, 5, 8}},   {50, {{2, 0, 4, 5, 0, 6, 7}, 5, 7}},
    {51, {{2, 0, 3, 0, 4, 5, 6}, 9, 9}},   {60, {{2, 0, 3, 4, 5, 6, 7}, 7, 7}},
};

const QString kHeadings[FieldCount] = {
    QStringLiteral("Objekt"), QStringLiteral("Løpetid"), QStringLiteral("Sektor"), QStringLiteral("Næring"),
    QStringLiteral("Land"),   QStringLiteral("Valuta"),  QStringLiteral("Beløp"),
};

SampleWorkbook templateOf(int reportNumber) {
    return readSampleWorkbook(QDir(kMalerDir).filePath(QStringLiteral("r%1.txt").arg(reportNumber)));
}

SampleWorkbook testWorkbook(const QString& name) {
    return readSampleWorkbook(QDir(kMalerDir).filePath(QStringLiteral("test/") + name));
}

// The report sheet of a new report: the first whose name begins with a lower-case r.
const SampleSheet* reportSheet(const SampleWorkbook& book) {
    for (const SampleSheet& sheet : book.sheets) {
        if (sheet.name.startsWith(u'r')) {
            return &sheet;
        }
    }
    return nullptr;
}

// The code sheet: the last whose name begins with "Base".
const SampleSheet* codeSheet(const SampleWorkbook& book) {
    const SampleSheet* found = nullptr;
    for (const SampleSheet& sheet : book.sheets) {
        if (sheet.name.startsWith(QStringLiteral("Base"))) {
            found = &sheet;
        }
    }
    return found;
}

const SampleSheet& activeSheet(const SampleWorkbook& book) {
    return book.sheets[static_cast<std::size_t>(book.activeSheet)];
}

int cellCount(const SampleWorkbook& book, const QString& name) {
    const SampleName* found = book.name(name);
    return found ? found->area.cellCount() : 0;
}

// What a list accepts: the first word of a one-cell list, every cell of a longer one.
QStringList codesOf(const SampleWorkbook& book, const QString& name) {
    const QStringList texts = book.namedTexts(name);
    if (texts.size() == 1) {
        return {texts.front().trimmed().section(u' ', 0, 0)};
    }
    return texts;
}

bool listContains(const SampleWorkbook& book, const QString& name, const QString& value) {
    return !value.isEmpty() && codesOf(book, name).contains(value, Qt::CaseInsensitive);
}

bool isDigits(const QString& text) {
    return !text.isEmpty() && std::all_of(text.begin(), text.end(), [](QChar c) { return c.isDigit(); });
}

QString c3(const QString& id) {
    return id.left(3);
}
QString c5(const QString& id) {
    return id.left(5);
}

// Rows whose naering is searched in "_naring" when their sektor lies between 550 and 810.
bool industryCoded(int reportNumber, const QString& id) {
    const auto in = [](const QString& code, std::initializer_list<const char*> codes) {
        return std::any_of(codes.begin(), codes.end(),
                           [&](const char* c) { return code == QLatin1String(c); });
    };
    if (reportNumber == 10 || reportNumber == 50) {
        if (in(c3(id), {"251", "252", "253", "254", "257", "258", "261", "627"}) ||
            (c3(id) == u"628" && c5(id) < QStringLiteral("62899")) ||
            in(c5(id), {"75588", "75590", "75593"})) {
            return true;
        }
    }
    if (reportNumber == 50) {
        return in(c3(id), {"251", "253", "254", "257", "258", "622", "623", "624", "625", "626"}) ||
               in(c5(id), {"75588", "75590", "75800"});
    }
    if (reportNumber == 11) {
        return in(id.left(7), {"7101020", "7103020"});
    }
    if (reportNumber == 60) {
        return in(c3(id), {"250", "258", "620", "755", "261", "758"});
    }
    return false;
}

bool industrySector(const QString& sektor) {
    return sektor > QStringLiteral("550") && sektor < QStringLiteral("810");
}

QString listName(const char* part, const QString& id, int reportNumber) {
    return QLatin1String(part) + id.left(kLayouts.at(reportNumber).prefixLength);
}

QStringList sectorsOf(const SampleWorkbook& book, int reportNumber, const QString& id) {
    return codesOf(book, listName("_s", id, reportNumber));
}

QStringList objectIds(const SampleWorkbook& book) {
    return book.namedTexts(QStringLiteral("Base_Itens"));
}

}  // namespace

TEST(SampleTemplateSources, EachTemplateOpensOnItsReportSheetWithTheCurrentHeading) {
    for (const int number : kReportNumbers) {
        SCOPED_TRACE(number);
        const SampleWorkbook book = templateOf(number);
        const SampleSheet* report = reportSheet(book);
        ASSERT_NE(report, nullptr);
        EXPECT_EQ(report, &activeSheet(book));
        EXPECT_EQ(report->name, QStringLiteral("r%1").arg(number));
        EXPECT_NE(report->cell(1, 1), CellValue(QStringLiteral("KORREKSJONSFORMULAR")));

        // B5 carries the report number; the program writes the rest of the heading.
        EXPECT_EQ(report->cell(5, 2).generalText(), QString::number(number));
        for (const int row : {3, 4, 6, 7}) {
            EXPECT_TRUE(report->cell(row, 2).isEmpty()) << "B" << row;
        }
        for (int row = 3; row <= 7; ++row) {
            EXPECT_TRUE(report->cell(row, 1).isText()) << "A" << row;
        }
        for (const auto& [position, value] : report->cells) {
            EXPECT_LT(position.first, 11) << "a template's data rows are empty";
        }
    }
}

TEST(SampleTemplateSources, ColumnHeadingsFollowTheCurrentLayoutAndTheDataAreaHasTheNormalFill) {
    for (const auto& [number, layout] : kLayouts) {
        SCOPED_TRACE(number);
        const SampleWorkbook book = templateOf(number);
        const SampleSheet& report = *reportSheet(book);
        EXPECT_EQ(report.cell(10, 1), CellValue(QStringLiteral("Tekst")));
        const int normal = report.colorIndex(12, 12);
        EXPECT_NE(normal, kColorIndexNone);
        EXPECT_NE(normal, kColorIndexRed);
        for (int field = 0; field < FieldCount; ++field) {
            const int column = layout.columns[field];
            if (column == 0) {
                continue;
            }
            EXPECT_EQ(report.cell(10, column), CellValue(kHeadings[field])) << kHeadings[field].toStdString();
            for (const int row : {11, 12, 250, 510}) {
                EXPECT_EQ(report.colorIndex(row, column), normal) << "row " << row << " column " << column;
            }
        }
        for (int row = 3; row <= 7; ++row) {
            EXPECT_EQ(report.colorIndex(row, 2), normal) << "B" << row;
        }
    }
}

// The report sheet is protected once the program has written the heading, so a person can type only where
// the template unlocks: every column the rows are read from, from row 11 to the last row of an .xls
// sheet, and the heading cells of the period; labels, B5, the column headings and the sum block stay
// locked.
TEST(SampleTemplateSources, APersonCanTypeTheRowsAndThePeriodAndNothingTheProgramWrites) {
    for (const auto& [number, layout] : kLayouts) {
        SCOPED_TRACE(number);
        const SampleWorkbook book = templateOf(number);
        const SampleSheet& report = *reportSheet(book);
        const int lastColumn = *std::max_element(std::begin(layout.columns), std::end(layout.columns));
        for (int column = 1; column <= lastColumn; ++column) {
            for (const int row : {11, 12, 5000, kXlsMaxRows}) {
                EXPECT_FALSE(report.locked(row, column)) << "row " << row << " column " << column;
            }
            EXPECT_TRUE(report.locked(10, column)) << "column heading " << column;
        }
        EXPECT_TRUE(report.locked(11, lastColumn + 1));
        for (const int row : {3, 4, 6, 7}) {
            EXPECT_FALSE(report.locked(row, 2)) << "B" << row;
        }
        EXPECT_TRUE(report.locked(5, 2)) << "B5, the report number";
        for (int row = 1; row <= 7; ++row) {
            EXPECT_TRUE(report.locked(row, 1)) << "A" << row;
        }
        for (int row = 3; row <= 5; ++row) {
            EXPECT_TRUE(report.locked(row, 6) && report.locked(row, 7)) << "F" << row << ":G" << row;
        }
    }
}

TEST(SampleTemplateSources, EachTemplateHasACodeSheetWithItsVersionDateInA1) {
    QSet<double> versions;
    for (const int number : kReportNumbers) {
        SCOPED_TRACE(number);
        const SampleWorkbook book = templateOf(number);
        const SampleSheet* base = codeSheet(book);
        ASSERT_NE(base, nullptr);
        EXPECT_NE(base, reportSheet(book));
        const CellValue version = base->cell(1, 1);
        ASSERT_TRUE(version.isNumber());
        const QDate date = QDate(1899, 12, 30).addDays(static_cast<qint64>(version.number()));
        EXPECT_EQ(version.number(), static_cast<double>(QDate(1899, 12, 30).daysTo(date)));
        EXPECT_GE(date, QDate(2000, 1, 1));
        EXPECT_LE(date, QDate::currentDate());
        EXPECT_EQ(base->numberFormat(1, 1), kSampleDateFormat);
        versions.insert(version.number());
        for (const SampleName& name : book.names) {
            EXPECT_EQ(name.sheet, base->name) << name.name.toStdString();
        }
    }
    // Each template its own date, so a version read from the wrong template shows.
    EXPECT_EQ(versions.size(), static_cast<qsizetype>(kReportNumbers.size()));
}

TEST(SampleTemplateSources, EveryCodeListTheRulesReachExists) {
    for (const auto& [number, layout] : kLayouts) {
        SCOPED_TRACE(number);
        const SampleWorkbook book = templateOf(number);
        const QStringList ids = objectIds(book);
        ASSERT_GT(ids.size(), 1);
        EXPECT_EQ(QSet<QString>(ids.begin(), ids.end()).size(), ids.size()) << "object ids are unique";
        for (const QString& id : ids) {
            EXPECT_TRUE(isDigits(id) && id.size() == layout.codeLength) << id.toStdString();
            const auto expectList = [&](const QString& name) {
                EXPECT_GT(cellCount(book, name), 0) << name.toStdString() << " for " << id.toStdString();
            };
            if (layout.columns[Tillegg] != 0) {
                expectList(listName("_l", id, number));
            }
            if (layout.columns[Sektor] != 0) {
                expectList(listName("_s", id, number));
            }
            expectList(number == 51 ? QStringLiteral("valuta") : listName("_v", id, number));
        }
        if (layout.columns[Naering] != 0) {
            EXPECT_GT(cellCount(book, QStringLiteral("_naring")), 1);
        }
        if (number == 51) {
            EXPECT_GT(cellCount(book, QStringLiteral("land")), 1);
        }
        if (number == 60) {
            for (const char* name : {"_land", "_fylke", "_landnull"}) {
                EXPECT_GT(cellCount(book, QLatin1String(name)), 0) << name;
            }
        }
        for (const char* name : {"_SKALNEG", "_KANNEG"}) {
            const QStringList signed_ = codesOf(book, QLatin1String(name));
            EXPECT_FALSE(signed_.isEmpty()) << name;
            for (const QString& id : signed_) {
                EXPECT_TRUE(ids.contains(id)) << name << " holds " << id.toStdString();
            }
        }
        // Some objects are in neither list, so that a negative amount can fail.
        EXPECT_TRUE(std::any_of(ids.begin(), ids.end(), [&](const QString& id) {
            return !listContains(book, QStringLiteral("_SKALNEG"), id) &&
                   !listContains(book, QStringLiteral("_KANNEG"), id);
        }));
    }
}

TEST(SampleTemplateSources, CodesHaveTheWidthsTheRowsAreReadWithAndBothKindsOfListsAppear) {
    // Fields are read zero-padded to their width, so a code of another length could never match.
    const auto codesNamed = [](const SampleWorkbook& book, const QRegularExpression& pattern) {
        QStringList codes;
        for (const SampleName& name : book.names) {
            if (pattern.match(name.name).hasMatch()) {
                codes += codesOf(book, name.name);
            }
        }
        return codes;
    };
    const struct {
        const char* names;
        int width;
    } widths[] = {
        {"^_l[0-9]+$", 2}, {"^_s[0-9]+$", 3}, {"^_v[0-9]+$", 2}, {"^valuta$", 2}, {"^_naring$", 3},
    };
    for (const auto& [number, layout] : kLayouts) {
        SCOPED_TRACE(number);
        const SampleWorkbook book = templateOf(number);
        for (const auto& [names, width] : widths) {
            const QStringList codes = codesNamed(book, QRegularExpression(QString::fromUtf8(names)));
            for (const QString& code : codes) {
                EXPECT_TRUE(isDigits(code) && code.size() == width) << names << ": " << code.toStdString();
            }
        }
        EXPECT_FALSE(codesOf(book, QStringLiteral("_naring")).contains(QStringLiteral("000")));
        const QStringList countries =
            codesNamed(book, QRegularExpression(QStringLiteral("^(land|_land|_fylke)$")));
        for (const QString& code : countries) {
            EXPECT_EQ(code.size(), 4) << code.toStdString();
            EXPECT_NE(code, QStringLiteral("0000"));
        }

        int oneCell = 0;
        int multiCell = 0;
        for (const SampleName& name : book.names) {
            (name.area.cellCount() == 1 ? oneCell : multiCell) += 1;
        }
        EXPECT_GT(oneCell, 0);
        EXPECT_GT(multiCell, 0);
    }
}

TEST(SampleTemplateSources, IndustryCodingOfReports10And50CanPassAndFail) {
    for (const int number : {10, 50}) {
        SCOPED_TRACE(number);
        const SampleWorkbook book = templateOf(number);
        const QStringList ids = objectIds(book);
        const auto some = [&](auto predicate) { return std::any_of(ids.begin(), ids.end(), predicate); };
        EXPECT_TRUE(some([](const QString& id) {
            return QStringList{"251", "252", "253", "254", "257", "258", "261", "627"}.contains(c3(id));
        }));
        EXPECT_TRUE(
            some([](const QString& id) { return c3(id) == u"628" && c5(id) < QStringLiteral("62899"); }));
        EXPECT_TRUE(some([](const QString& id) { return c5(id) == u"62899"; }))
            << "628 just outside the rule";
        EXPECT_TRUE(some([](const QString& id) {
            return QStringList{"75588", "75590", "75593"}.contains(c5(id));
        }));
        if (number == 50) {
            EXPECT_TRUE(
                some([](const QString& id) { return industryCoded(50, id) && !industryCoded(10, id); }));
        }
        // An industry-coded object offers sectors inside the band (naering searched) and on its edges
        // (naering 000); an object outside the rule offers sectors inside the band too.
        EXPECT_TRUE(some([&](const QString& id) {
            const QStringList sectors = sectorsOf(book, number, id);
            return industryCoded(number, id) && std::any_of(sectors.begin(), sectors.end(), industrySector) &&
                   (sectors.contains(QStringLiteral("550")) || sectors.contains(QStringLiteral("810")));
        }));
        EXPECT_TRUE(some([&](const QString& id) {
            const QStringList sectors = sectorsOf(book, number, id);
            return !industryCoded(number, id) && std::any_of(sectors.begin(), sectors.end(), industrySector);
        }));
    }
    for (const int number : {11, 60}) {
        SCOPED_TRACE(number);
        const SampleWorkbook book = templateOf(number);
        const QStringList ids = objectIds(book);
        EXPECT_TRUE(std::any_of(ids.begin(), ids.end(), [&](const QString& id) {
            const QStringList sectors = sectorsOf(book, number, id);
            return industryCoded(number, id) && std::any_of(sectors.begin(), sectors.end(), industrySector);
        }));
    }
}

TEST(SampleTemplateSources, Report11KnowsTheTwoObjectsWhoseMaturity40WantsNoSector) {
    const SampleWorkbook book = templateOf(11);
    const QStringList ids = objectIds(book);
    for (const QString& id : {QStringLiteral("2325004"), QStringLiteral("2362015")}) {
        SCOPED_TRACE(id.toStdString());
        EXPECT_TRUE(ids.contains(id));
        EXPECT_TRUE(listContains(book, listName("_l", id, 11), QStringLiteral("40")));
        // 000 passes only through the rule, and the list's own sectors fail with maturity 40.
        EXPECT_FALSE(listContains(book, listName("_s", id, 11), QStringLiteral("000")));
        EXPECT_FALSE(sectorsOf(book, 11, id).isEmpty());
    }
    for (const QString& id : {QStringLiteral("7101020"), QStringLiteral("7103020")}) {
        EXPECT_TRUE(ids.contains(id)) << id.toStdString();
    }
}

TEST(SampleTemplateSources, Report51CountryRulesCanPassAndFail) {
    const SampleWorkbook book = templateOf(51);
    const QStringList ids = objectIds(book);
    const auto countryCoded = [](const QString& id) {
        return c3(id) == u"551" || c3(id) == u"554" || c5(id) == u"81060";
    };
    for (const auto& branch :
         {std::function<bool(const QString&)>([](const QString& id) { return c3(id) == u"551"; }),
          std::function<bool(const QString&)>([](const QString& id) { return c3(id) == u"554"; }),
          std::function<bool(const QString&)>([](const QString& id) { return c5(id) == u"81060"; })}) {
        EXPECT_TRUE(std::any_of(ids.begin(), ids.end(), branch));
    }
    bool foreignSector = false;
    bool domesticSector = false;
    bool foreignButNotCountryCoded = false;
    for (const QString& id : ids) {
        for (const QString& sektor : sectorsOf(book, 51, id)) {
            if (countryCoded(id)) {
                (sektor > QStringLiteral("890") ? foreignSector : domesticSector) = true;
            } else if (sektor > QStringLiteral("890")) {
                foreignButNotCountryCoded = true;
            }
        }
    }
    EXPECT_TRUE(foreignSector);
    EXPECT_TRUE(domesticSector);
    EXPECT_TRUE(foreignButNotCountryCoded);
    EXPECT_FALSE(listContains(book, QStringLiteral("land"), QStringLiteral("0000")));
    EXPECT_GT(codesOf(book, QStringLiteral("land")).size(), 1);
}

TEST(SampleTemplateSources, Report60ReachesEveryLineOfTheCountryTableWithSeparateLists) {
    const SampleWorkbook book = templateOf(60);
    const QStringList ids = objectIds(book);
    const QStringList regional = {"120", "250", "258", "620", "261", "755", "758"};
    std::map<QString, bool> reached;
    for (const QString& id : ids) {
        for (const QString& sektor : sectorsOf(book, 60, id)) {
            const bool foreign = sektor >= QStringLiteral("900");
            if (c3(id) == u"115") {
                reached["115: _land"] = true;
            } else if (regional.contains(c3(id))) {
                reached[foreign ? "regional, 900 or more: _land" : "regional, below 900: _fylke"] = true;
            } else if ((c5(id) == u"13690" || c5(id) == u"43690") && sektor == u"900") {
                reached["13690/43690 with 900: _landnull"] = true;
            } else {
                reached[foreign ? "other, 900 or more: _land" : "other, below 900: _landnull"] = true;
            }
        }
    }
    for (const char* line :
         {"115: _land", "regional, below 900: _fylke", "regional, 900 or more: _land",
          "13690/43690 with 900: _landnull", "other, below 900: _landnull", "other, 900 or more: _land"}) {
        EXPECT_TRUE(reached[QString::fromUtf8(line)]) << line;
    }
    // Which list was searched shows in the outcome only when no code is in two of them.
    const QStringList land = codesOf(book, QStringLiteral("_land"));
    const QStringList fylke = codesOf(book, QStringLiteral("_fylke"));
    const QStringList none = codesOf(book, QStringLiteral("_landnull"));
    EXPECT_EQ(none, QStringList{QStringLiteral("0000")});
    for (const QString& code : land) {
        EXPECT_FALSE(fylke.contains(code) || none.contains(code)) << code.toStdString();
    }
    for (const QString& code : fylke) {
        EXPECT_FALSE(none.contains(code)) << code.toStdString();
    }
}

namespace {

// A cell as a row reader takes a code field: digits zero-padded to the width (a longer number keeps all
// its digits), anything else empty.
QString readCode(const SampleSheet& sheet, int row, int column, int width) {
    const QString text = sheet.cell(row, column).generalText().trimmed();
    return isDigits(text) ? QString::number(text.toLongLong()).rightJustified(width, u'0') : QString();
}

struct FilledRow {
    int row = 0;
    QString objektid, tillegg, sektor, naering, valuta;
    double verdi = 0;
};

std::vector<int> dataRows(const SampleSheet& sheet) {
    std::vector<int> rows;
    for (const auto& [position, value] : sheet.cells) {
        if (position.first >= 11 && (rows.empty() || rows.back() != position.first)) {
            rows.push_back(position.first);
        }
    }
    return rows;
}

// The row checks a filled test workbook must pass against the current template of its report number.
void expectValidRow(const SampleWorkbook& current, int number, const FilledRow& row) {
    SCOPED_TRACE(row.row);
    const Layout& layout = kLayouts.at(number);
    ASSERT_TRUE(objectIds(current).contains(row.objektid)) << row.objektid.toStdString();
    if (layout.columns[Tillegg] != 0) {
        EXPECT_TRUE(listContains(current, listName("_l", row.objektid, number), row.tillegg));
    }
    const bool noSector = number == 11 && row.tillegg == u"40" &&
                          (row.objektid.left(7) == u"2325004" || row.objektid.left(7) == u"2362015");
    if (noSector) {
        EXPECT_EQ(row.sektor, QStringLiteral("000"));
    } else if (layout.columns[Sektor] != 0) {
        EXPECT_TRUE(listContains(current, listName("_s", row.objektid, number), row.sektor))
            << row.sektor.toStdString();
    }
    if (layout.columns[Naering] != 0) {
        if (industryCoded(number, row.objektid) && industrySector(row.sektor)) {
            EXPECT_TRUE(codesOf(current, QStringLiteral("_naring")).contains(row.naering));
        } else {
            EXPECT_EQ(row.naering, QStringLiteral("000"));
        }
    }
    EXPECT_TRUE(listContains(current, listName("_v", row.objektid, number), row.valuta))
        << row.valuta.toStdString();
    const bool mustBeNegative = listContains(current, QStringLiteral("_SKALNEG"), row.objektid);
    const bool mayBeNegative = listContains(current, QStringLiteral("_KANNEG"), row.objektid);
    if (row.verdi > 0) {
        EXPECT_FALSE(mustBeNegative);
    } else if (row.verdi < 0) {
        EXPECT_TRUE(mustBeNegative || mayBeNegative);
    }
}

}  // namespace

TEST(SampleTestWorkbooks, OlderGenerationWorkbooksHaveNoCodeSheetAndRowsValidAgainstTheCurrentTemplate) {
    const struct {
        const char* file;
        int number;
    } workbooks[] = {{"gammel-r11.txt", 11}, {"gammel-r20.txt", 20}};
    for (const auto& [file, number] : workbooks) {
        SCOPED_TRACE(file);
        const SampleWorkbook book = testWorkbook(QString::fromUtf8(file));
        EXPECT_EQ(codeSheet(book), nullptr);
        for (const SampleSheet& sheet : book.sheets) {
            EXPECT_FALSE(sheet.name.startsWith(QStringLiteral("Base"))) << sheet.name.toStdString();
        }
        const SampleSheet& report = activeSheet(book);
        EXPECT_EQ(report.name, QStringLiteral("r%1").arg(number));
        EXPECT_NE(report.cell(1, 1).generalText(), QStringLiteral("KORREKSJONSFORMULAR"));
        EXPECT_EQ(report.cell(3, 2), CellValue(QStringLiteral("007")));
        EXPECT_EQ(report.cell(4, 2), CellValue(QStringLiteral("1234")));
        EXPECT_EQ(report.cell(5, 2).generalText(), QString::number(number));
        EXPECT_EQ(report.cell(6, 2), CellValue(QStringLiteral("200812")));
        EXPECT_TRUE(report.cell(7, 2).isEmpty());
        EXPECT_NE(report.colorIndex(12, 12), kColorIndexNone);

        const SampleWorkbook current = templateOf(number);
        const std::vector<int> rows = dataRows(report);
        EXPECT_GE(rows.size(), 4u);
        for (const int r : rows) {
            FilledRow row;
            row.row = r;
            if (number == 11) {
                const QString joined = readCode(report, r, 2, 2) + readCode(report, r, 3, 7);
                row.objektid = joined.left(7);
                row.tillegg = joined.right(2);
                row.sektor = readCode(report, r, 4, 3);
                row.naering = readCode(report, r, 5, 3);
                row.valuta = readCode(report, r, 6, 2);
                row.verdi = report.cell(r, 7).number();
            } else {
                row.objektid = readCode(report, r, 2, 2) + readCode(report, r, 3, 7);
                row.sektor = readCode(report, r, 4, 3);
                row.valuta = readCode(report, r, 5, 2);
                row.verdi = report.cell(r, 6).number();
            }
            expectValidRow(current, number, row);
        }
    }
}

TEST(SampleTestWorkbooks, CorrectionFormsAreMarkedInA1AndRowsValidAgainstTheCurrentTemplate) {
    for (const int number : {10, 11}) {
        SCOPED_TRACE(number);
        const SampleWorkbook book = testWorkbook(QStringLiteral("korreksjon-r%1.txt").arg(number));
        EXPECT_EQ(codeSheet(book), nullptr);
        const SampleSheet& form = activeSheet(book);
        EXPECT_EQ(form.cell(1, 1), CellValue(QStringLiteral("KORREKSJONSFORMULAR")));
        EXPECT_EQ(form.cell(1, 7).generalText(), QString::number(number));
        EXPECT_EQ(form.cell(1, 9), CellValue(QStringLiteral("200812")));
        EXPECT_EQ(form.cell(6, 2), CellValue(QStringLiteral("1234")));
        EXPECT_NE(form.colorIndex(12, 12), kColorIndexNone);

        const SampleWorkbook current = templateOf(number);
        const std::vector<int> rows = dataRows(form);
        EXPECT_GE(rows.size(), 4u);
        for (const int r : rows) {
            FilledRow row;
            row.row = r;
            const QString object = readCode(form, r, 3, 1) + readCode(form, r, 4, 2) +
                                   readCode(form, r, 5, 2) + readCode(form, r, 6, 2);
            if (number == 11) {
                row.tillegg = object.mid(5, 2);
                row.objektid = (readCode(form, r, 2, 2) + object).left(7);
            } else {
                row.objektid = object;
            }
            row.sektor = readCode(form, r, 7, 3);
            row.naering = readCode(form, r, 8, 3);
            row.valuta = readCode(form, r, 10, 2);
            ASSERT_TRUE(form.cell(r, 11).isNumber());
            row.verdi = form.cell(r, 11).number();
            expectValidRow(current, number, row);
        }
    }
}
