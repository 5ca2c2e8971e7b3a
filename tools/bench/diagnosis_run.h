// One Diagnose press in Pravex, and the same command run by the interpreter
// alone, each timed.
#pragma once

#include <windows.h>

#include <cstddef>
#include <cstdint>

#include "tools/bench/bench_setup.h"
#include "tools/bench/program_windows.h"

namespace pravex::bench {

struct DiagnosisRun {
  // From the Diagnose click to the result window visible with the whole
  // report in its text box.
  double milliseconds = 0;
  // Pravex's peak working set at that moment: the report open.
  std::size_t peakWorkingSetBytes = 0;
};

// How long a diagnosis may take before the run is given up.
Milliseconds DiagnosisLimit(std::uint64_t reportBytes);

// Polls until the text box answers with at least the report's length;
// throws e2e::WaitTimeout after `limit`.
void WaitForWholeReport(HWND text, std::uint64_t reportBytes, Milliseconds limit);

// Starts Pravex with the environment, shows its main window, selects
// Vastrel, presses Diagnose and times it; then closes the result window,
// which deletes the report and ends Pravex.
DiagnosisRun TimeDiagnosis(const BenchPaths& paths, const e2e::EnvironmentBlock& environment,
                           std::uint64_t reportBytes);

// The interpreter alone: Pravex's command line, to a report file of the
// benchmark's, from just before CreateProcessW to the interpreter's exit.
// Throws std::runtime_error if the report does not come out whole.
double TimeInterpreterAlone(const BenchPaths& paths, const e2e::EnvironmentBlock& environment,
                            std::uint64_t reportBytes);

}  // namespace pravex::bench
