#include "tools/bench/timed_runs.h"

#include <cstdio>
#include <stdexcept>

#include "forms/main/main_form_def.h"
#include "forms/results/result_form_def.h"
#include "tests/e2e/driver/app_process.h"
#include "tests/e2e/driver/deadline.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/process_list.h"
#include "tests/e2e/driver/window_input.h"
#include "tests/e2e/pravex_program.h"
#include "win32/handles.h"

namespace pravex::bench {

namespace {

using e2e::FormControl;
using e2e::FormWindowClass;
using e2e::Milliseconds;

constexpr Milliseconds kLookInterval{1};
// A window program starts and shows its first window well within this.
constexpr Milliseconds kShowLimit{30000};
constexpr Milliseconds kAnswerLimit{5000};
// Closing the last window ends either program at once; Wine needs a moment.
constexpr Milliseconds kExitLimit{15000};
// A generous floor plus a generous rate: the limit only has to catch a hang.
constexpr Milliseconds kDiagnosisFloor{120000};
constexpr std::uint64_t kMillisecondsPerMegabyte = 20000;

// How long a diagnosis may take before the run is given up.
Milliseconds DiagnosisLimit(std::uint64_t reportBytes) {
  return kDiagnosisFloor + Milliseconds(reportBytes / 1'000'000 * kMillisecondsPerMegabyte);
}

// The size of Pravex's report file, 0 while there is none.
std::uint64_t ReportFileBytes() {
  std::uint64_t bytes = 0;
  for (const std::wstring& path : e2e::ReportFiles()) bytes = e2e::FileSize(path).value_or(bytes);
  return bytes;
}

// Closes `window` as its close box would and lets the program end; one that
// does not end in time is ended, with a note on stderr.
void CloseAndWaitForExit(e2e::AppProcess& process, HWND window) {
  if (!process.CloseAndWaitForExit(window, kExitLimit)) {
    std::fprintf(stderr, "note: process %lu did not exit within %lld ms of closing; ended it\n",
                 process.Id(), static_cast<long long>(kExitLimit.count()));
  }
}

}  // namespace

HWND MainWindowWithVastrelSelected(const e2e::AppProcess& pravex) {
  const HWND mainWindow = pravex.WaitForWindow({.className = FormWindowClass(MainFormDef())},
                                               kShowLimit, kLookInterval);
  const HWND option = FormControl(mainWindow, MainFormDef(), L"OptionVastrel");
  e2e::PressButton(option);
  e2e::WaitUntil([&] { return e2e::IsChecked(option); }, kAnswerLimit,
                 "OptionVastrel to be selected", kLookInterval);
  return mainWindow;
}

HWND DiagnoseToResultWindow(const e2e::AppProcess& pravex, std::uint64_t reportBytes) {
  e2e::PressButton(
      FormControl(MainWindowWithVastrelSelected(pravex), MainFormDef(), L"ButtonDiagnose"));
  const FormDef& resultForm = ResultFormDef(ResultKind::kResult);
  const e2e::Deadline deadline(DiagnosisLimit(reportBytes));
  const HWND window = pravex.WaitForWindow({.className = FormWindowClass(resultForm)},
                                           deadline.Remaining(), kLookInterval);
  const HWND text = FormControl(window, resultForm, L"Text1");
  e2e::WaitUntil(
      [&] {
        const std::optional<std::size_t> length = e2e::TextLengthWithin(text, deadline.Remaining());
        return length && *length >= reportBytes;
      },
      deadline.Remaining(), "the result's text box to hold the whole report", kLookInterval);
  return window;
}

void RemoveLeftovers() {
  e2e::RemoveSettingsAndFiles();
  e2e::DeleteFileIfPresent(kBaselineReport);
}

TimedRun TimeWindowStart(const std::wstring& exe, const std::wstring& windowClass,
                         const e2e::EnvironmentBlock& environment) {
  e2e::AppProcess process(exe, environment);
  const HWND window = process.WaitForWindow({.className = windowClass}, kShowLimit, kLookInterval);
  const TimedRun run{process.MillisecondsSinceLaunch(),
                     static_cast<double>(process.Memory().peakBytes)};
  CloseAndWaitForExit(process, window);
  return run;
}

TimedRun TimeDiagnosis(const BenchPaths& paths, const e2e::EnvironmentBlock& environment,
                       std::uint64_t reportBytes, std::vector<StageMark>* stages) {
  RemoveLeftovers();
  e2e::AppProcess pravex(paths.pravexExe, environment);
  const HWND diagnose =
      FormControl(MainWindowWithVastrelSelected(pravex), MainFormDef(), L"ButtonDiagnose");
  const FormDef& resultForm = ResultFormDef(ResultKind::kResult);
  const e2e::WindowQuery resultQuery{.className = FormWindowClass(resultForm)};
  const e2e::WindowQuery hiddenResultQuery{.className = resultQuery.className,
                                           .visibleOnly = false};

  const e2e::Deadline deadline(DiagnosisLimit(reportBytes));
  const auto waitUntil = [&](const std::function<bool()>& condition, std::string_view what) {
    e2e::WaitUntil(condition, deadline.Remaining(), what, kLookInterval);
  };
  const e2e::Stopwatch clock;
  const auto mark = [&](const char* stage) {
    if (!stages) return;
    const e2e::WorkingSet memory = pravex.Memory();
    stages->push_back({stage, clock.ElapsedMs(), static_cast<double>(memory.bytes),
                       static_cast<double>(memory.peakBytes)});
  };
  e2e::PressButton(diagnose);
  mark("Diagnose clicked");
  // Held from its start, so that its times stay readable after it ends.
  const win32::UniqueHandleObject interpreter =
      e2e::OpenChildProcess(pravex.Id(), deadline.Remaining(), kLookInterval);
  HWND resultWindow = nullptr;
  if (stages) {
    waitUntil([&] { return ReportFileBytes() >= reportBytes; }, "the report file");
    mark("report file complete");
    waitUntil([&] { return !e2e::HasChildProcess(pravex.Id()); }, "the interpreter to end");
    mark("interpreter ended");
    waitUntil(
        [&] {
          const std::vector<HWND> windows = e2e::FindTopWindows(pravex.Id(), hiddenResultQuery);
          resultWindow = windows.empty() ? nullptr : windows.front();
          return resultWindow != nullptr;
        },
        "the result window to be created");
    mark("result window created (hidden)");
    waitUntil([&] { return ::IsWindowVisible(resultWindow) != FALSE; },
              "the result window to be visible");
  } else {
    resultWindow = pravex.WaitForWindow(resultQuery, deadline.Remaining(), kLookInterval);
  }
  mark("result window visible");
  const HWND text = FormControl(resultWindow, resultForm, L"Text1");
  waitUntil(
      [&] {
        const std::optional<std::size_t> length = e2e::TextLengthWithin(text, deadline.Remaining());
        return length && *length >= reportBytes;
      },
      "the result's text box to hold the whole report");
  const double milliseconds = clock.ElapsedMs();
  mark("text box holds the report");
  // The text box lays out what is off screen after it shows: asked for its
  // line count it finishes, and the peak counts all of it.
  DWORD_PTR lines = 0;
  ::SendMessageTimeoutW(text, EM_GETLINECOUNT, 0, 0, SMTO_ABORTIFHUNG,
                        static_cast<UINT>(deadline.Remaining().count()), &lines);
  TimedRun run{milliseconds, static_cast<double>(pravex.Memory().peakBytes)};
  if (const std::optional<double> ran = e2e::LifetimeMs(interpreter.get())) {
    run.ownMilliseconds = milliseconds - *ran;
  }
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
