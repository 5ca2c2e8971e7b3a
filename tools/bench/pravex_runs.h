// What every measured run of Pravex shares: a clean slate (an earlier run's
// report files would pile up, and its settings could turn on debug mode,
// which opens a box before the main window), its windows awaited closely
// enough to time them, and an end to the process however the run goes. Its
// windows and controls are found with tests/e2e/pravex_program.h.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/driver/app_process.h"
#include "tests/e2e/pravex_program.h"

namespace pravex::bench {

using e2e::FormControl;
using e2e::FormWindowClass;
using e2e::Milliseconds;

// Every wait looks each millisecond: a coarser poll would blur figures of a
// few hundred milliseconds.
inline constexpr Milliseconds kLookInterval{1};
// A window program starts and shows its first window well within this.
inline constexpr Milliseconds kShowLimit{30000};

// Where the interpreter-alone runs send the report.
inline constexpr wchar_t kBaselineReport[] = L"C:\\bench.txt";

// The report files Pravex has written, by the prefix it names them with.
std::vector<std::wstring> PravexReportFiles();

// Deletes Pravex's report files, the baseline's report and Pravex's
// settings key; throws std::runtime_error if one cannot be deleted.
void RemoveLeftovers();

// The program's visible window of the class once it shows (see
// AppProcess::WaitForWindow), looked for every millisecond.
HWND WaitForWindow(const e2e::AppProcess& process, const std::wstring& windowClass,
                   Milliseconds limit);

// Waits for Pravex's main window and selects Vastrel in it; the main window.
HWND MainWindowWithVastrelSelected(const e2e::AppProcess& pravex);

// Closes `window` as its close box would and lets the program end; one that
// does not end in time is ended, with a note on stderr.
void CloseAndWaitForExit(e2e::AppProcess& process, HWND window);

}  // namespace pravex::bench
