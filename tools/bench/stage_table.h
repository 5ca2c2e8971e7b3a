// Where a diagnosis spends its time and memory, seen from outside Pravex:
// the moments the report file is complete, the interpreter has ended, the
// result window exists (still hidden), it is visible, and its text box
// holds the whole report, each with Pravex's working set then (marked by
// TimeDiagnosis, timed_runs.h).
#pragma once

#include <string>
#include <vector>

namespace pravex::bench {

struct StageMark {
  std::string stage;
  double milliseconds = 0;  // since the Diagnose click
  double workingSetBytes = 0;
  double peakWorkingSetBytes = 0;
};

// The marks of several runs as a Markdown table: per stage the median time
// since the click, the median time since the stage before, and the median
// working set and peak.
std::string StageTable(const std::vector<std::vector<StageMark>>& runs);

}  // namespace pravex::bench
