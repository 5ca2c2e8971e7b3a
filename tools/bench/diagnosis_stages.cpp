#include "tools/bench/diagnosis_stages.h"

#include <cstdio>

#include "forms/main/main_form_def.h"
#include "forms/results/result_family.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/process_list.h"
#include "tests/e2e/driver/window_input.h"
#include "tools/bench/statistics.h"
#include "tools/bench/timed_runs.h"

namespace pravex::bench {

namespace {

// The size of Pravex's report file, 0 while there is none.
std::uint64_t ReportFileBytes() {
  std::uint64_t bytes = 0;
  for (const std::wstring& path : PravexReportFiles()) bytes = e2e::FileSize(path).value_or(bytes);
  return bytes;
}

}  // namespace

std::vector<StageMark> WatchDiagnosisStages(const BenchPaths& paths,
                                            const e2e::EnvironmentBlock& environment,
                                            std::uint64_t reportBytes) {
  RemoveLeftovers();
  e2e::AppProcess pravex(paths.pravexExe, environment);
  const HWND diagnose =
      FormControl(MainWindowWithVastrelSelected(pravex), MainFormDef(), L"ButtonDiagnose");
  const FormDef& resultForm = ResultFormDef(ResultKind::Result);
  const e2e::WindowQuery resultQuery{.className = FormWindowClass(resultForm),
                                     .visibleOnly = false};
  const Milliseconds limit = DiagnosisLimit(reportBytes);
  const auto waitUntil = [&](const std::function<bool()>& condition, std::string_view what) {
    e2e::WaitUntil(condition, limit, what, kLookInterval);
  };

  std::vector<StageMark> marks;
  const e2e::Stopwatch clock;
  const auto mark = [&](std::string stage) {
    const e2e::WorkingSet memory = pravex.Memory();
    marks.push_back({std::move(stage), clock.ElapsedMs(), static_cast<double>(memory.bytes),
                     static_cast<double>(memory.peakBytes)});
  };
  e2e::PressButton(diagnose);
  mark("Diagnose clicked");
  waitUntil([&] { return ReportFileBytes() >= reportBytes; }, "the report file");
  mark("report file complete");
  waitUntil([&] { return !e2e::HasChildProcess(pravex.Id()); }, "the interpreter to end");
  mark("interpreter ended");
  HWND resultWindow = nullptr;
  waitUntil(
      [&] {
        const std::vector<HWND> windows = e2e::FindTopWindows(pravex.Id(), resultQuery);
        resultWindow = windows.empty() ? nullptr : windows.front();
        return resultWindow != nullptr;
      },
      "the result window to be created");
  mark("result window created (hidden)");
  waitUntil([&] { return ::IsWindowVisible(resultWindow) != FALSE; },
            "the result window to be visible");
  mark("result window visible");
  WaitForWholeReport(FormControl(resultWindow, resultForm, L"Text1"), reportBytes, limit);
  mark("text box holds the report");
  CloseAndWaitForExit(pravex, resultWindow);
  return marks;
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
