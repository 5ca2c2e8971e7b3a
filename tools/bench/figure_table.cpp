#include "tools/bench/figure_table.h"

#include <algorithm>
#include <cstdio>

#include "tools/bench/figure_set.h"

namespace pravex::bench {

namespace {

constexpr double kKilo = 1000.0;
constexpr double kMega = 1000.0 * 1000.0;
constexpr double kSecondsFrom = 10'000.0;  // milliseconds

std::string Printed(const char* format, double value) {
  char text[64];
  std::snprintf(text, sizeof(text), format, value);
  return text;
}

std::string ValueOrProblem(const std::optional<double>& value, const Figure& figure) {
  if (value) return FormatValue(*value, figure.unit);
  return figure.problem.empty() ? "-" : "not measured: " + figure.problem;
}

// A bar inside a cell would end it early.
std::string Cell(std::string text) {
  std::replace(text.begin(), text.end(), '|', '/');
  return text;
}

// Two decimals, or three where two would round onto the limit and hide
// which side of it the ratio is.
std::string RatioText(const Figure& figure, double ratio) {
  const std::string shown = Printed("%.2fx", ratio);
  if (figure.goal.kind == GoalKind::kRatioAtMost && ratio != figure.goal.limit &&
      shown == Printed("%.2fx", figure.goal.limit)) {
    return Printed("%.3fx", ratio);
  }
  return shown;
}

}  // namespace

std::string FormatValue(double value, Unit unit) {
  if (unit == Unit::kMilliseconds) {
    if (value >= kSecondsFrom) return Printed("%.2f s", value / 1000.0);
    return Printed("%.0f ms", value);
  }
  if (value >= kMega) return Printed("%.1f MB", value / kMega);
  if (value >= kKilo) return Printed("%.1f KB", value / kKilo);
  return Printed("%.0f B", value);
}

std::optional<double> RatioOf(const Figure& figure) {
  if (!figure.measured || !figure.baseline || *figure.baseline <= 0) return std::nullopt;
  return *figure.measured / *figure.baseline;
}

std::optional<double> OwnCostOf(const Figure& figure) {
  if (figure.own) return figure.own;
  if (!figure.measured || !figure.baseline) return std::nullopt;
  return *figure.measured - *figure.baseline;
}

std::string GoalText(const Figure& figure) {
  switch (figure.goal.kind) {
    case GoalKind::kNone:
      return "-";
    case GoalKind::kRatioAtMost:
      return Printed("<= %gx", figure.goal.limit);
    case GoalKind::kOwnCostAtMost:
      return "own <= " + FormatValue(figure.goal.limit, figure.unit);
    case GoalKind::kMeasuredAtMost:
      return "<= " + FormatValue(figure.goal.limit, figure.unit);
    case GoalKind::kMeasuredBelow:
      return "< " + FormatValue(figure.goal.limit, figure.unit);
  }
  return "-";
}

std::optional<bool> GoalMet(const Figure& figure) {
  if (figure.goal.kind == GoalKind::kNone) return std::nullopt;
  // What the goal is set on: the ratio, Pravex's own cost or the value itself.
  std::optional<double> value = figure.measured;
  if (figure.goal.kind == GoalKind::kRatioAtMost) value = RatioOf(figure);
  if (figure.goal.kind == GoalKind::kOwnCostAtMost) value = OwnCostOf(figure);
  if (!value) return std::nullopt;
  return figure.goal.kind == GoalKind::kMeasuredBelow ? *value < figure.goal.limit
                                                      : *value <= figure.goal.limit;
}

std::string MarkdownTable(const std::vector<Figure>& figures) {
  std::string table =
      "| figure | measured | baseline | ratio | Pravex's own | goal | met? |\n"
      "|---|---:|---:|---:|---:|---|---|\n";
  for (const Figure& figure : figures) {
    const std::optional<double> ratio = RatioOf(figure);
    const std::optional<double> own = OwnCostOf(figure);
    const std::optional<bool> met = GoalMet(figure);
    table += "| " + Cell(figure.name);
    table += " | " + Cell(ValueOrProblem(figure.measured, figure));
    table += " | " + Cell(ValueOrProblem(figure.baseline, figure));
    table += " | " + (ratio ? RatioText(figure, *ratio) : std::string("-"));
    table += " | " + (own && figure.unit == Unit::kMilliseconds ? FormatValue(*own, figure.unit)
                                                                : std::string("-"));
    table += " | " + GoalText(figure);
    table += " | " + std::string(met ? (*met ? "yes" : "**no**") : "-");
    table += " |\n";
  }
  return table;
}

std::string StageTable(const std::vector<std::vector<StageMark>>& runs) {
  std::string table =
      "| stage | since click | since previous stage | working set | peak working set |\n"
      "|---|---:|---:|---:|---:|\n";
  if (runs.empty()) return table;
  char row[256];
  for (std::size_t stage = 0; stage < runs.front().size(); ++stage) {
    std::vector<double> since, step, workingSet, peak;
    for (const auto& marks : runs) {
      since.push_back(marks[stage].milliseconds);
      step.push_back(stage == 0 ? 0 : marks[stage].milliseconds - marks[stage - 1].milliseconds);
      workingSet.push_back(marks[stage].workingSetBytes);
      peak.push_back(marks[stage].peakWorkingSetBytes);
    }
    std::snprintf(row, sizeof(row), "| %s | %.0f ms | %.0f ms | %.1f MB | %.1f MB |\n",
                  runs.front()[stage].stage.c_str(), Median(since), Median(step),
                  Median(workingSet) / 1e6, Median(peak) / 1e6);
    table += row;
  }
  return table;
}

}  // namespace pravex::bench
