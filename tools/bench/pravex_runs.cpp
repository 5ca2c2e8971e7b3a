#include "tools/bench/pravex_runs.h"

#include <cstdio>

#include "forms/main/main_form_def.h"
#include "forms/main/report_name.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/user_registry.h"
#include "tests/e2e/driver/window_input.h"

namespace pravex::bench {

namespace {

constexpr Milliseconds kAnswerLimit{5000};
// Closing the last window ends either program at once; Wine needs a moment.
constexpr Milliseconds kExitLimit{15000};

}  // namespace

std::vector<std::wstring> PravexReportFiles() {
  const std::wstring prefix(kReportPrefix);
  const std::size_t slash = prefix.rfind(L'\\');
  return e2e::FilesMatching(prefix.substr(0, slash + 1), prefix.substr(slash + 1) + L"*.txt");
}

void RemoveLeftovers() {
  e2e::DeleteUserKey(e2e::kSettingsKey);
  for (const std::wstring& report : PravexReportFiles()) e2e::DeleteFileIfPresent(report);
  e2e::DeleteFileIfPresent(kBaselineReport);
}

HWND WaitForWindow(const e2e::AppProcess& process, const std::wstring& windowClass,
                   Milliseconds limit) {
  return process.WaitForWindow({.className = windowClass}, limit, kLookInterval);
}

HWND MainWindowWithVastrelSelected(const e2e::AppProcess& pravex) {
  const HWND mainWindow = WaitForWindow(pravex, FormWindowClass(MainFormDef()), kShowLimit);
  const HWND option = FormControl(mainWindow, MainFormDef(), L"OptionVastrel");
  e2e::PressButton(option);
  e2e::WaitUntil([&] { return e2e::IsChecked(option); }, kAnswerLimit,
                 "OptionVastrel to be selected", kLookInterval);
  return mainWindow;
}

void CloseAndWaitForExit(e2e::AppProcess& process, HWND window) {
  if (!process.CloseAndWaitForExit(window, kExitLimit)) {
    std::fprintf(stderr, "note: process %lu did not exit within %lld ms of closing; ended it\n",
                 process.Id(), static_cast<long long>(kExitLimit.count()));
  }
}

}  // namespace pravex::bench
