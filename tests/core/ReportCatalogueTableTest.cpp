#include <gtest/gtest.h>

#include <algorithm>
#include <set>

#include "core/Error.h"
#include "core/ReportCatalogue.h"

using namespace telvainn;

namespace {

constexpr int kLastColumn = 11;  // K, the last column a data row is read from
constexpr int A = 1, C = 3, F = 6, G = 7, H = 8, I = 9;

std::set<Field> fieldsRead(const FieldColumns& columns) {
    std::set<Field> fields;
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        if (columns.of(static_cast<Field>(i)) != 0) {
            fields.insert(static_cast<Field>(i));
        }
    }
    return fields;
}

std::set<Field> asSet(const FieldList& list) {
    return {list.begin(), list.end()};
}

void expectDistinctColumns(const FieldColumns& columns) {
    std::set<int> seen;
    for (std::size_t i = 0; i < kFieldCount; ++i) {
        const int column = columns.of(static_cast<Field>(i));
        if (column == 0) {
            continue;
        }
        EXPECT_GT(column, A) << "field " << i << " in the text column";
        EXPECT_LE(column, kLastColumn) << "field " << i;
        EXPECT_TRUE(seen.insert(column).second) << "two fields in column " << column;
    }
    EXPECT_NE(columns.objektid, 0);
    EXPECT_NE(columns.verdi, 0);
    if (columns.tilleggIsCodeHead) {
        EXPECT_EQ(columns.tillegg + 1, columns.objektid) << "the head of a code lies just before its tail";
    }
}

}  // namespace

TEST(ReportCatalogueTable, EveryNumberHasTwoDigitsAndAnEntryOfItsOwn) {
    const auto& entries = catalogueEntries();
    std::set<int> numbers;
    for (std::size_t i = 0; i < entries.size(); ++i) {
        const int number = entries[i].reportNumber;
        EXPECT_EQ(number, kReportNumbers[i]);
        EXPECT_TRUE(number >= 10 && number <= 99) << number << " has no two-character text";
        EXPECT_TRUE(numbers.insert(number).second) << number;
        EXPECT_EQ(catalogueIndex(QString::number(number)), static_cast<int>(i));
        EXPECT_STRNE(entries[i].macro, "");
        EXPECT_GT(entries[i].codePrefixLength, 0) << number;
    }
}

TEST(ReportCatalogueTable, EachTemplateGenerationReadsEveryFieldInADistinctColumn) {
    for (const CatalogueEntry& entry : catalogueEntries()) {
        SCOPED_TRACE(entry.reportNumber);
        expectDistinctColumns(entry.current);
        EXPECT_FALSE(entry.current.tilleggIsCodeHead) << "current templates keep the code in one cell";
        expectDistinctColumns(entry.older);
        // An older template may split the object code, and so read a tillegg the current one has not.
        std::set<Field> older = fieldsRead(entry.older);
        std::set<Field> current = fieldsRead(entry.current);
        EXPECT_EQ(entry.older.tillegg != 0 && !entry.older.tilleggIsCodeHead, entry.current.tillegg != 0);
        current.erase(Field::Tillegg);
        older.erase(Field::Tillegg);
        EXPECT_EQ(older, current);
    }
}

TEST(ReportCatalogueTable, TheCorrectionFormSkipsExactlyTheFieldsTheReportHasNot) {
    for (const CatalogueEntry& entry : catalogueEntries()) {
        SCOPED_TRACE(entry.reportNumber);
        const ColumnSet& skipped = entry.correction.skipped;
        EXPECT_EQ(!skipped.contains(G), entry.current.sektor != 0);
        EXPECT_EQ(!skipped.contains(H), entry.current.naering != 0);
        EXPECT_EQ(!skipped.contains(I), entry.current.land != 0);
        EXPECT_FALSE(skipped.contains(10)) << "valuta";
        EXPECT_FALSE(skipped.contains(kLastColumn)) << "verdi";
        const int tillegg = entry.correction.tillegg;
        if (tillegg != 0) {
            EXPECT_TRUE(tillegg >= C && tillegg <= F) << "the tillegg is coloured within the object code";
            EXPECT_FALSE(skipped.contains(tillegg));
        }
    }
}

TEST(ReportCatalogueTable, TheDuplicateKeyIsEveryFieldReadButTheAmount) {
    for (const CatalogueEntry& entry : catalogueEntries()) {
        SCOPED_TRACE(entry.reportNumber);
        std::set<Field> expected = fieldsRead(entry.current);
        expected.erase(Field::Verdi);
        EXPECT_EQ(asSet(entry.duplicateKey), expected);
        EXPECT_EQ(asSet(entry.duplicateKey).size(), entry.duplicateKey.size()) << "a field twice";
        for (const auto generation :
             {TemplateGeneration::Current, TemplateGeneration::Older, TemplateGeneration::Correction}) {
            EXPECT_EQ(asSet(entry.duplicateKeyOf(generation)), expected);
            EXPECT_EQ(entry.duplicateKeyOf(generation).size(), entry.duplicateKey.size());
        }
    }
    const FieldList& older11 = catalogueEntry(11).duplicateKeyOf(TemplateGeneration::Older);
    EXPECT_EQ(*older11.begin(), Field::Tillegg);
    EXPECT_EQ(*catalogueEntry(11).duplicateKeyOf(TemplateGeneration::Correction).begin(), Field::Objektid);
}

TEST(ReportCatalogueTable, OnlySummedReportsAreBalanceSheets) {
    for (const CatalogueEntry& entry : catalogueEntries()) {
        SCOPED_TRACE(entry.reportNumber);
        if (entry.sumLimit == 0) {
            EXPECT_FALSE(entry.balanceSheet);
        } else {
            EXPECT_TRUE(entry.sumLimit >= 100 && entry.sumLimit < 999) << "a three-digit object group";
        }
    }
}

TEST(ReportCatalogueTable, NumbersOutsideTheTableHaveAnEmptyEntry) {
    for (const int number : {0, 12, 99}) {
        const CatalogueEntry& entry = catalogueEntryOrEmpty(number);
        EXPECT_EQ(entry.reportNumber, 0);
        EXPECT_TRUE(fieldsRead(entry.current).empty());
        EXPECT_TRUE(entry.duplicateKey.empty());
        EXPECT_EQ(entry.sumLimit, 0);
    }
    EXPECT_THROW(catalogueEntry(0), Error);
    EXPECT_EQ(catalogueIndex(u""), -1);
    EXPECT_EQ(catalogueIndex(u"1"), -1);
    EXPECT_EQ(catalogueIndex(u"1x"), -1);
    EXPECT_EQ(catalogueIndex(u"x0"), -1);
}
