#include "tools/bench/interaction_table.h"

#include <algorithm>
#include <functional>
#include <optional>

#include "tools/bench/figure_set.h"
#include "tools/bench/figure_table.h"

namespace pravex::bench {

namespace {

// A frame at 60 Hz: what every key, wheel notch and scroll must take at most.
constexpr double kFrameMs = 16;
// How much longer than the resized window's paint the next key may take.
constexpr double kNextKeyPaintRatio = 1.2;

struct RowSpec {
  Interaction interaction;
  const char* name;
  bool withinAFrame;  // the goal: <= kFrameMs
};

constexpr RowSpec kRows[] = {
    {Interaction::kResizePainted, "resize, painted", false},
    {Interaction::kResizeNextKey, "resize, next key handled", false},
    {Interaction::kThumbAfterResize, "thumb to line 60,000 (or the end) right after a resize",
     true},
    {Interaction::kDragStep, "drag of 20 width steps, slowest step", false},
    {Interaction::kPageDown, "Page Down", true},
    {Interaction::kWheel, "wheel, one notch", true},
    {Interaction::kCtrlEnd, "Ctrl+End", true},
    {Interaction::kTypeAtStart, "typing at the start", true},
    {Interaction::kTypeAtEnd, "typing at the end", true},
    {Interaction::kCtrlC, "Ctrl+C until the clipboard holds the text", false},
};

std::optional<double> MedianOf(const InteractionColumn& column, Interaction interaction) {
  if (column.runs.empty()) return std::nullopt;
  std::vector<double> values;
  for (const InteractionRun& run : column.runs) {
    values.push_back(run.ms[static_cast<std::size_t>(interaction)]);
  }
  return Median(values);
}

std::string Verdict(std::optional<bool> met) {
  return met ? (*met ? "yes" : "**no**") : "-";
}

}  // namespace

std::string InteractionTable(const std::vector<InteractionColumn>& columns) {
  std::string table = "| interaction |";
  std::string rule = "|---|";
  for (const InteractionColumn& column : columns) {
    table += " " + column.heading + " |";
    rule += "---:|";
  }
  table += " goal (Pravex, " + ReportLabel(kGoalReportBytes) + ") | met? |\n";
  table += rule + "---|---|\n";
  const InteractionColumn* goalColumn = nullptr;
  for (const InteractionColumn& column : columns) {
    if (column.pravex && column.reportBytes == kGoalReportBytes) goalColumn = &column;
  }
  for (const RowSpec& row : kRows) {
    table += std::string("| ") + row.name + " |";
    for (const InteractionColumn& column : columns) {
      const std::optional<double> value = MedianOf(column, row.interaction);
      std::string cell =
          value ? FormatValue(*value, Unit::kMilliseconds)
                : "not measured" + (column.problem.empty() ? "" : ": " + column.problem);
      if (value && row.interaction == Interaction::kDragStep) {
        int steps = kDragSteps;
        for (const InteractionRun& run : column.runs) steps = std::min(steps, run.dragSteps);
        if (steps < kDragSteps) cell += " (" + std::to_string(steps) + " steps)";
      }
      std::replace(cell.begin(), cell.end(), '|', '/');
      table += " " + cell + " |";
    }
    std::string goal = "-";
    std::optional<bool> met;
    const std::optional<double> median =
        goalColumn ? MedianOf(*goalColumn, row.interaction) : std::nullopt;
    const double value = median.value_or(0);
    if (row.withinAFrame) {
      goal = "<= " + FormatValue(kFrameMs, Unit::kMilliseconds);
      if (median) met = value <= kFrameMs;
    } else if (row.interaction == Interaction::kResizeNextKey) {
      goal = "<= 1.2x resize, painted";
      const std::optional<double> painted =
          goalColumn ? MedianOf(*goalColumn, Interaction::kResizePainted) : std::nullopt;
      if (median && painted) met = value <= kNextKeyPaintRatio * painted.value_or(0);
    }
    table += " " + goal + " | " + Verdict(met) + " |\n";
  }
  return table;
}

std::string UploadTable(const UploadSamples& samples) {
  std::string table = "| during a slow upload | Pravex | goal | met? |\n|---|---:|---|---|\n";
  const auto median = [&](const std::function<double(const UploadRun&)>& of) {
    std::optional<double> value;
    if (!samples.runs.empty()) {
      std::vector<double> values;
      for (const UploadRun& run : samples.runs) values.push_back(of(run));
      value = Median(values);
    }
    return value;
  };
  const auto cell = [&](std::optional<double> value) {
    if (value) return FormatValue(*value, Unit::kMilliseconds);
    return "not measured" + (samples.problem.empty() ? "" : ": " + samples.problem);
  };
  const std::optional<double> upload = median([](const UploadRun& run) { return run.uploadMs; });
  const std::optional<double> answer =
      median([](const UploadRun& run) { return run.longestAnswerMs; });
  const std::string goal = "<= " + FormatValue(kUploadAnswerGoalMs, Unit::kMilliseconds);
  table += "| the upload, OK to the outcome's box | " + cell(upload) + " | - | - |\n";
  table += "| longest wait for an answer, to a sent message or a key | " + cell(answer) + " | " +
           goal + " | " +
           Verdict(answer ? std::optional(*answer <= kUploadAnswerGoalMs) : std::nullopt) + " |\n";
  return table;
}

}  // namespace pravex::bench
