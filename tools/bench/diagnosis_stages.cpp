#include "tools/bench/diagnosis_stages.h"

#include <cstdio>

#include "forms/main/main_form_def.h"
#include "forms/results/result_family.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/process_list.h"
#include "tests/e2e/driver/top_windows.h"
#include "tests/e2e/driver/window_input.h"
#include "tools/bench/diagnosis_run.h"
#include "tools/bench/leftovers.h"
#include "tools/bench/statistics.h"

namespace pravex::bench {

namespace {

// The size of Pravex's report file, 0 while there is none.
std::uint64_t ReportFileBytes() {
  std::uint64_t bytes = 0;
  for (const std::wstring& path : PravexReportFiles()) bytes = e2e::FileSize(path).value_or(bytes);
  return bytes;
}

class StageRecorder {
 public:
  explicit StageRecorder(const e2e::AppProcess& process) : process_(process) {}

  void Mark(std::string stage) {
    const e2e::WorkingSet memory = process_.Memory();
    marks_.push_back({std::move(stage), clock_.ElapsedMs(), static_cast<double>(memory.bytes),
                      static_cast<double>(memory.peakBytes)});
  }
  std::vector<StageMark> Marks() const { return marks_; }

 private:
  const e2e::AppProcess& process_;
  const e2e::Stopwatch clock_;
  std::vector<StageMark> marks_;
};

}  // namespace

std::vector<StageMark> WatchDiagnosisStages(const BenchPaths& paths,
                                            const e2e::EnvironmentBlock& environment,
                                            std::uint64_t reportBytes) {
  RemoveLeftovers();
  e2e::AppProcess pravex(paths.pravexExe, environment);
  const DWORD id = pravex.Id();
  const HWND mainWindow = MainWindowWithVastrelSelected(pravex);
  const FormDef& resultForm = ResultFormDef(ResultKind::Result);
  const e2e::WindowQuery resultQuery{.className = FormWindowClass(resultForm),
                                     .visibleOnly = false};

  const Milliseconds limit = DiagnosisLimit(reportBytes);
  const auto waitUntil = [&](const std::function<bool()>& condition, std::string_view what) {
    e2e::WaitUntil(condition, limit, what, kLookInterval);
  };
  StageRecorder recorder(pravex);
  e2e::PressButton(FormControl(mainWindow, MainFormDef(), L"ButtonDiagnose"));
  recorder.Mark("Diagnose clicked");
  waitUntil([&] { return ReportFileBytes() >= reportBytes; }, "the report file");
  recorder.Mark("report file complete");
  waitUntil([&] { return !e2e::HasChildProcess(id); }, "the interpreter to end");
  recorder.Mark("interpreter ended");
  const HWND resultWindow = e2e::WaitFor<HWND>(
      [&]() -> std::optional<HWND> {
        const std::vector<HWND> windows = e2e::FindTopWindows(id, resultQuery);
        return windows.empty() ? std::nullopt : std::optional<HWND>(windows.front());
      },
      limit, "the result window to be created", kLookInterval);
  recorder.Mark("result window created (hidden)");
  waitUntil([&] { return ::IsWindowVisible(resultWindow) != FALSE; },
            "the result window to be visible");
  recorder.Mark("result window visible");
  WaitForWholeReport(FormControl(resultWindow, resultForm, L"Text1"), reportBytes, limit);
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
