#include "tools/bench/bench_options.h"

#include <string_view>

#include "tests/e2e/driver/wide_text.h"

namespace pravex::bench {

namespace {

std::optional<int> RunCount(std::wstring_view text) {
  if (text.empty() || text.size() > 2) return std::nullopt;
  int count = 0;
  for (const wchar_t c : text) {
    if (c < L'0' || c > L'9') return std::nullopt;
    count = count * 10 + (c - L'0');
  }
  if (count < kFewestRuns || count > kMostRuns) return std::nullopt;
  return count;
}

}  // namespace

std::optional<BenchOptions> ParseOptions(const std::vector<std::wstring>& arguments,
                                         std::string& error) {
  BenchOptions options;
  for (const std::wstring& argument : arguments) {
    const std::size_t equals = argument.find(L'=');
    const std::wstring_view name = std::wstring_view(argument).substr(0, equals);
    const std::wstring value = equals == std::wstring::npos ? L"" : argument.substr(equals + 1);
    if (name == L"--pravex") {
      options.pravexExe = value;
    } else if (name == L"--empty-window") {
      options.emptyWindowExe = value;
    } else if (name == L"--tools") {
      options.toolsFolder = value;
    } else if (argument == L"--stages" || argument == L"--stages-only") {
      options.stages = true;
      options.figures = argument == L"--stages";
    } else if (name == L"--runs") {
      const std::optional<int> runs = RunCount(value);
      if (!runs) {
        error = "--runs takes a whole number from " + std::to_string(kFewestRuns) + " to " +
                std::to_string(kMostRuns) + ", not " + e2e::Quoted(value);
        return std::nullopt;
      }
      options.runs = *runs;
    } else {
      error = "unknown argument " + e2e::Quoted(argument);
      return std::nullopt;
    }
  }
  if (options.pravexExe.empty() || options.emptyWindowExe.empty() || options.toolsFolder.empty()) {
    error = "--pravex, --empty-window and --tools are all needed";
    return std::nullopt;
  }
  return options;
}

std::string Usage() {
  return "usage: pravex_bench.exe --pravex=PATH --empty-window=PATH --tools=FOLDER [--runs=N] "
         "[--stages|--stages-only]\n"
         "  FOLDER holds the status tool and cmdshim.exe; N runs per figure, " +
         std::to_string(kFewestRuns) + " to " + std::to_string(kMostRuns) + " (default " +
         std::to_string(kDefaultRuns) + ")\n";
}

}  // namespace pravex::bench
