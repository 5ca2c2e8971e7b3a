// The interactions timed on a live text box and their Markdown tables: one
// column per program and report size, the median of each, and the goals
// set on Pravex with the 20 MB report; and what a slow upload leaves of the
// result window's answers. Only reports: a missed goal is a "no".
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

namespace pravex::bench {

enum class Interaction {
  kResizePainted,
  kResizeNextKey,
  kThumbAfterResize,
  kDragStep,
  kPageDown,
  kWheel,
  kCtrlEnd,
  kTypeAtStart,
  kTypeAtEnd,
  kCtrlC,
};
inline constexpr std::size_t kInteractionCount = 10;

// Steps of the drag; a drag whose steps have taken this long in all stops
// early, after its third step at least: the slowest of fewer steps can only
// be lower.
inline constexpr int kDragSteps = 20;
inline constexpr double kDragPatienceMs = 30'000;
// The goals' report size.
inline constexpr std::uint64_t kGoalReportBytes = 20'000'000;

// The milliseconds of each interaction in one run on one text box.
struct InteractionRun {
  std::array<double, kInteractionCount> ms{};
  int dragSteps = kDragSteps;
};

struct InteractionColumn {
  std::string heading;  // "Pravex 20 MB"
  bool pravex = false;  // the goals are Pravex's
  std::uint64_t reportBytes = 0;
  std::vector<InteractionRun> runs;
  std::string problem;  // why runs are missing, if they are
};

// "| interaction | <heading>... | goal (Pravex, 20 MB) | met? |" and a row
// per interaction.
std::string InteractionTable(const std::vector<InteractionColumn>& columns);

// Each of a slow upload's runs: how long it took, and the longest the
// result window took meanwhile to answer, a sent message or a key: asked
// one after the other, whichever is waiting when the window stops
// answering waits it out.
struct UploadRun {
  double uploadMs = 0;
  double longestAnswerMs = 0;
};

struct UploadSamples {
  std::vector<UploadRun> runs;
  std::string problem;
};

// The window answers within this while the report travels.
inline constexpr double kUploadAnswerGoalMs = 1000;

std::string UploadTable(const UploadSamples& samples);

}  // namespace pravex::bench
