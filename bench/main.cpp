// The benchmark program's entry point: what BENCHMARK_MAIN does, plus the ratios asked for with
// registerRatio, printed after the table. The benchmarks themselves live in the other files here.
#include <benchmark/benchmark.h>

#include <unistd.h>
#include <cstdio>
#include <map>
#include <utility>
#include <vector>

#include "BenchRatio.h"

namespace telvainn::bench {
namespace {

std::vector<std::pair<std::string, std::string>>& ratioPairs() {
    static std::vector<std::pair<std::string, std::string>> pairs;
    return pairs;
}

// The console table as usual, and each benchmark's bytes per second noted on the way (averaged over
// repetitions).
class RatioReporter : public benchmark::ConsoleReporter {
  public:
    // Colours only on a terminal, so that redirected output stays plain text.
    RatioReporter() : ConsoleReporter(isatty(fileno(stdout)) ? OO_Defaults : OO_Tabular) {}

    void ReportRuns(const std::vector<Run>& runs) override {
        ConsoleReporter::ReportRuns(runs);
        for (const Run& run : runs) {
            const auto counter = run.counters.find("bytes_per_second");
            if (run.error_occurred || counter == run.counters.end()) {
                continue;
            }
            Throughput& t = m_throughput[run.run_name.str()];
            if (run.run_type == Run::RT_Iteration) {
                t.sum += counter->second.value;
                ++t.count;
            } else if (run.aggregate_name == "mean") {
                // With --benchmark_report_aggregates_only only the aggregates arrive here.
                t.reportedMean = counter->second.value;
            }
        }
    }

    void printRatios() const {
        bool first = true;
        for (const auto& [ours, reference] : ratioPairs()) {
            const auto o = m_throughput.find(ours);
            const auto r = m_throughput.find(reference);
            if (o == m_throughput.end() || r == m_throughput.end() || o->second.mean() <= 0 ||
                r->second.mean() <= 0) {
                continue;
            }
            if (first) {
                std::printf("\nThroughput ratios (ours / reference):\n");
                first = false;
            }
            const double oursRate = o->second.mean();
            const double referenceRate = r->second.mean();
            std::printf("  %-32s %9.1f MB/s  /  %-28s %9.1f MB/s  =  %.3f\n", ours.c_str(), oursRate / 1e6,
                        reference.c_str(), referenceRate / 1e6, oursRate / referenceRate);
        }
    }

  private:
    struct Throughput {
        double sum = 0;
        int count = 0;
        double reportedMean = 0;
        double mean() const { return count > 0 ? sum / count : reportedMean; }
    };
    std::map<std::string, Throughput> m_throughput;
};

}  // namespace

bool registerRatio(std::string ours, std::string reference) {
    ratioPairs().emplace_back(std::move(ours), std::move(reference));
    return true;
}

}  // namespace telvainn::bench

int main(int argc, char** argv) {
    benchmark::Initialize(&argc, argv);
    if (benchmark::ReportUnrecognizedArguments(argc, argv)) {
        return 1;
    }
    telvainn::bench::RatioReporter reporter;
    benchmark::RunSpecifiedBenchmarks(&reporter);
    reporter.printRatios();
    benchmark::Shutdown();
    return 0;
}
