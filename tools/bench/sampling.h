// Running the programs over and over and keeping each run's values. Every
// series starts with one run of each program that is not kept: the first
// start of a program under Wine reads its files from disk.
#pragma once

#include <cstdint>

#include "tools/bench/bench_setup.h"
#include "tools/bench/figure_set.h"

namespace pravex::bench {

// Empty window and Pravex started in turn, `runs` times each.
StartupSamples SampleStartups(const BenchPaths& paths, int runs);

// The interpreter alone and a Pravex diagnosis in turn, `runs` times each.
DiagnosisSamples SampleDiagnoses(const BenchPaths& paths, std::uint64_t reportBytes, int runs);

FileSizes MeasureFileSizes(const BenchPaths& paths);

}  // namespace pravex::bench
