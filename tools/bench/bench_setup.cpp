#include "tools/bench/bench_setup.h"

#include <stdexcept>

#include "diagnosis/report_name.h"
#include "pravex_config.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/wide_text.h"
#include "tests/e2e/driver/windows_path.h"

namespace pravex::bench {

namespace {

// The stand-in's sample that passes for a healthy report of a chosen size.
constexpr wchar_t kBigHealthySample[] = L"big";
constexpr std::wstring_view kInterpreterVariable = L"%ComSpec% ";

std::wstring RequireFile(std::wstring path) {
  if (!e2e::FileExists(path)) throw std::runtime_error(e2e::Quoted(path) + " does not exist");
  return path;
}

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
    } else if (argument == L"--interactions" || argument == L"--interactions-only") {
      options.interactions = true;
      options.figures = argument == L"--interactions";
    } else if (name == L"--probe") {
      options.probeExe = value;
    } else if (name == L"--key-hook") {
      options.keyHookDll = value;
    } else if (name == L"--ftp-mode-file") {
      options.ftpModeFile = value;
    } else if (argument == L"--pravex-only") {
      options.pravexOnly = true;
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
  if (options.interactions && (options.probeExe.empty() || options.keyHookDll.empty())) {
    error = "--interactions needs --probe and --key-hook";
    return std::nullopt;
  }
  return options;
}

std::string Usage() {
  return "usage: pravex_bench.exe --pravex=PATH --empty-window=PATH --tools=FOLDER [--runs=N] "
         "[--stages|--stages-only] [--interactions|--interactions-only --probe=PATH "
         "--key-hook=PATH [--ftp-mode-file=PATH] [--pravex-only]]\n"
         "  FOLDER holds the status tool and cmdshim.exe; N runs per figure, " +
         std::to_string(kFewestRuns) + " to " + std::to_string(kMostRuns) + " (default " +
         std::to_string(kDefaultRuns) + ")\n";
}

BenchPaths ResolvePaths(const BenchOptions& options) {
  std::wstring tools = e2e::WindowsPathOf(options.toolsFolder);
  while (tools.size() > 3 && tools.back() == L'\\') tools.pop_back();
  // Checked in this order, so the first missing file is the one named.
  BenchPaths paths{.pravexExe = RequireFile(e2e::WindowsPathOf(options.pravexExe)),
                   .emptyWindowExe = RequireFile(e2e::WindowsPathOf(options.emptyWindowExe)),
                   .toolsFolder = tools,
                   .shimExe = RequireFile(tools + L"\\cmdshim.exe")};
  RequireFile(tools + L"\\" + std::wstring(config::kStatusCommand) + L".exe");
  if (options.interactions) {
    paths.probeExe = RequireFile(e2e::WindowsPathOf(options.probeExe));
    paths.keyHookDll = RequireFile(e2e::WindowsPathOf(options.keyHookDll));
  }
  if (!options.ftpModeFile.empty()) paths.ftpModeFile = e2e::WindowsPathOf(options.ftpModeFile);
  return paths;
}

e2e::EnvironmentBlock DiagnosisEnvironment(const BenchPaths& paths, std::uint64_t reportBytes) {
  e2e::EnvironmentBlock environment = e2e::EnvironmentBlock::Current();
  environment.Set(L"ComSpec", paths.shimExe);
  environment.Set(L"PATH",
                  PathWithFolderFirst(paths.toolsFolder, environment.Get(L"PATH").value_or(L"")));
  environment.Set(L"PRAVEX_SAMPLE", kBigHealthySample);
  environment.Set(L"PRAVEX_SAMPLE_BYTES", std::to_wstring(reportBytes));
  return environment;
}

std::wstring InterpreterArguments(std::wstring_view reportPath) {
  const std::wstring command =
      std::wstring(config::kStatusCommand) + L" " + std::wstring(config::kArgVastrel);
  std::wstring line = ReportCommandLine(command, reportPath);
  if (line.starts_with(kInterpreterVariable)) line.erase(0, kInterpreterVariable.size());
  return line;
}

std::wstring PathWithFolderFirst(std::wstring_view folder, std::wstring_view path) {
  std::wstring joined(folder);
  if (!path.empty()) joined += L";" + std::wstring(path);
  return joined;
}

}  // namespace pravex::bench
