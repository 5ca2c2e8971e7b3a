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
#include "tools/bench/interaction_runs.h"
#include "tools/bench/interaction_table.h"
#include "tools/bench/timed_runs.h"

namespace {

using namespace pravex::bench;
namespace e2e = pravex::e2e;

constexpr std::uint64_t kReportSizes[] = {1'000, 1'000'000, 20'000'000};
constexpr std::uint64_t kStageReportSizes[] = {1'000'000, 20'000'000};
// The environment of the smallest report: start-up does not read it.
constexpr std::uint64_t kStartupReportBytes = 1'000;
constexpr std::uint64_t kInteractionReportSizes[] = {1'000'000, 20'000'000};
// A report that takes the throttled drop about 12 s.
constexpr std::uint64_t kUploadReportBytes = 600'000;
constexpr e2e::Milliseconds kExitLimit{15'000};
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

// The interactions with each text box, a run of each in turn, so that a
// slow moment of the machine falls on all of them; whether all could be
// measured.
bool PrintInteractions(const BenchPaths& paths, int runs, bool pravexOnly) {
  std::vector<InteractionColumn> columns;
  for (const bool pravex : {true, false}) {
    if (!pravex && pravexOnly) continue;
    for (const std::uint64_t bytes : kInteractionReportSizes) {
      columns.push_back({.heading = (pravex ? "Pravex " : "system text box ") + ReportLabel(bytes),
                         .pravex = pravex,
                         .reportBytes = bytes});
    }
  }
  for (int run = 1; run <= runs; ++run) {
    for (InteractionColumn& column : columns) {
      if (!column.problem.empty()) continue;
      try {
        LiveTextBox box = column.pravex ? OpenPravexTextBox(paths, column.reportBytes)
                                        : OpenSystemTextBox(paths.probeExe, column.reportBytes);
        {
          const SpareKeyWatch keys(paths.keyHookDll, box.window);
          column.runs.push_back(TimeInteractions(box, keys));
        }
        box.process->CloseAndWaitForExit(box.window, kExitLimit);
        const InteractionRun& done = column.runs.back();
        std::fprintf(stderr, "interactions, %s %d/%d: resize %.0f ms, slowest drag step %.0f ms\n",
                     column.heading.c_str(), run, runs,
                     done.ms[static_cast<std::size_t>(Interaction::kResizePainted)],
                     done.ms[static_cast<std::size_t>(Interaction::kDragStep)]);
      } catch (const std::exception& error) {
        column.problem = error.what();
        std::fprintf(stderr, "interactions, %s: %s\n", column.heading.c_str(), error.what());
      }
    }
  }
  RemoveLeftovers();

  UploadSamples uploads;
  if (paths.ftpModeFile.empty()) uploads.problem = "no test FTP drop to send to";
  for (int run = 1; run <= runs && uploads.problem.empty(); ++run) {
    try {
      uploads.runs.push_back(
          TimeSlowUpload(paths, paths.keyHookDll, paths.ftpModeFile, kUploadReportBytes));
      std::fprintf(stderr, "slow upload %d/%d: %.0f ms, longest answer %.0f ms\n", run, runs,
                   uploads.runs.back().uploadMs, uploads.runs.back().longestAnswerMs);
    } catch (const std::exception& error) {
      uploads.problem = error.what();
      std::fprintf(stderr, "slow upload: %s\n", error.what());
    }
  }
  RemoveLeftovers();

  std::printf(
      "%s\nMedians of %d runs on each text box.\n\n%s\nMedians of %d uploads of a %s "
      "report.\n",
      InteractionTable(columns).c_str(), runs, UploadTable(uploads).c_str(), runs,
      ReportLabel(kUploadReportBytes).c_str());
  return uploads.problem.empty() &&
         std::all_of(columns.begin(), columns.end(),
                     [](const InteractionColumn& column) { return column.problem.empty(); });
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
    if (options->interactions) {
      allMeasured = PrintInteractions(paths, options->runs, options->pravexOnly) && allMeasured;
    }
    std::fflush(stdout);
    return allMeasured ? 0 : kExitNotMeasured;
  } catch (const std::exception& failure) {
    std::fprintf(stderr, "pravex_bench: %s\n", failure.what());
    return 1;
  }
}
