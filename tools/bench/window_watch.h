// Watching another process's windows closely enough to time them: a window
// counts as shown once it is visible, a text box as filled once it answers
// with the whole length.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>

#include "tools/bench/bounded_wait.h"

namespace pravex::bench {

// The process's visible top-level window of this class, if it has one now.
HWND VisibleTopWindow(DWORD processId, const std::wstring& windowClass);

// The text of a message box the process shows now, if it shows one: a box
// where a window was awaited ends the wait at once with what it says.
std::optional<std::wstring> MessageBoxText(DWORD processId);

// Polls until the process shows a visible window of the class; throws
// BenchTimeout after `limit`, or std::runtime_error if the process shows a
// message box or ends instead.
HWND WaitForVisibleTopWindow(HANDLE process, DWORD processId, const std::wstring& windowClass,
                             Milliseconds limit);

// WM_GETTEXTLENGTH, waiting up to `limit` for a busy window to answer;
// nothing if it does not.
std::optional<std::size_t> TextLength(HWND window, Milliseconds limit);

}  // namespace pravex::bench
