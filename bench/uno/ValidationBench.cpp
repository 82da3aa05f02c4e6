// A whole validation run of a long report 10 through LibreOffice: rows read in blocks, code lists read
// once, colours applied in one batch, against the plain cell-by-cell path on the same workbook.

#include <benchmark/benchmark.h>
#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "BenchRatio.h"
#include "core/ReportCatalogue.h"
#include "validation/TVeskValidator.h"
#include "workbook/uno/LibreOffice.h"

namespace telvainn::bench {
namespace {

using excel::Block;
using excel::CellValue;

constexpr int kReportRows = 5000;

// Valid rows of the sample template for report 10, and faults of every kind among them.
Block reportRows() {
    struct Row {
        double objektid, sektor, naering, valuta;
    };
    const Row valid[] = {{1010000, 0, 0, 1},     {1510000, 200, 0, 2}, {2511234, 600, 11, 3},
                         {2511234, 710, 620, 4}, {6001234, 110, 0, 5}, {6001234, 900, 0, 6},
                         {5991234, 0, 0, 7},     {8101000, 0, 0, 1}};
    const Row faulty[] = {{9999999, 0, 0, 1}, {1010000, 310, 0, 1}, {2511234, 600, 0, 1}, {1010000, 0, 0, 9}};
    Block rows;
    for (int i = 0; i < kReportRows; ++i) {
        const bool fault = i % 10 == 7;
        const Row& row = fault ? faulty[(i / 10) % 4] : valid[i % 8];
        rows.push_back({CellValue(QStringLiteral("Rad %1").arg(i)), CellValue(row.objektid), CellValue(),
                        CellValue(row.sektor), CellValue(row.naering), CellValue(row.valuta),
                        CellValue(static_cast<double>(100 + i % 997))});
    }
    return rows;
}

struct Report {
    QTemporaryDir folder;
    std::unique_ptr<excel::Application> application;
    std::unique_ptr<excel::Workbook> workbook;
    std::unique_ptr<excel::Worksheet> sheet;
    TemplateVersion templateVersion;
    std::unique_ptr<TVeskValidator> validator;

    Report() {
        excel::uno::LibreOfficeOptions options;
        options.profileFolder = folder.filePath(QStringLiteral("profiler"));
        application = excel::uno::makeLibreOfficeApplication(options);
        QDir(folder.path()).mkdir(QStringLiteral("maler"));
        QFile::copy(templatePath(QStringLiteral(TELVAINN_BIN_DIR), 10), templatePath(folder.path(), 10));
        const QString path = folder.filePath(QStringLiteral("R10-200812.xls"));
        QFile::copy(templatePath(folder.path(), 10), path);
        workbook = application->Open(path);
        sheet = workbook->ActiveSheet();
        sheet->Unprotect();
        sheet->WriteBlock(3, 2, {{CellValue(QStringLiteral("007"))}, {CellValue(QStringLiteral("1234"))}});
        sheet->WriteBlock(6, 2, {{CellValue(QStringLiteral("200812"))}, {CellValue(QStringLiteral("N"))}});
        sheet->WriteBlock(11, 1, reportRows());
        Locale locale;
        locale.decimalSeparator = QLatin1Char(',');
        validator = makeValidator(TemplateGeneration::Current, *application, folder.path(), 10, locale,
                                  templateVersion);
    }
};

Report& report() {
    static Report instance;
    return instance;
}

void runValidation(benchmark::State& state, SheetReading reading) {
    Report& r = report();
    r.validator->setSheetReading(reading);
    QStringList log;
    QString heading;
    for (auto _ : state) {
        r.validator->RunValidation(
            {*r.sheet, TemplateGeneration::Current, QStringLiteral("N"), log, heading});
    }
    state.counters["feillinjer"] = static_cast<double>(log.filter(QStringLiteral("Feil i rad")).size());
    state.SetBytesProcessed(state.iterations() * kReportRows);  // "bytes" are report rows
}

void BM_ValidationRunBulk(benchmark::State& state) {
    runValidation(state, SheetReading::Bulk);
}

void BM_ValidationRunCellByCell(benchmark::State& state) {
    runValidation(state, SheetReading::CellByCell);
}

BENCHMARK(BM_ValidationRunBulk)->Unit(benchmark::kMillisecond)->Iterations(5);
BENCHMARK(BM_ValidationRunCellByCell)->Unit(benchmark::kMillisecond)->Iterations(1);

[[maybe_unused]] const bool kRunRatio =
    registerRatio("BM_ValidationRunBulk/iterations:5", "BM_ValidationRunCellByCell/iterations:1");

}  // namespace
}  // namespace telvainn::bench
