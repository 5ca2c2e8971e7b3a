#include "tools/bench/diagnosis_stages.h"

#include <windows.h>

#include <psapi.h>
#include <tlhelp32.h>

#include <cstdio>

#include "forms/main/main_form_def.h"
#include "forms/main/report_name.h"
#include "forms/results/result_family.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/window_input.h"
#include "tools/bench/bounded_wait.h"
#include "tools/bench/diagnosis_run.h"
#include "tools/bench/launched_process.h"
#include "tools/bench/leftovers.h"
#include "tools/bench/pravex_windows.h"
#include "tools/bench/statistics.h"
#include "tools/bench/window_start.h"
#include "tools/bench/window_watch.h"

namespace pravex::bench {

namespace {

// The size of Pravex's report file, 0 while there is none.
std::uint64_t ReportFileBytes() {
  const std::wstring prefix(kReportPrefix);
  const std::wstring folder = prefix.substr(0, prefix.rfind(L'\\') + 1);
  std::uint64_t bytes = 0;
  for (const std::wstring& path :
       e2e::FilesMatching(folder, prefix.substr(folder.size()) + L"*.txt")) {
    WIN32_FILE_ATTRIBUTE_DATA data{};
    if (::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) {
      bytes = (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
    }
  }
  return bytes;
}

bool HasChildProcess(DWORD parentId) {
  const win32::UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return false;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more;
       more = ::Process32NextW(snapshot.get(), &entry)) {
    if (entry.th32ParentProcessID == parentId) return true;
  }
  return false;
}

HWND AnyTopWindow(DWORD processId, const std::wstring& windowClass) {
  for (HWND window = ::FindWindowExW(nullptr, nullptr, windowClass.c_str(), nullptr); window;
       window = ::FindWindowExW(nullptr, window, windowClass.c_str(), nullptr)) {
    DWORD owner = 0;
    ::GetWindowThreadProcessId(window, &owner);
    if (owner == processId) return window;
  }
  return nullptr;
}

class StageRecorder {
 public:
  StageRecorder(const LaunchedProcess& process, const Stopwatch& clock)
      : process_(process), clock_(clock) {}

  void Mark(std::string stage) {
    PROCESS_MEMORY_COUNTERS counters{};
    counters.cb = sizeof(counters);
    ::GetProcessMemoryInfo(process_.Handle(), &counters, sizeof(counters));
    marks_.push_back({std::move(stage), clock_.ElapsedMs(),
                      static_cast<double>(counters.WorkingSetSize),
                      static_cast<double>(counters.PeakWorkingSetSize)});
  }
  std::vector<StageMark> Marks() const { return marks_; }

 private:
  const LaunchedProcess& process_;
  const Stopwatch& clock_;
  std::vector<StageMark> marks_;
};

}  // namespace

std::vector<StageMark> WatchDiagnosisStages(const BenchPaths& paths,
                                            const std::wstring& environment,
                                            std::uint64_t reportBytes) {
  RemoveLeftovers();
  LaunchedProcess pravex({.exe = paths.pravexExe, .environment = &environment});
  const DWORD id = pravex.Id();
  const HWND mainWindow = MainWindowWithVastrelSelected(pravex);
  const FormDef& resultForm = ResultFormDef(ResultKind::Result);
  const std::wstring resultClass = FormWindowClass(resultForm);

  const Milliseconds limit = DiagnosisLimit(reportBytes);
  const Stopwatch clock;
  StageRecorder recorder(pravex, clock);
  e2e::PressButton(FormControl(mainWindow, MainFormDef(), L"ButtonDiagnose"));
  recorder.Mark("Diagnose clicked");
  PollUntil([&] { return ReportFileBytes() >= reportBytes; }, limit, "the report file");
  recorder.Mark("report file complete");
  PollUntil([&] { return !HasChildProcess(id); }, limit, "the interpreter to end");
  recorder.Mark("interpreter ended");
  const HWND resultWindow = PollFor<HWND>(
      [&]() -> std::optional<HWND> {
        const HWND window = AnyTopWindow(id, resultClass);
        return window ? std::optional<HWND>(window) : std::nullopt;
      },
      limit, "the result window to be created");
  recorder.Mark("result window created (hidden)");
  PollUntil([&] { return ::IsWindowVisible(resultWindow) != FALSE; }, limit,
            "the result window to be visible");
  recorder.Mark("result window visible");
  const HWND text = FormControl(resultWindow, resultForm, L"Text1");
  PollUntil(
      [&] {
        const std::optional<std::size_t> length = TextLength(text, limit);
        return length && *length >= reportBytes;
      },
      limit, "the text box to hold the whole report");
  recorder.Mark("text box holds the report");
  CloseAndWaitForExit(pravex, resultWindow);
  return recorder.Marks();
}

std::string StageTable(const std::vector<std::vector<StageMark>>& runs) {
  std::string table =
      "| stage | since click | since previous stage | working set | peak working set |\n"
      "|---|---:|---:|---:|---:|\n";
  if (runs.empty()) return table;
  char row[256];
  for (std::size_t stage = 0; stage < runs.front().size(); ++stage) {
    std::vector<double> since, step, workingSet, peak;
    for (const auto& marks : runs) {
      since.push_back(marks[stage].milliseconds);
      step.push_back(stage == 0 ? 0 : marks[stage].milliseconds - marks[stage - 1].milliseconds);
      workingSet.push_back(marks[stage].workingSetBytes);
      peak.push_back(marks[stage].peakWorkingSetBytes);
    }
    std::snprintf(row, sizeof(row), "| %s | %.0f ms | %.0f ms | %.1f MB | %.1f MB |\n",
                  runs.front()[stage].stage.c_str(), Median(since), Median(step),
                  Median(workingSet) / 1e6, Median(peak) / 1e6);
    table += row;
  }
  return table;
}

}  // namespace pravex::bench
