#include "tools/bench/pravex_windows.h"

#include "forms/main/main_form_def.h"
#include "tests/e2e/driver/window_input.h"
#include "tests/e2e/driver/window_probe.h"
#include "tools/bench/window_start.h"
#include "tools/bench/window_watch.h"

namespace pravex::bench {

namespace {

constexpr Milliseconds kAnswerLimit{5000};

}  // namespace

std::wstring FormWindowClass(const FormDef& form) {
  return L"Pravex" + std::wstring(form.name);
}

HWND FormControl(HWND formWindow, const FormDef& form, std::wstring_view name) {
  return e2e::ChildById(formWindow, ControlId(form, name));
}

HWND MainWindowWithVastrelSelected(const LaunchedProcess& pravex) {
  const HWND mainWindow = WaitForVisibleTopWindow(pravex.Handle(), pravex.Id(),
                                                  FormWindowClass(MainFormDef()), kShowLimit);
  const HWND option = FormControl(mainWindow, MainFormDef(), L"OptionVastrel");
  e2e::PressButton(option);
  PollUntil([&] { return e2e::IsChecked(option); }, kAnswerLimit, "OptionVastrel to be selected");
  return mainWindow;
}

}  // namespace pravex::bench
