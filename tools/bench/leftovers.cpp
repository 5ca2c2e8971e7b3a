#include "tools/bench/leftovers.h"

#include "forms/main/report_name.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/user_registry.h"

namespace pravex::bench {

namespace {

constexpr wchar_t kSettingsKey[] = L"Software\\QuorvelPravex";

}  // namespace

void RemoveLeftovers() {
  e2e::DeleteUserKey(kSettingsKey);
  const std::wstring prefix(kReportPrefix);
  const std::size_t slash = prefix.rfind(L'\\');
  const std::wstring folder = prefix.substr(0, slash + 1);
  const std::wstring pattern = prefix.substr(slash + 1) + L"*.txt";
  for (const std::wstring& report : e2e::FilesMatching(folder, pattern)) {
    e2e::DeleteFileIfPresent(report);
  }
  e2e::DeleteFileIfPresent(kBaselineReport);
}

}  // namespace pravex::bench
