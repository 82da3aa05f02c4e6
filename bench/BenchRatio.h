#pragma once

#include <string>

namespace telvainn::bench {

// Asks the benchmark program to print, after the run, how the throughput (bytes per second, from
// state.SetBytesProcessed) of the benchmark named `ours` compares with that of `reference`: the ratio
// ours/reference. Pairs of which a side did not run (filtered out, failed) are left out. Call it from
// a static initialiser beside the benchmarks it concerns.
bool registerRatio(std::string ours, std::string reference);

}  // namespace telvainn::bench
