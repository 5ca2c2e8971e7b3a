// The files the benchmark runs and the environment it runs them in.
#pragma once

#include <cstdint>
#include <string>

#include "tests/e2e/driver/environment_block.h"
#include "tools/bench/bench_options.h"

namespace pravex::bench {

struct BenchPaths {
  std::wstring pravexExe;  // Windows paths, all of them
  std::wstring emptyWindowExe;
  std::wstring toolsFolder;
  std::wstring shimExe;
};

// The options' paths as Windows paths; throws std::runtime_error naming the
// first file that is missing.
BenchPaths ResolvePaths(const BenchOptions& options);

// This process's environment with ComSpec set to the shim (Wine takes it
// from the block given to CreateProcessW), the tools folder first on PATH,
// and the stand-in tool set to print a healthy report of `reportBytes`.
e2e::EnvironmentBlock DiagnosisEnvironment(const BenchPaths& paths, std::uint64_t reportBytes);

}  // namespace pravex::bench
