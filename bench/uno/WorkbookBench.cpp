// What a cell-by-cell automation call costs against LibreOffice, and what reading a block of rows or a
// whole code list in one call saves.

#include <benchmark/benchmark.h>
#include <QTemporaryDir>

#include "BenchRatio.h"
#include "workbook/uno/LibreOffice.h"

namespace telvainn::bench {
namespace {

using excel::Block;
using excel::CellValue;

constexpr int kRows = 5000;
constexpr int kColumns = 10;

// One office and one filled report-sized sheet for all the benchmarks.
struct Office {
    QTemporaryDir profiles;
    std::unique_ptr<excel::Application> application;
    std::unique_ptr<excel::Workbook> workbook;
    std::unique_ptr<excel::Worksheet> sheet;

    Office() {
        excel::uno::LibreOfficeOptions options;
        options.profileFolder = profiles.path();
        application = excel::uno::makeLibreOfficeApplication(options);
        workbook = application->NewWorkbook();
        sheet = workbook->Worksheets(1);
        Block rows(kRows, std::vector<CellValue>(kColumns));
        for (int row = 0; row < kRows; ++row) {
            rows[row][0] = CellValue(QStringLiteral("Tekst %1").arg(row));
            rows[row][1] = CellValue(QString::number(1010000 + row));
            for (int column = 2; column < kColumns; ++column) {
                rows[row][column] = CellValue(static_cast<double>(row * column));
            }
        }
        sheet->WriteBlock(11, 1, rows);
        workbook->AddName(QStringLiteral("Base_Itens"), sheet->Name(),
                          QStringLiteral("B11:B%1").arg(11 + kRows - 1));
    }
};

Office& office() {
    static Office instance;
    return instance;
}

void BM_OneCellRead(benchmark::State& state) {
    auto& sheet = *office().sheet;
    for (auto _ : state) {
        benchmark::DoNotOptimize(sheet.Cell(12, 3));
    }
    state.SetBytesProcessed(state.iterations());  // one cell per iteration: "bytes" are cells
}

void BM_RowsCellByCell(benchmark::State& state) {
    auto& sheet = *office().sheet;
    const int rows = static_cast<int>(state.range(0));
    for (auto _ : state) {
        for (int row = 11; row < 11 + rows; ++row) {
            for (int column = 1; column <= kColumns; ++column) {
                benchmark::DoNotOptimize(sheet.Cell(row, column));
            }
        }
    }
    state.SetBytesProcessed(state.iterations() * rows * kColumns);
}

void BM_RowsAsOneBlock(benchmark::State& state) {
    auto& sheet = *office().sheet;
    const int rows = static_cast<int>(state.range(0));
    for (auto _ : state) {
        benchmark::DoNotOptimize(sheet.ReadBlock(11, 1, rows, kColumns));
    }
    state.SetBytesProcessed(state.iterations() * rows * kColumns);
}

void BM_CodeListFind(benchmark::State& state) {
    const auto list = office().sheet->GetRange(QStringLiteral("Base_Itens"));
    for (auto _ : state) {
        benchmark::DoNotOptimize(list->Find(QStringLiteral("1014999")));
    }
}

void BM_CodeListWholeRead(benchmark::State& state) {
    const auto list = office().sheet->GetRange(QStringLiteral("Base_Itens"));
    for (auto _ : state) {
        benchmark::DoNotOptimize(list->Values());
    }
    state.SetBytesProcessed(state.iterations() * kRows);
}

BENCHMARK(BM_OneCellRead)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_RowsCellByCell)->Arg(100)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_RowsAsOneBlock)->Arg(100)->Arg(kRows)->Unit(benchmark::kMillisecond);
BENCHMARK(BM_CodeListFind)->Unit(benchmark::kMicrosecond);
BENCHMARK(BM_CodeListWholeRead)->Unit(benchmark::kMillisecond);

[[maybe_unused]] const bool kBlockRatio = registerRatio("BM_RowsAsOneBlock/5000", "BM_RowsCellByCell/100");

}  // namespace
}  // namespace telvainn::bench
