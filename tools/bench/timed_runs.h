// The runs the benchmark times, each ending its program however it goes: a
// program's start to its first window, a Diagnose press in Pravex, and the
// same command run by the interpreter alone.
#pragma once

#include <windows.h>

#include <cstdint>
#include <string>
#include <vector>

#include "tools/bench/bench_setup.h"
#include "tools/bench/pravex_runs.h"
#include "tools/bench/stage_table.h"

namespace pravex::bench {

struct TimedRun {
  double milliseconds = 0;
  double peakWorkingSetBytes = 0;  // the program's, at the end of the time
};

// How long a diagnosis may take before the run is given up.
Milliseconds DiagnosisLimit(std::uint64_t reportBytes);

// From just before CreateProcessW to the program's visible window of
// `windowClass`; then closes the window and lets the program end.
TimedRun TimeWindowStart(const std::wstring& exe, const std::wstring& windowClass,
                         const e2e::EnvironmentBlock& environment);

// Starts Pravex on a clean slate and selects Vastrel, then times the
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
