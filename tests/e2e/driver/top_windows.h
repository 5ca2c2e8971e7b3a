// Finding a process's top-level windows by window class and caption.
#pragma once

#include <windows.h>

#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/driver/deadline.h"

namespace pravex::e2e {

struct WindowQuery {
  std::wstring className;
  std::optional<std::wstring> caption;  // empty: any caption
  bool visibleOnly = true;
};

// "a visible window of class "X" captioned "Y" in process N", for messages.
std::string Describe(const WindowQuery& query, DWORD processId);

// The matching top-level windows of the process, topmost first.
std::vector<HWND> FindTopWindows(DWORD processId, const WindowQuery& query);

// The topmost matching window once there is one; throws WaitTimeout if none
// turns up within `limit`.
HWND WaitForTopWindow(DWORD processId, const WindowQuery& query, Milliseconds limit);

// Returns once no window matches; throws WaitTimeout if one still does
// after `limit`.
void WaitUntilNoTopWindow(DWORD processId, const WindowQuery& query, Milliseconds limit);

}  // namespace pravex::e2e
