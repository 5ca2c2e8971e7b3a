#include "tools/bench/leftovers.h"

#include "forms/main/report_name.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/user_registry.h"

namespace pravex::bench {

namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\QuorvelPravex";

}  // namespace

std::vector<std::wstring> PravexReportFiles() {
  const std::wstring prefix(kReportPrefix);
  const std::size_t slash = prefix.rfind(L'\\');
  return e2e::FilesMatching(prefix.substr(0, slash + 1), prefix.substr(slash + 1) + L"*.txt");
}

void RemoveLeftovers() {
  e2e::DeleteUserKey(kSettingsKey);
  for (const std::wstring& report : PravexReportFiles()) e2e::DeleteFileIfPresent(report);
  e2e::DeleteFileIfPresent(kBaselineReport);
}

}  // namespace pravex::bench
