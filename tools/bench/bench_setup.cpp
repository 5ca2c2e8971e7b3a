#include "tools/bench/bench_setup.h"

#include <stdexcept>

#include "forms/main/report_name.h"
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

}  // namespace

BenchPaths ResolvePaths(const BenchOptions& options) {
  std::wstring tools = e2e::WindowsPathOf(options.toolsFolder);
  while (tools.size() > 3 && tools.back() == L'\\') tools.pop_back();
  // Checked in this order, so the first missing file is the one named.
  BenchPaths paths{.pravexExe = RequireFile(e2e::WindowsPathOf(options.pravexExe)),
                   .emptyWindowExe = RequireFile(e2e::WindowsPathOf(options.emptyWindowExe)),
                   .toolsFolder = tools,
                   .shimExe = RequireFile(tools + L"\\cmdshim.exe")};
  RequireFile(tools + L"\\" + std::wstring(config::kStatusCommand) + L".exe");
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
