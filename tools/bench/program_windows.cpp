#include "tools/bench/program_windows.h"

#include <cstdio>
#include <stdexcept>

#include "forms/main/main_form_def.h"
#include "tests/e2e/driver/message_box.h"
#include "tests/e2e/driver/top_windows.h"
#include "tests/e2e/driver/wide_text.h"
#include "tests/e2e/driver/window_input.h"

namespace pravex::bench {

namespace {

constexpr Milliseconds kAnswerLimit{5000};
// Closing the last window ends either program at once; Wine needs a moment.
constexpr Milliseconds kExitLimit{15000};

}  // namespace

std::wstring FormWindowClass(const FormDef& form) {
  return L"Pravex" + std::wstring(form.name);
}

HWND FormControl(HWND formWindow, const FormDef& form, std::wstring_view name) {
  return e2e::ChildById(formWindow, ControlId(form, name));
}

HWND WaitForWindow(const e2e::AppProcess& process, const std::wstring& windowClass,
                   Milliseconds limit) {
  const e2e::WindowQuery query{.className = windowClass};
  const std::string name = "process " + std::to_string(process.Id());
  return e2e::WaitFor<HWND>(
      [&]() -> std::optional<HWND> {
        const std::vector<HWND> windows = e2e::FindTopWindows(process.Id(), query);
        if (!windows.empty()) return windows.front();
        const std::vector<HWND> boxes = e2e::FindMessageBoxes(process.Id());
        if (!boxes.empty()) {
          throw std::runtime_error(name + " showed a message box instead: " +
                                   e2e::Quoted(e2e::ReadMessageBox(boxes.front()).text));
        }
        if (!process.IsRunning()) {
          throw std::runtime_error(name + " ended without a " + e2e::Quoted(windowClass) +
                                   " window");
        }
        return std::nullopt;
      },
      limit, e2e::Describe(query, process.Id()), kLookInterval);
}

HWND MainWindowWithVastrelSelected(const e2e::AppProcess& pravex) {
  const HWND mainWindow = WaitForWindow(pravex, FormWindowClass(MainFormDef()), kShowLimit);
  const HWND option = FormControl(mainWindow, MainFormDef(), L"OptionVastrel");
  e2e::PressButton(option);
  e2e::WaitUntil([&] { return e2e::IsChecked(option); }, kAnswerLimit,
                 "OptionVastrel to be selected", kLookInterval);
  return mainWindow;
}

void CloseAndWaitForExit(e2e::AppProcess& process, HWND window) {
  e2e::RequestClose(window);
  if (!process.WaitForExit(kExitLimit)) {
    std::fprintf(
        stderr, "note: %s; ending it\n",
        e2e::TimeoutMessage("process " + std::to_string(process.Id()) + " to exit", kExitLimit)
            .c_str());
    process.Kill();
  }
}

}  // namespace pravex::bench
