#include "tools/bench/figure_set.h"

#include <algorithm>
#include <cstdio>
#include <stdexcept>

namespace pravex::bench {

namespace {

constexpr double kStartupRatioGoal = 1.23;
constexpr double kSizeGoalBytes = 2'000'000;
// The report as text (two bytes a character) and what else the program holds.
constexpr double kMemoryPerReportByte = 2;
constexpr double kMemoryFixedBytes = 25'000'000;

struct DiagnosisGoalForSize {
  std::uint64_t reportBytes;
  Goal goal;
};
constexpr DiagnosisGoalForSize kDiagnosisGoals[] = {
    {1'000, {GoalKind::kOwnCostAtMost, 15}},
    {1'000'000, {GoalKind::kRatioAtMost, 1.1}},
    {20'000'000, {GoalKind::kRatioAtMost, 1.3}},
};
// The memory goal is set for the largest report; smaller ones show the
// fixed part.
constexpr std::uint64_t kMemoryGoalReportBytes = 20'000'000;

// The median, or nothing when the runs stopped early or never ran.
std::optional<double> MedianOf(const std::vector<double>& values, const std::string& problem) {
  if (!problem.empty() || values.empty()) return std::nullopt;
  return Median(values);
}

Figure Compared(std::string name, Unit unit, const std::vector<double>& measured,
                const std::vector<double>& baseline, Goal goal, const std::string& problem) {
  return Figure{.name = std::move(name),
                .unit = unit,
                .measured = MedianOf(measured, problem),
                .baseline = MedianOf(baseline, problem),
                .goal = goal,
                .problem = problem};
}

}  // namespace

double Median(std::vector<double> values) {
  if (values.empty()) throw std::invalid_argument("the median of no values");
  std::sort(values.begin(), values.end());
  const std::size_t middle = values.size() / 2;
  if (values.size() % 2 == 1) return values[middle];
  return (values[middle - 1] + values[middle]) / 2;
}

std::string ReportLabel(std::uint64_t bytes) {
  char text[32];
  if (bytes >= 1'000'000) {
    std::snprintf(text, sizeof(text), "%g MB", static_cast<double>(bytes) / 1e6);
  } else if (bytes >= 1'000) {
    std::snprintf(text, sizeof(text), "%g KB", static_cast<double>(bytes) / 1e3);
  } else {
    std::snprintf(text, sizeof(text), "%llu B", static_cast<unsigned long long>(bytes));
  }
  return text;
}

Goal DiagnosisGoal(std::uint64_t reportBytes) {
  for (const DiagnosisGoalForSize& size : kDiagnosisGoals) {
    if (size.reportBytes == reportBytes) return size.goal;
  }
  return {};
}

Goal MemoryGoal(std::uint64_t reportBytes) {
  if (reportBytes != kMemoryGoalReportBytes) return {};
  return {GoalKind::kMeasuredAtMost,
          kMemoryPerReportByte * static_cast<double>(reportBytes) + kMemoryFixedBytes};
}

std::vector<Figure> BuildFigures(const StartupSamples& startup,
                                 const std::vector<DiagnosisSamples>& diagnoses,
                                 const FileSizes& sizes) {
  std::vector<Figure> figures;
  figures.push_back(Compared("start-up to main window (baseline: empty window)",
                             Unit::kMilliseconds, startup.pravexMs, startup.emptyMs,
                             {GoalKind::kRatioAtMost, kStartupRatioGoal}, startup.problem));
  for (const DiagnosisSamples& diagnosis : diagnoses) {
    Figure figure = Compared("diagnosis, " + ReportLabel(diagnosis.reportBytes) +
                                 " report (baseline: interpreter alone)",
                             Unit::kMilliseconds, diagnosis.pravexMs, diagnosis.interpreterMs,
                             DiagnosisGoal(diagnosis.reportBytes), diagnosis.problem);
    // Against each run's own interpreter: free of the spread of process
    // starts from one run to the next.
    figure.own = MedianOf(diagnosis.ownMs, diagnosis.problem);
    figures.push_back(std::move(figure));
  }
  figures.push_back(Compared("peak working set, main window only (baseline: empty window)",
                             Unit::kBytes, startup.pravexPeakBytes, startup.emptyPeakBytes, {},
                             startup.problem));
  for (const DiagnosisSamples& diagnosis : diagnoses) {
    if (diagnosis.reportBytes < 1'000'000) continue;  // not told apart from the main window
    Figure memory = Compared("peak working set, " + ReportLabel(diagnosis.reportBytes) +
                                 " report open (baseline: empty window)",
                             Unit::kBytes, diagnosis.pravexPeakBytes, startup.emptyPeakBytes,
                             MemoryGoal(diagnosis.reportBytes), diagnosis.problem);
    if (!startup.problem.empty()) memory.baseline.reset();
    figures.push_back(std::move(memory));
  }
  figures.push_back(Figure{.name = "Pravex.exe on disk (baseline: empty_window.exe)",
                           .unit = Unit::kBytes,
                           .measured = sizes.pravexBytes,
                           .baseline = sizes.emptyWindowBytes,
                           .goal = {GoalKind::kMeasuredBelow, kSizeGoalBytes},
                           .problem = sizes.pravexBytes ? "" : "file not found"});
  return figures;
}

}  // namespace pravex::bench
