// The benchmark's Markdown tables. One row per figure: what Pravex
// measured, what the baseline measured in the same run, their ratio, the
// goal and whether it was met; a figure only ever reports, and a missed goal
// is a "no" in the table, never a failure. And one row per stage of a
// diagnosis, seen from outside Pravex: the moments the report file is
// complete, the interpreter has ended, the result window exists (still
// hidden), it is visible, and its text box holds the whole report, each with
// Pravex's working set then (marked by TimeDiagnosis, timed_runs.h).
#pragma once

#include <optional>
#include <string>
#include <vector>

namespace pravex::bench {

enum class Unit { kMilliseconds, kBytes };

enum class GoalKind {
  kNone,            // the figure is informative only
  kRatioAtMost,     // measured / baseline <= limit
  kMeasuredAtMost,  // measured <= limit, in the figure's unit
  kMeasuredBelow,   // measured < limit, in the figure's unit
  kOwnCostAtMost,   // Pravex's own cost (OwnCostOf) <= limit, in the figure's unit
};

struct Goal {
  GoalKind kind = GoalKind::kNone;
  double limit = 0;
};

struct Figure {
  std::string name;
  Unit unit = Unit::kMilliseconds;
  std::optional<double> measured;
  std::optional<double> baseline;
  Goal goal;
  // Pravex's own cost where it was measured apart from the baseline.
  std::optional<double> own;
  // Why the figure has no value, when it has none.
  std::string problem;
};

// "412 ms", "12.35 s", "345.1 KB", "87.3 MB" (decimal kilo and mega).
std::string FormatValue(double value, Unit unit);

std::optional<double> RatioOf(const Figure& figure);
// What Pravex itself costs, which stays much the same from one machine to
// the next while the baseline does not: `own` where it was measured, else
// measured minus baseline.
std::optional<double> OwnCostOf(const Figure& figure);

// "<= 1.3x", "<= 90.0 MB", "< 2.0 MB", "own <= 15 ms", or "-" without a goal.
std::string GoalText(const Figure& figure);

// Whether the goal was met; nothing when there is no goal or no value.
std::optional<bool> GoalMet(const Figure& figure);

std::string MarkdownTable(const std::vector<Figure>& figures);

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
