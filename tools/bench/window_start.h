// Timing a program from its start to its first window on screen.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "tools/bench/launched_process.h"

namespace pravex::bench {

// A window program starts and shows its first window well within this.
inline constexpr Milliseconds kShowLimit{30000};

struct WindowStart {
  double milliseconds = 0;              // from just before CreateProcessW to the window visible
  std::size_t peakWorkingSetBytes = 0;  // the program's peak up to that moment
};

// Starts `exe` with the environment block, waits for its visible window of
// `windowClass`, then closes the window and lets the program end.
WindowStart TimeWindowStart(const std::wstring& exe, const std::wstring& windowClass,
                            const std::wstring& environment);

// Asks the program to close `window` as its close box would and waits for it
// to end; one that does not end in time is ended through its handle, with a
// note on stderr.
void CloseAndWaitForExit(LaunchedProcess& process, HWND window);

}  // namespace pravex::bench
