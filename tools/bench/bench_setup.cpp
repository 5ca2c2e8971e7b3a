#include "tools/bench/bench_setup.h"

#include <stdexcept>

#include "pravex_config.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/wide_text.h"
#include "tests/e2e/driver/windows_path.h"
#include "tools/bench/command_lines.h"

namespace pravex::bench {

namespace {

constexpr wchar_t kShimName[] = L"cmdshim.exe";
// The stand-in's sample that passes for a healthy report of a chosen size.
constexpr wchar_t kBigHealthySample[] = L"big";

void RequireFile(const std::wstring& path) {
  if (!e2e::FileExists(path)) throw std::runtime_error(e2e::Quoted(path) + " does not exist");
}

}  // namespace

BenchPaths ResolvePaths(const BenchOptions& options) {
  BenchPaths paths;
  paths.pravexExe = e2e::WindowsPathOf(options.pravexExe);
  paths.emptyWindowExe = e2e::WindowsPathOf(options.emptyWindowExe);
  paths.toolsFolder = e2e::WindowsPathOf(options.toolsFolder);
  while (paths.toolsFolder.size() > 3 && paths.toolsFolder.back() == L'\\') {
    paths.toolsFolder.pop_back();
  }
  paths.shimExe = paths.toolsFolder + L"\\" + kShimName;
  RequireFile(paths.pravexExe);
  RequireFile(paths.emptyWindowExe);
  RequireFile(paths.shimExe);
  RequireFile(paths.toolsFolder + L"\\" + std::wstring(config::kStatusCommand) + L".exe");
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

}  // namespace pravex::bench
