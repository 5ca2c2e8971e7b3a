// The benchmark's command line:
//
//   pravex_bench.exe --pravex=PATH --empty-window=PATH --tools=FOLDER [--runs=N]
//   [--stages|--stages-only]
//
// --stages adds where a diagnosis spends its time and memory; --stages-only
// prints only that, for profiling a change. FOLDER holds the stand-in status tool
// and the interpreter shim. Paths may be host paths under Wine; the caller turns them into Windows
// paths.
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace pravex::bench {

// Fewer runs would let one slow run move the median.
inline constexpr int kFewestRuns = 5;
inline constexpr int kDefaultRuns = 7;
inline constexpr int kMostRuns = 99;

struct BenchOptions {
  std::wstring pravexExe;
  std::wstring emptyWindowExe;
  std::wstring toolsFolder;
  int runs = kDefaultRuns;
  bool stages = false;
  bool figures = true;
};

// The options, or nothing with `error` saying what is wrong.
std::optional<BenchOptions> ParseOptions(const std::vector<std::wstring>& arguments,
                                         std::string& error);

std::string Usage();

}  // namespace pravex::bench
