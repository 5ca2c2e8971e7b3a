// The runs the benchmark times, each ending its program however it goes: a
// program's start to its first window, a Diagnose press in Pravex, and the
// same command run by the interpreter alone. Every wait looks each
// millisecond: a coarser poll would blur figures of a few hundred
// milliseconds.
#pragma once

#include <windows.h>

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tests/e2e/driver/app_process.h"
#include "tools/bench/bench_setup.h"
#include "tools/bench/figure_table.h"

namespace pravex::bench {

// Where the interpreter-alone runs send the report.
inline constexpr wchar_t kBaselineReport[] = L"C:\\bench.txt";

// What an earlier run may have left and would change the next one: Pravex's
// report files, the baseline's report and Pravex's settings (debug mode
// would open a box before the main window). Throws std::runtime_error if one
// cannot be deleted.
void RemoveLeftovers();

// Pravex's main window once it shows, with Vastrel selected.
HWND MainWindowWithVastrelSelected(const e2e::AppProcess& pravex);

// A diagnosis with the report the environment asks for: the result window
// once it is visible and its text box holds `reportBytes` characters.
HWND DiagnoseToResultWindow(const e2e::AppProcess& pravex, std::uint64_t reportBytes);

struct TimedRun {
  double milliseconds = 0;
  double peakWorkingSetBytes = 0;  // the program's, at the end of the time
  // A diagnosis's time less the time its own interpreter ran, by the
  // interpreter's process times: what Pravex itself costs, free of the
  // spread of process starts between runs. Nothing when the interpreter
  // could not be watched.
  std::optional<double> ownMilliseconds;
};

// From just before CreateProcessW to the program's visible window of
// `windowClass`; then closes the window and lets the program end.
TimedRun TimeWindowStart(const std::wstring& exe, const std::wstring& windowClass,
                         const e2e::EnvironmentBlock& environment);

// Starts Pravex with no leftovers and selects Vastrel, then times the
// Diagnose click to the result window visible with the whole report in its
// text box, the report open at the peak; closing the result window then
// deletes the report and ends Pravex. Given `stages`, it also waits for each
// stage on the way and marks it there.
TimedRun TimeDiagnosis(const BenchPaths& paths, const e2e::EnvironmentBlock& environment,
                       std::uint64_t reportBytes, std::vector<StageMark>* stages = nullptr);

// The interpreter alone: Pravex's command line, to a report file of the
// benchmark's, from just before CreateProcessW to the interpreter's exit.
// Throws std::runtime_error if the report does not come out whole.
double TimeInterpreterAlone(const BenchPaths& paths, const e2e::EnvironmentBlock& environment,
                            std::uint64_t reportBytes);

}  // namespace pravex::bench
