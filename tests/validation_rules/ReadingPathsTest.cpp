#include "validation_rules/RulesFixture.h"

namespace telvainn::rules {

// The bulk path must leave exactly what the cell-by-cell path leaves: the log and every colour.
TEST_P(ReadingPaths, BulkAndCellByCellGiveTheSameLogAndColours) {
    const auto fill = [this] {
        const auto row = [](const QString& objektid, const QString& sektor, const QString& naering,
                            const QString& valuta, const QString& verdi) {
            return QStringList{QStringLiteral("tekst"), objektid, QString(), sektor, naering, valuta, verdi};
        };
        setCell(QStringLiteral("B6"), QStringLiteral("'2008"));
        setRow(11, row(QStringLiteral("1010000"), QStringLiteral("0"), QStringLiteral("0"),
                       QStringLiteral("1"), QStringLiteral("1000")));
        setRow(12, row(QStringLiteral("9999999"), QStringLiteral("0"), QStringLiteral("0"),
                       QStringLiteral("1"), QStringLiteral("5")));
        setRow(13, row(QStringLiteral("1010000"), QStringLiteral("310"), QStringLiteral("0"),
                       QStringLiteral("1"), QStringLiteral("5")));
        setRow(14, row(QStringLiteral("2511234"), QStringLiteral("600"), QStringLiteral("0"),
                       QStringLiteral("1"), QStringLiteral("5")));
        setRow(15, row(QStringLiteral("1010000"), QStringLiteral("0"), QStringLiteral("0"),
                       QStringLiteral("2"), QStringLiteral("5")));
        setRow(16, row(QStringLiteral("5901000"), QStringLiteral("0"), QStringLiteral("0"),
                       QStringLiteral("1"), QStringLiteral("5")));
        setRow(17, row(QStringLiteral("1010000"), QStringLiteral("0"), QStringLiteral("0"),
                       QStringLiteral("1"), QStringLiteral("12345678901")));
        setRow(18, row(QStringLiteral("1010000"), QStringLiteral("0"), QStringLiteral("0"),
                       QStringLiteral("1"), QString()));
        setRow(19, row(QStringLiteral("'10A0000"), QStringLiteral("0"), QStringLiteral("0"),
                       QStringLiteral("1"), QStringLiteral("5")));
        setRow(20, row(QStringLiteral("6001234"), QStringLiteral("110"), QStringLiteral("0"),
                       QStringLiteral("3"), QStringLiteral("12,5")));
        setRow(150, row(QStringLiteral("2511234"), QStringLiteral("600"), QStringLiteral("11"),
                        QStringLiteral("9"), QStringLiteral("-3")));
        setRow(600, row(QStringLiteral("9999999"), QStringLiteral("0"), QStringLiteral("0"),
                        QStringLiteral("1"), QStringLiteral("5")));
        for (const auto* cell : {u"D12", u"B13", u"G15", u"E20"}) {
            sheet().GetRange(QString::fromUtf16(cell))->SetColorIndex(3);
        }
    };
    const auto colours = [this] {
        std::vector<int> all;
        for (int row = 1; row <= 220; ++row) {
            for (int column = 1; column <= 12; ++column) {
                all.push_back(sheet().Cells(row, column)->ColorIndex());
            }
        }
        return all;
    };

    m_reading = SheetReading::CellByCell;
    currentReport(10);
    fill();
    const QStringList cellByCellLog = validate();
    const auto cellByCellColours = colours();
    TearDown();
    SetUp();

    m_reading = SheetReading::Bulk;
    currentReport(10);
    fill();
    EXPECT_EQ(validate(), cellByCellLog);
    EXPECT_EQ(colours(), cellByCellColours);
    EXPECT_GT(std::count(cellByCellColours.begin(), cellByCellColours.end(), 3), 6)
        << "the run coloured cells red";
}

}  // namespace telvainn::rules
