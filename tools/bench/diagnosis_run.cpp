#include "tools/bench/diagnosis_run.h"

#include <windows.h>

#include <stdexcept>

#include "forms/main/main_form_def.h"
#include "forms/results/result_family.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/window_input.h"
#include "tools/bench/command_lines.h"
#include "tools/bench/launched_process.h"
#include "tools/bench/leftovers.h"
#include "tools/bench/pravex_windows.h"
#include "tools/bench/window_start.h"
#include "tools/bench/window_watch.h"

namespace pravex::bench {

namespace {

// A generous floor plus a generous rate: the limit only has to catch a hang.
constexpr Milliseconds kDiagnosisFloor{120000};
constexpr std::uint64_t kMillisecondsPerMegabyte = 20000;

void WaitForWholeText(HWND text, std::uint64_t reportBytes, const Deadline& deadline) {
  PollUntil(
      [&] {
        const std::optional<std::size_t> length = TextLength(text, deadline.Remaining());
        return length && *length >= reportBytes;
      },
      deadline.Remaining(), "the result's text box to hold the whole report");
}

std::uint64_t FileBytes(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return 0;
  return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

}  // namespace

Milliseconds DiagnosisLimit(std::uint64_t reportBytes) {
  return kDiagnosisFloor + Milliseconds(reportBytes / 1'000'000 * kMillisecondsPerMegabyte);
}

DiagnosisRun TimeDiagnosis(const BenchPaths& paths, const std::wstring& environment,
                           std::uint64_t reportBytes) {
  RemoveLeftovers();
  LaunchedProcess pravex({.exe = paths.pravexExe, .environment = &environment});
  const HWND mainWindow = MainWindowWithVastrelSelected(pravex);
  const HWND diagnose = FormControl(mainWindow, MainFormDef(), L"ButtonDiagnose");
  const FormDef& resultForm = ResultFormDef(ResultKind::Result);

  const Deadline deadline(DiagnosisLimit(reportBytes));
  const Stopwatch clock;
  e2e::PressButton(diagnose);
  const HWND resultWindow = WaitForVisibleTopWindow(
      pravex.Handle(), pravex.Id(), FormWindowClass(resultForm), deadline.Remaining());
  const HWND text = FormControl(resultWindow, resultForm, L"Text1");
  WaitForWholeText(text, reportBytes, deadline);
  DiagnosisRun run;
  run.milliseconds = clock.ElapsedMs();
  // The text box lays out what is off screen after it shows: asked for its
  // line count it finishes, and the peak counts all of it.
  DWORD_PTR lines = 0;
  ::SendMessageTimeoutW(text, EM_GETLINECOUNT, 0, 0, SMTO_ABORTIFHUNG,
                        static_cast<UINT>(deadline.Remaining().count()), &lines);
  run.peakWorkingSetBytes = pravex.PeakWorkingSetBytes();

  CloseAndWaitForExit(pravex, resultWindow);
  return run;
}

double TimeInterpreterAlone(const BenchPaths& paths, const std::wstring& environment,
                            std::uint64_t reportBytes) {
  e2e::DeleteFileIfPresent(kBaselineReport);
  // Hidden and with a console of its own, as a windowed program like Pravex
  // starts it.
  LaunchedProcess interpreter({.exe = paths.shimExe,
                               .arguments = InterpreterArguments(kBaselineReport),
                               .environment = &environment,
                               .hidden = true,
                               .ownConsole = true});
  interpreter.WaitForExit(DiagnosisLimit(reportBytes));
  const double milliseconds = interpreter.MillisecondsSinceLaunch();
  const std::uint64_t written = FileBytes(kBaselineReport);
  e2e::DeleteFileIfPresent(kBaselineReport);
  if (written != reportBytes) {
    throw std::runtime_error("the interpreter alone wrote " + std::to_string(written) +
                             " bytes instead of " + std::to_string(reportBytes));
  }
  return milliseconds;
}

}  // namespace pravex::bench
