#include <benchmark/benchmark.h>

#include <QDir>
#include <QFile>
#include <QTemporaryDir>

#include "core/TemplateVersion.h"
#include "core/Windows1252.h"
#include "transmission/DataFileRun.h"

using namespace telvainn;

namespace {

// A flat data file of `lines` data lines spread over `companies` companies and three reports each.
QByteArray generatedDataFile(int lines, int companies) {
    QString text = QStringLiteral("F123200906%1100000000000000\r\n").arg(lines, 6, 10, QLatin1Char('0'));
    text.reserve(lines * 47 + 64);
    constexpr int reports[] = {10, 20, 50};
    for (int i = 0; i < lines; ++i) {
        const int regnr = 1000 + i % companies;
        const int report = reports[(i / companies) % 3];
        text +=
            QString::asprintf("%4.4d%2.2d%6.6d%3.3d%7.7d%3.3d%3.3d", regnr, report, 200906, 0, i, 110, 641) +
            QStringLiteral("00NO") + QString::asprintf("%2.2d%1.1d%10.10d", 1, i % 7 == 0, i * 13) +
            QStringLiteral("\r\n");
    }
    return toWindows1252(text);
}

void BM_ProcessDataFile_SaveFiles(benchmark::State& state) {
    const int lines = static_cast<int>(state.range(0));
    const int companies = static_cast<int>(state.range(1));
    QTemporaryDir dir;
    const QString input = dir.filePath(QStringLiteral("data.txt"));
    {
        QFile file(input);
        file.open(QIODevice::WriteOnly);
        file.write(generatedDataFile(lines, companies));
    }
    QDir(dir.path()).mkdir(QStringLiteral("ut"));
    DataFileRunContext context;
    context.mailSystem = QStringLiteral("Annet");
    context.locale = Locale::from(QLocale(QLocale::NorwegianBokmal, QLocale::Norway));
    const FlatFileVersionScope version;
    qsizetype files = 0;
    for (auto _ : state) {
        QStringList results{dir.filePath(QStringLiteral("ut/Filnavn"))};
        DataFileRunOutputs outputs;
        if (!ProcessDataFile(input, DataFileMode::SaveFiles, results, outputs, context)) {
            state.SkipWithError(outputs.error.toUtf8().constData());
            return;
        }
        files = results.size() - 1;
    }
    state.counters["files"] = static_cast<double>(files);
    state.counters["lines/s"] = benchmark::Counter(
        static_cast<double>(lines) * static_cast<double>(state.iterations()), benchmark::Counter::kIsRate);
}

}  // namespace

BENCHMARK(BM_ProcessDataFile_SaveFiles)->Args({100000, 50})->Unit(benchmark::kMillisecond)->UseRealTime();
