#include "tools/bench/sampling.h"

#include <windows.h>

#include <cstdio>
#include <exception>

#include "forms/main/main_form_def.h"
#include "tools/bench/diagnosis_run.h"
#include "tools/bench/empty_window_class.h"
#include "tools/bench/leftovers.h"
#include "tools/bench/pravex_windows.h"
#include "tools/bench/window_start.h"

namespace pravex::bench {

namespace {

constexpr double kMega = 1e6;

// The environment of the smallest report: start-up does not read it.
constexpr std::uint64_t kStartupReportBytes = 1000;

std::optional<double> FileBytes(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  return static_cast<double>((std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow);
}

}  // namespace

StartupSamples SampleStartups(const BenchPaths& paths, int runs) {
  StartupSamples samples;
  const std::wstring environment = DiagnosisEnvironment(paths, kStartupReportBytes);
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
  const std::wstring environment = DiagnosisEnvironment(paths, reportBytes);
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
