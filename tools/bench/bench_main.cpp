// pravex_bench.exe: measures Pravex under Wine against baselines taken in
// the same run and prints the figures as a Markdown table. It only reports:
// a missed goal is a "no" in the table, not a failure.
//
// Every series starts with one run of each program that is not kept: the
// first start of a program under Wine reads its files from disk. Programs
// run in turn, baseline and Pravex, so a slow moment falls on both.
#include <windows.h>

#include <algorithm>
#include <cstdio>
#include <exception>
#include <string>
#include <vector>

#include "forms/main/main_form_def.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/pravex_program.h"
#include "tools/bench/bench_setup.h"
#include "tools/bench/empty_window_class.h"
#include "tools/bench/figure_set.h"
#include "tools/bench/figure_table.h"
#include "tools/bench/timed_runs.h"

namespace {

using namespace pravex::bench;
namespace e2e = pravex::e2e;

constexpr std::uint64_t kReportSizes[] = {1'000, 1'000'000, 20'000'000};
constexpr std::uint64_t kStageReportSizes[] = {1'000'000, 20'000'000};
// The environment of the smallest report: start-up does not read it.
constexpr std::uint64_t kStartupReportBytes = 1'000;
constexpr double kMega = 1e6;
constexpr int kExitNotMeasured = 3;
constexpr int kExitUsage = 2;

StartupSamples SampleStartups(const BenchPaths& paths, int runs) {
  StartupSamples samples;
  const e2e::EnvironmentBlock environment = DiagnosisEnvironment(paths, kStartupReportBytes);
  try {
    for (int run = 0; run <= runs; ++run) {
      const TimedRun empty = TimeWindowStart(paths.emptyWindowExe, kEmptyWindowClass, environment);
      RemoveLeftovers();
      const TimedRun pravex = TimeWindowStart(
          paths.pravexExe, e2e::FormWindowClass(pravex::MainFormDef()), environment);
      if (run == 0) continue;
      samples.emptyMs.push_back(empty.milliseconds);
      samples.pravexMs.push_back(pravex.milliseconds);
      samples.emptyPeakBytes.push_back(empty.peakWorkingSetBytes);
      samples.pravexPeakBytes.push_back(pravex.peakWorkingSetBytes);
      std::fprintf(stderr,
                   "start-up %d/%d: empty window %.0f ms (%.1f MB), Pravex %.0f ms (%.1f MB)\n",
                   run, runs, empty.milliseconds, empty.peakWorkingSetBytes / kMega,
                   pravex.milliseconds, pravex.peakWorkingSetBytes / kMega);
    }
  } catch (const std::exception& error) {
    samples.problem = error.what();
    std::fprintf(stderr, "start-up: %s\n", error.what());
  }
  return samples;
}

DiagnosisSamples SampleDiagnoses(const BenchPaths& paths, std::uint64_t reportBytes, int runs) {
  DiagnosisSamples samples{.reportBytes = reportBytes};
  const e2e::EnvironmentBlock environment = DiagnosisEnvironment(paths, reportBytes);
  const std::string label = ReportLabel(reportBytes);
  try {
    for (int run = 0; run <= runs; ++run) {
      const double interpreterMs = TimeInterpreterAlone(paths, environment, reportBytes);
      const TimedRun pravex = TimeDiagnosis(paths, environment, reportBytes);
      if (run == 0) continue;
      samples.interpreterMs.push_back(interpreterMs);
      samples.pravexMs.push_back(pravex.milliseconds);
      samples.pravexPeakBytes.push_back(pravex.peakWorkingSetBytes);
      if (pravex.ownMilliseconds) samples.ownMs.push_back(*pravex.ownMilliseconds);
      std::fprintf(
          stderr,
          "diagnosis %s %d/%d: interpreter %.0f ms, Pravex %.0f ms (own %.0f ms, %.1f MB)\n",
          label.c_str(), run, runs, interpreterMs, pravex.milliseconds,
          pravex.ownMilliseconds.value_or(-1), pravex.peakWorkingSetBytes / kMega);
    }
  } catch (const std::exception& error) {
    samples.problem = error.what();
    std::fprintf(stderr, "diagnosis %s: %s\n", label.c_str(), error.what());
  }
  RemoveLeftovers();
  return samples;
}

std::optional<double> FileBytes(const std::wstring& path) {
  const std::optional<std::uint64_t> bytes = e2e::FileSize(path);
  return bytes ? std::optional<double>(static_cast<double>(*bytes)) : std::nullopt;
}

// Prints the table; whether every figure could be measured.
bool PrintFigures(const BenchPaths& paths, int runs) {
  const StartupSamples startup = SampleStartups(paths, runs);
  std::vector<DiagnosisSamples> diagnoses;
  for (const std::uint64_t bytes : kReportSizes) {
    diagnoses.push_back(SampleDiagnoses(paths, bytes, runs));
  }
  const std::vector<Figure> figures = BuildFigures(
      startup, diagnoses, {FileBytes(paths.pravexExe), FileBytes(paths.emptyWindowExe)});
  std::printf(
      "%s\nTimes and working sets are medians of %d runs of each program; one more run "
      "of each before them is not counted.\n",
      MarkdownTable(figures).c_str(), runs);
  return std::all_of(figures.begin(), figures.end(),
                     [](const Figure& figure) { return figure.measured.has_value(); });
}

void PrintStages(const BenchPaths& paths, int runs) {
  for (const std::uint64_t bytes : kStageReportSizes) {
    const std::string label = ReportLabel(bytes);
    std::vector<std::vector<StageMark>> marks;
    try {
      const e2e::EnvironmentBlock environment = DiagnosisEnvironment(paths, bytes);
      for (int run = 1; run <= runs; ++run) {
        TimeDiagnosis(paths, environment, bytes, &marks.emplace_back());
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
