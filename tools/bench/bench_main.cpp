// pravex_bench.exe: measures Pravex under Wine against baselines taken in
// the same run and prints the figures as a Markdown table. It only reports:
// a missed goal is a "no" in the table, not a failure.
#include <windows.h>

#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "tools/bench/bench_options.h"
#include "tools/bench/bench_setup.h"
#include "tools/bench/diagnosis_stages.h"
#include "tools/bench/figure_set.h"
#include "tools/bench/leftovers.h"
#include "tools/bench/sampling.h"

namespace {

using namespace pravex::bench;

constexpr std::uint64_t kReportSizes[] = {1'000, 1'000'000, 20'000'000};
constexpr std::uint64_t kStageReportSizes[] = {1'000'000, 20'000'000};
constexpr int kExitNotMeasured = 3;
constexpr int kExitUsage = 2;

bool AllMeasured(const std::vector<Figure>& figures) {
  for (const Figure& figure : figures) {
    if (!figure.measured) return false;
  }
  return true;
}

// Prints the table; whether every figure could be measured.
bool PrintFigures(const BenchPaths& paths, int runs) {
  const StartupSamples startup = SampleStartups(paths, runs);
  std::vector<DiagnosisSamples> diagnoses;
  for (const std::uint64_t bytes : kReportSizes) {
    diagnoses.push_back(SampleDiagnoses(paths, bytes, runs));
  }
  const std::vector<Figure> figures = BuildFigures(startup, diagnoses, MeasureFileSizes(paths));
  std::printf(
      "%s\nTimes and working sets are medians of %d runs of each program; one more run "
      "of each before them is not counted.\n",
      MarkdownTable(figures).c_str(), runs);
  return AllMeasured(figures);
}

void PrintStages(const BenchPaths& paths, int runs) {
  for (const std::uint64_t bytes : kStageReportSizes) {
    const std::string label = ReportLabel(bytes);
    std::vector<std::vector<StageMark>> marks;
    try {
      const auto environment = DiagnosisEnvironment(paths, bytes);
      for (int run = 1; run <= runs; ++run) {
        marks.push_back(WatchDiagnosisStages(paths, environment, bytes));
        std::fprintf(stderr, "stages %s %d/%d: %.0f ms\n", label.c_str(), run, runs,
                     marks.back().back().milliseconds);
      }
    } catch (const std::exception& error) {
      std::printf("\nStages of a diagnosis, %s report: not measured: %s\n", label.c_str(),
                  error.what());
      continue;
    }
    std::printf("\nStages of a diagnosis, %s report (medians of %d runs):\n\n%s", label.c_str(),
                runs, StageTable(marks).c_str());
  }
  RemoveLeftovers();
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::string error;
  const std::optional<BenchOptions> options =
      ParseOptions(std::vector<std::wstring>(argv + 1, argv + argc), error);
  if (!options) {
    std::fprintf(stderr, "pravex_bench: %s\n%s", error.c_str(), Usage().c_str());
    return kExitUsage;
  }
  try {
    const BenchPaths paths = ResolvePaths(*options);
    RemoveLeftovers();
    bool allMeasured = true;
    if (options->figures) allMeasured = PrintFigures(paths, options->runs);
    if (options->stages) PrintStages(paths, options->runs);
    std::fflush(stdout);
    return allMeasured ? 0 : kExitNotMeasured;
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "pravex_bench: %s\n", failure.what());
    return 1;
  }
}
