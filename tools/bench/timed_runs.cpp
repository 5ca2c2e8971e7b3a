#include "tools/bench/timed_runs.h"

#include <stdexcept>

#include "forms/main/main_form_def.h"
#include "forms/results/result_family.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/window_input.h"

namespace pravex::bench {

namespace {

// A generous floor plus a generous rate: the limit only has to catch a hang.
constexpr Milliseconds kDiagnosisFloor{120000};
constexpr std::uint64_t kMillisecondsPerMegabyte = 20000;

}  // namespace

Milliseconds DiagnosisLimit(std::uint64_t reportBytes) {
  return kDiagnosisFloor + Milliseconds(reportBytes / 1'000'000 * kMillisecondsPerMegabyte);
}

void WaitForWholeReport(HWND text, std::uint64_t reportBytes, Milliseconds limit) {
  const e2e::Deadline deadline(limit);
  e2e::WaitUntil(
      [&] {
        const std::optional<std::size_t> length = e2e::TextLengthWithin(text, deadline.Remaining());
        return length && *length >= reportBytes;
      },
      limit, "the result's text box to hold the whole report", kLookInterval);
}

TimedRun TimeWindowStart(const std::wstring& exe, const std::wstring& windowClass,
                         const e2e::EnvironmentBlock& environment) {
  e2e::AppProcess process(exe, environment);
  const HWND window = WaitForWindow(process, windowClass, kShowLimit);
  const TimedRun run{process.MillisecondsSinceLaunch(),
                     static_cast<double>(process.Memory().peakBytes)};
  CloseAndWaitForExit(process, window);
  return run;
}

TimedRun TimeDiagnosis(const BenchPaths& paths, const e2e::EnvironmentBlock& environment,
                       std::uint64_t reportBytes) {
  RemoveLeftovers();
  e2e::AppProcess pravex(paths.pravexExe, environment);
  const HWND diagnose =
      FormControl(MainWindowWithVastrelSelected(pravex), MainFormDef(), L"ButtonDiagnose");
  const FormDef& resultForm = ResultFormDef(ResultKind::Result);

  const e2e::Deadline deadline(DiagnosisLimit(reportBytes));
  const e2e::Stopwatch clock;
  e2e::PressButton(diagnose);
  const HWND resultWindow =
      WaitForWindow(pravex, FormWindowClass(resultForm), deadline.Remaining());
  const HWND text = FormControl(resultWindow, resultForm, L"Text1");
  WaitForWholeReport(text, reportBytes, deadline.Remaining());
  const double milliseconds = clock.ElapsedMs();
  // The text box lays out what is off screen after it shows: asked for its
  // line count it finishes, and the peak counts all of it.
  DWORD_PTR lines = 0;
  ::SendMessageTimeoutW(text, EM_GETLINECOUNT, 0, 0, SMTO_ABORTIFHUNG,
                        static_cast<UINT>(deadline.Remaining().count()), &lines);
  const TimedRun run{milliseconds, static_cast<double>(pravex.Memory().peakBytes)};
  CloseAndWaitForExit(pravex, resultWindow);
  return run;
}

double TimeInterpreterAlone(const BenchPaths& paths, const e2e::EnvironmentBlock& environment,
                            std::uint64_t reportBytes) {
  e2e::DeleteFileIfPresent(kBaselineReport);
  // Hidden and with a console of its own, as a windowed program like Pravex
  // starts it.
  e2e::AppProcess interpreter(paths.shimExe, environment, InterpreterArguments(kBaselineReport),
                              e2e::StartStyle::kHiddenOwnConsole);
  interpreter.ExpectExit(DiagnosisLimit(reportBytes));
  const double milliseconds = interpreter.MillisecondsSinceLaunch();
  const std::uint64_t written = e2e::FileSize(kBaselineReport).value_or(0);
  e2e::DeleteFileIfPresent(kBaselineReport);
  if (written != reportBytes) {
    throw std::runtime_error("the interpreter alone wrote " + std::to_string(written) +
                             " bytes instead of " + std::to_string(reportBytes));
  }
  return milliseconds;
}

}  // namespace pravex::bench
