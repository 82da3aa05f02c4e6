#include <benchmark/benchmark.h>

#include <sys/resource.h>

#include <QDir>
#include <QFile>
#include <QFileInfo>
#include <QTemporaryDir>

#include "core/TemplateVersion.h"
#include "core/Windows1252.h"
#include "transmission/DataFileRun.h"

using namespace telvainn;

namespace {

// A flat data file of `lines` data lines spread over `companies` companies and three reports each,
// written a slice at a time, so that making it does not raise the memory peak the large case measures.
void writeGeneratedDataFile(const QString& path, int lines, int companies) {
    QFile file(path);
    if (!file.open(QIODevice::WriteOnly)) {
        return;
    }
    file.write(
        toWindows1252(QStringLiteral("F123200906%1100000000000000\r\n").arg(lines, 6, 10, QLatin1Char('0'))));
    constexpr int reports[] = {10, 20, 50};
    constexpr int slice = 10000;
    for (int first = 0; first < lines; first += slice) {
        QString text;
        text.reserve(slice * 47);
        for (int i = first; i < std::min(lines, first + slice); ++i) {
            const int regnr = 1000 + i % companies;
            const int report = reports[(i / companies) % 3];
            text += QString::asprintf("%4.4d%2.2d%6.6d%3.3d%7.7d%3.3d%3.3d", regnr, report, 200906, 0, i, 110,
                                      641) +
                    QStringLiteral("00NO") + QString::asprintf("%2.2d%1.1d%10.10d", 1, i % 7 == 0, i * 13) +
                    QStringLiteral("\r\n");
        }
        file.write(toWindows1252(text));
    }
}

// The highest resident set size of the process so far, in bytes.
double maxRss() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    return static_cast<double>(usage.ru_maxrss) * 1024.0;
}

// Lowers the high-water mark to what the process holds now, so that a case run after another measures
// its own peak; where the system does not allow it, the case is to be run alone.
void resetMaxRss() {
    QFile clearRefs(QStringLiteral("/proc/self/clear_refs"));
    if (clearRefs.open(QIODevice::WriteOnly)) {
        clearRefs.write("5");
    }
}

void BM_ProcessDataFile_SaveFiles(benchmark::State& state) {
    const int lines = static_cast<int>(state.range(0));
    const int companies = static_cast<int>(state.range(1));
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("data.txt"));
    writeGeneratedDataFile(input, lines, companies);
    const double fileSize = static_cast<double>(QFileInfo(input).size());
    QDir(dir.path()).mkdir(QStringLiteral("ut"));
    DataFileRunContext context;
    context.mailSystem = QStringLiteral("Annet");
    context.locale = Locale::from(QLocale(QLocale::NorwegianBokmal, QLocale::Norway));
    context.reportVersion = kFlatFileVersionMark;
    context.pathTemplate = dir.filePath(QStringLiteral("ut/Filnavn"));
    qsizetype files = 0;
    double rssRise = 0;
    for (auto _ : state) {
        DataFileRunOutputs outputs;
        resetMaxRss();
        const double before = maxRss();
        const bool ok = ProcessDataFile(input, DataFileMode::SaveFiles, outputs, context);
        rssRise = std::max(rssRise, maxRss() - before);
        if (!ok) {
            state.SkipWithError(outputs.error.toUtf8().constData());
            return;
        }
        files = static_cast<qsizetype>(outputs.reports.size());
    }
    state.counters["files"] = static_cast<double>(files);
    state.counters["lines/s"] = benchmark::Counter(
        static_cast<double>(lines) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
    state.counters["file_MB"] = fileSize / 1e6;
    state.counters["rss_rise_MB"] = rssRise / 1e6;
    state.counters["rss_rise/file"] = rssRise / fileSize;
}

}  // namespace

// The large case first: what ran before it cannot have left a higher peak behind.
BENCHMARK(BM_ProcessDataFile_SaveFiles)
    ->Args({1000000, 1000})
    ->Iterations(3)
    ->Unit(benchmark::kMillisecond)
    ->UseRealTime();
BENCHMARK(BM_ProcessDataFile_SaveFiles)->Args({100000, 50})->Unit(benchmark::kMillisecond)->UseRealTime();
