#include "tools/bench/sampling.h"

#include <cstdio>
#include <exception>

#include "forms/main/main_form_def.h"
#include "tests/e2e/driver/files.h"
#include "tools/bench/diagnosis_run.h"
#include "tools/bench/empty_window_class.h"
#include "tools/bench/leftovers.h"

namespace pravex::bench {

namespace {

constexpr double kMega = 1e6;

// The environment of the smallest report: start-up does not read it.
constexpr std::uint64_t kStartupReportBytes = 1000;

std::optional<double> FileBytes(const std::wstring& path) {
  const std::optional<std::uint64_t> bytes = e2e::FileSize(path);
  return bytes ? std::optional<double>(static_cast<double>(*bytes)) : std::nullopt;
}

struct WindowStart {
  double milliseconds = 0;              // from just before CreateProcessW to the window visible
  std::size_t peakWorkingSetBytes = 0;  // the program's peak up to that moment
};

// Starts `exe`, waits for its visible window of `windowClass`, then closes
// the window and lets the program end.
WindowStart TimeWindowStart(const std::wstring& exe, const std::wstring& windowClass,
                            const e2e::EnvironmentBlock& environment) {
  e2e::AppProcess process(exe, environment);
  const HWND window = WaitForWindow(process, windowClass, kShowLimit);
  const WindowStart start{process.MillisecondsSinceLaunch(), process.Memory().peakBytes};
  CloseAndWaitForExit(process, window);
  return start;
}

}  // namespace

StartupSamples SampleStartups(const BenchPaths& paths, int runs) {
  StartupSamples samples;
  const e2e::EnvironmentBlock environment = DiagnosisEnvironment(paths, kStartupReportBytes);
  try {
    for (int run = 0; run <= runs; ++run) {
      const WindowStart empty =
          TimeWindowStart(paths.emptyWindowExe, kEmptyWindowClass, environment);
      RemoveLeftovers();
      const WindowStart pravex =
          TimeWindowStart(paths.pravexExe, FormWindowClass(MainFormDef()), environment);
      if (run == 0) continue;
      samples.emptyMs.push_back(empty.milliseconds);
      samples.pravexMs.push_back(pravex.milliseconds);
      samples.emptyPeakBytes.push_back(static_cast<double>(empty.peakWorkingSetBytes));
      samples.pravexPeakBytes.push_back(static_cast<double>(pravex.peakWorkingSetBytes));
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
  DiagnosisSamples samples;
  samples.reportBytes = reportBytes;
  const e2e::EnvironmentBlock environment = DiagnosisEnvironment(paths, reportBytes);
  const std::string label = ReportLabel(reportBytes);
  try {
    for (int run = 0; run <= runs; ++run) {
      const double interpreterMs = TimeInterpreterAlone(paths, environment, reportBytes);
      const DiagnosisRun pravex = TimeDiagnosis(paths, environment, reportBytes);
      if (run == 0) continue;
      samples.interpreterMs.push_back(interpreterMs);
      samples.pravexMs.push_back(pravex.milliseconds);
      samples.pravexPeakBytes.push_back(static_cast<double>(pravex.peakWorkingSetBytes));
      std::fprintf(stderr, "diagnosis %s %d/%d: interpreter %.0f ms, Pravex %.0f ms (%.1f MB)\n",
                   label.c_str(), run, runs, interpreterMs, pravex.milliseconds,
                   pravex.peakWorkingSetBytes / kMega);
    }
  } catch (const std::exception& error) {
    samples.problem = error.what();
    std::fprintf(stderr, "diagnosis %s: %s\n", label.c_str(), error.what());
  }
  RemoveLeftovers();
  return samples;
}

FileSizes MeasureFileSizes(const BenchPaths& paths) {
  return {FileBytes(paths.pravexExe), FileBytes(paths.emptyWindowExe)};
}

}  // namespace pravex::bench
