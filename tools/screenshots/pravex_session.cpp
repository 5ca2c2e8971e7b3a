#include "tools/screenshots/pravex_session.h"

#include <stdexcept>
#include <string>

#include "tests/e2e/driver/message_box.h"
#include "tests/e2e/driver/options.h"
#include "tests/e2e/driver/top_windows.h"
#include "tests/e2e/driver/user_registry.h"
#include "tests/e2e/driver/window_input.h"
#include "tests/e2e/pravex_program.h"

namespace pravex::screenshots {

namespace {

using e2e::Milliseconds;

// Under Wine a start takes about half a second; a diagnosis a little more.
constexpr Milliseconds kShowLimit{20000};
constexpr Milliseconds kCloseLimit{5000};

e2e::EnvironmentBlock PrepareRun(std::wstring_view sample, bool debugMode) {
  e2e::RemoveSettingsAndFiles();
  if (debugMode) e2e::WriteUserString(e2e::kInfoKey, L"DebugMode", L"True");
  e2e::EnvironmentBlock environment = e2e::EnvironmentBlock::Current();
  e2e::UseStandInTools(environment);
  environment.Set(L"PRAVEX_SAMPLE", sample);
  return environment;
}

e2e::WindowQuery FormQuery(const FormDef& form) {
  return {.className = e2e::FormWindowClass(form)};
}

}  // namespace

PravexSession::PravexSession(std::wstring_view sample, bool debugMode)
    : app_(e2e::PravexExePath(), PrepareRun(sample, debugMode)) {}

HWND PravexSession::WaitForForm(const FormDef& form) const {
  return e2e::WaitForTopWindow(app_.Id(), FormQuery(form), kShowLimit);
}

void PravexSession::WaitUntilFormClosed(const FormDef& form) const {
  e2e::WaitUntilNoTopWindow(app_.Id(), FormQuery(form), kCloseLimit);
}

HWND PravexSession::WaitForBox() const {
  return e2e::WaitForMessageBox(app_.Id(), kShowLimit).handle;
}

void PravexSession::PressOk(HWND box) {
  e2e::AnswerMessageBox(box, IDOK, kCloseLimit);
}

void PravexSession::Press(HWND window, const FormDef& form, std::wstring_view button) {
  e2e::PressButton(e2e::FormControl(window, form, button));
}

void PravexSession::WaitForExit() const {
  if (const DWORD code = app_.ExpectExit(kCloseLimit); code != 0) {
    throw std::runtime_error("Pravex ended with exit code " + std::to_string(code));
  }
}

}  // namespace pravex::screenshots
