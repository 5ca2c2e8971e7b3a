#include "tools/bench/window_start.h"

#include <cstdio>

#include "tools/bench/bounded_wait.h"
#include "tools/bench/window_watch.h"

namespace pravex::bench {

namespace {

// Closing the last window ends either program at once; Wine needs a moment.
constexpr Milliseconds kExitLimit{15000};

}  // namespace

WindowStart TimeWindowStart(const std::wstring& exe, const std::wstring& windowClass,
                            const std::wstring& environment) {
  LaunchedProcess process({.exe = exe, .environment = &environment});
  const HWND window =
      WaitForVisibleTopWindow(process.Handle(), process.Id(), windowClass, kShowLimit);
  WindowStart start;
  start.milliseconds = process.MillisecondsSinceLaunch();
  start.peakWorkingSetBytes = process.PeakWorkingSetBytes();
  CloseAndWaitForExit(process, window);
  return start;
}

void CloseAndWaitForExit(LaunchedProcess& process, HWND window) {
  ::PostMessageW(window, WM_CLOSE, 0, 0);
  try {
    process.WaitForExit(kExitLimit);
  } catch (const BenchTimeout& timeout) {
    std::fprintf(stderr, "note: %s; ending it\n", timeout.what());
    process.End();
  }
}

}  // namespace pravex::bench
