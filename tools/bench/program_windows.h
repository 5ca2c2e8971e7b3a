// The windows of the programs the benchmark starts, awaited closely enough
// to time them, and closed; Pravex's found by the names its form tables give
// them. A window counts as shown once it is visible.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "tests/e2e/driver/app_process.h"
#include "ui/form_def.h"

namespace pravex::bench {

using e2e::Milliseconds;

// Every wait looks each millisecond: a coarser poll would blur figures of a
// few hundred milliseconds.
inline constexpr Milliseconds kLookInterval{1};
// A window program starts and shows its first window well within this.
inline constexpr Milliseconds kShowLimit{30000};

// Each form's window class is "Pravex" followed by the form's name.
std::wstring FormWindowClass(const FormDef& form);

// A control of a live form window, found by its name in the form table.
HWND FormControl(HWND formWindow, const FormDef& form, std::wstring_view name);

// The process's visible window of the class once it shows; throws
// e2e::WaitTimeout after `limit`, or std::runtime_error as soon as the
// process shows a message box or ends instead.
HWND WaitForWindow(const e2e::AppProcess& process, const std::wstring& windowClass,
                   Milliseconds limit);

// Waits for Pravex's main window and selects Vastrel in it; the main window.
HWND MainWindowWithVastrelSelected(const e2e::AppProcess& pravex);

// Asks the program to close `window` as its close box would and waits for it
// to end; one that does not end in time is ended, with a note on stderr.
void CloseAndWaitForExit(e2e::AppProcess& process, HWND window);

}  // namespace pravex::bench
