#include <QDateTime>
#include <functional>

#include "core/Error.h"
#include "core/ReportDataLines.h"
#include "core/ReportXml.h"
#include "validation_rules/RulesFixture.h"
#include "workbook/uno/UnoEngine.h"
#include "workbook_uno/LibreOfficeFixture.h"

namespace telvainn::rules {
namespace {

excel::Application& officeApplication() {
    return excel::testing::keptOffice("rules");
}

// The templates the build made through the office.
QString builtProgramFolder() {
    return QStringLiteral(TELVAINN_BIN_DIR);
}

RulesEngine officeRulesEngine() {
    return {"LibreOffice", &officeApplication, &builtProgramFolder};
}

}  // namespace

TELVAINN_INSTANTIATE_VALIDATION_RULES(LibreOffice, officeRulesEngine);

// Every kind of cell a user or a formula leaves, in every column a layout reads: reading the rows in
// blocks must give exactly what reading each cell alone gives, for the validation log and colours and
// for each row's XML element, data line or refusal.
class ReadingPathsMatrix : public RulesTest {
  protected:
    using Put = std::function<void(excel::uno::UnoWorksheet&, int row, int column)>;

    static Put formula(const QString& text) {
        return [=](excel::uno::UnoWorksheet& sheet, int row, int column) {
            sheet.SetFormula(row, column, text);
        };
    }
    static Put value(const excel::CellValue& cell, const QString& format = QString()) {
        return [=](excel::uno::UnoWorksheet& sheet, int row, int column) {
            sheet.SetCell(row, column, cell);
            if (!format.isEmpty()) {
                sheet.SetNumberFormat(row, column, format);
            }
        };
    }
    static std::vector<Put> kinds() {
        return {formula(QStringLiteral("=1/0")),
                formula(QStringLiteral("=NA()")),
                formula(QStringLiteral("=SQRT(-1)")),
                formula(QStringLiteral("=INDIRECT(\"Nowhere.A1\")")),
                formula(QStringLiteral("=2*50")),
                formula(QStringLiteral("=\"0\"&\"1\"")),
                formula(QStringLiteral("=\"\"")),
                formula(QStringLiteral("=TRUE()")),
                value(45000.0, QStringLiteral("DD.MM.YYYY")),
                value(0.5, QStringLiteral("0%")),
                value(1234.5, QStringLiteral("#,##0.00 \"kr\"")),
                value(1234567.0, QStringLiteral("#,##0")),
                value(QStringLiteral("0123")),
                value(QStringLiteral("1,5")),
                value(QStringLiteral("1.000")),
                value(QStringLiteral("Langt ").repeated(60)),
                value(QStringLiteral("a\x01"
                                     "b"))};
    }

    struct Outcome {
        QStringList log;
        std::vector<int> colours;
        QStringList rows;
        friend bool operator==(const Outcome&, const Outcome&) = default;
    };

    // The report filled with the matrix: one row per kind and column, the rest of each row valid enough
    // to be kept by the outputs.
    Outcome run(int reportNumber, const std::vector<excel::CellValue>& base, SheetReading reading) {
        m_reading = reading;
        currentReport(reportNumber);
        auto& sheet = dynamic_cast<excel::uno::UnoWorksheet&>(this->sheet());
        const auto all = kinds();
        const int lastRow = kFirstDataRow + static_cast<int>(base.size() * all.size()) - 1;
        sheet.WriteBlock(kFirstDataRow, 1,
                         excel::Block(static_cast<std::size_t>(lastRow - kFirstDataRow + 1), base));
        int row = kFirstDataRow;
        for (int column = 1; column <= static_cast<int>(base.size()); ++column) {
            for (const Put& put : all) {
                put(sheet, row++, column);
            }
        }

        Outcome outcome;
        outcome.log = validate();
        for (int r = kFirstDataRow; r <= lastRow; ++r) {
            for (int column = 1; column <= 12; ++column) {
                outcome.colours.push_back(sheet.Cells(r, column)->ColorIndex());
            }
        }
        ReportSheet access(sheet, reading);
        validator().CheckHeading(access, false);
        const TReportIdentity identity{7, 1234, reportNumber, QStringLiteral("200812"), QStringLiteral("N")};
        for (int r = kFirstDataRow; r <= lastRow; ++r) {
            RowRecord record;
            if (validator().ReadRow(access, r, ReadMode::Build, record)) {
                outcome.rows << QStringLiteral("utelatt");
                continue;
            }
            if (const auto& cell = validator().unusableCell()) {
                outcome.rows << cell->reason() + cellNote(cell->address());
                continue;
            }
            XmlDocumentBuilder xml(identity, QDateTime(), m_locale);
            DataLinesBuilder lines(identity, m_locale);
            for (const auto& add : std::initializer_list<std::function<void()>>{
                     [&] { xml.addRow(r, record); }, [&] { lines.addRow(r, record); }}) {
                try {
                    add();
                } catch (const Error& error) {
                    outcome.rows << error.message();
                }
            }
            try {
                outcome.rows << xml.text() + lines.text();
            } catch (const Error& error) {
                outcome.rows << error.message();
            }
        }
        return outcome;
    }

    void compare(int reportNumber, const std::vector<excel::CellValue>& base) {
        const Outcome cellByCell = run(reportNumber, base, SheetReading::CellByCell);
        TearDown();
        SetUp();
        const Outcome bulk = run(reportNumber, base, SheetReading::Bulk);
        TearDown();
        SetUp();
        EXPECT_EQ(bulk.log, cellByCell.log) << "report " << reportNumber;
        EXPECT_EQ(bulk.colours, cellByCell.colours) << "report " << reportNumber;
        EXPECT_EQ(bulk.rows, cellByCell.rows) << "report " << reportNumber;
        // The matrix reached the cells it was made for: an error value in the text and in the object.
        EXPECT_TRUE(cellByCell.log.contains(QStringLiteral("Feil i rad (11) : Tekst (celle A11)")))
            << cellByCell.log.join(u'|').toStdString();
        const int firstObjectRow = kFirstDataRow + static_cast<int>(kinds().size());
        EXPECT_TRUE(cellByCell.rows.contains(
            QStringLiteral(
                "Fant en feilverdi (#DIV/0!) som programmet ikke kan bruke. Valider på nytt! (celle B%1)")
                .arg(firstObjectRow)));
    }
};

TEST_P(ReadingPathsMatrix, BlocksReadEveryKindOfCellAsTheCellAloneIsRead) {
    using excel::CellValue;
    const CellValue text = QStringLiteral("tekst");
    compare(11, {text, 1234567.0, 89.0, 310.0, 0.0, 1.0, 100.0});
    compare(51, {text, 551000000.0, 900.0, QStringLiteral("0124"), 1.0, 100.0});
    compare(60, {text, 1201234.0, 550.0, 0.0, QStringLiteral("0003"), 1.0, 100.0});
}

INSTANTIATE_TEST_SUITE_P(LibreOffice, ReadingPathsMatrix, ::testing::Values(officeRulesEngine()));

}  // namespace telvainn::rules
