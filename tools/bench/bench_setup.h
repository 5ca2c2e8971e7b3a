// The benchmark's command line, the files it runs, the environment it runs
// them in and the command it hands the interpreter, built from the same
// pieces Pravex uses so that the baseline runs the very same command.
//
//   pravex_bench.exe --pravex=PATH --empty-window=PATH --tools=FOLDER [--runs=N]
//   [--stages|--stages-only] [--interactions|--interactions-only
//   --probe=PATH --key-hook=PATH [--ftp-mode-file=PATH] [--pravex-only]]
//
// --stages adds where a diagnosis spends its time and memory; --stages-only
// prints only that, for profiling a change. --interactions adds what a user
// does with the result's text box, beside the system's text box in
// text_box_probe.exe (left out with --pravex-only), and the result window's
// answers during a slow upload to the test FTP drop whose mode file is
// given. FOLDER holds the stand-in status tool and the interpreter shim.
// Paths may be host paths under Wine.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/e2e/driver/environment_block.h"

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
  bool interactions = false;
  std::wstring probeExe;
  std::wstring keyHookDll;
  std::wstring ftpModeFile;  // none: the upload is not measured
  bool pravexOnly = false;
};

// The options, or nothing with `error` saying what is wrong.
std::optional<BenchOptions> ParseOptions(const std::vector<std::wstring>& arguments,
                                         std::string& error);

std::string Usage();

struct BenchPaths {
  std::wstring pravexExe;  // Windows paths, all of them
  std::wstring emptyWindowExe;
  std::wstring toolsFolder;
  std::wstring shimExe;
  std::wstring probeExe;  // with --interactions
  std::wstring keyHookDll;
  std::wstring ftpModeFile;
};

// The options' paths as Windows paths; throws std::runtime_error naming the
// first file that is missing.
BenchPaths ResolvePaths(const BenchOptions& options);

// This process's environment with ComSpec set to the shim (Wine takes it
// from the block given to CreateProcessW), the tools folder first on PATH,
// and the stand-in tool set to print a healthy report of `reportBytes`.
e2e::EnvironmentBlock DiagnosisEnvironment(const BenchPaths& paths, std::uint64_t reportBytes);

// The arguments Pravex gives %ComSpec% for a Vastrel diagnosis, with the
// report sent to `reportPath`: "/c qvstatus /product:vastrel>C:\x.txt 2<&1".
std::wstring InterpreterArguments(std::wstring_view reportPath);

// `folder` first, then the rest of the search path as it was.
std::wstring PathWithFolderFirst(std::wstring_view folder, std::wstring_view path);

}  // namespace pravex::bench
