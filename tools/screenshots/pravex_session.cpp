#include "tools/screenshots/pravex_session.h"

#include <stdexcept>
#include <string>

#include "forms/main/main_form_def.h"
#include "tests/e2e/driver/environment_block.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/message_box.h"
#include "tests/e2e/driver/options.h"
#include "tests/e2e/driver/top_windows.h"
#include "tests/e2e/driver/user_registry.h"
#include "tests/e2e/driver/wide_text.h"
#include "tests/e2e/driver/window_input.h"
#include "tests/e2e/driver/window_probe.h"

namespace pravex::screenshots {

namespace {

using e2e::Milliseconds;

// Under Wine a start takes about half a second; a diagnosis a little more.
constexpr Milliseconds kShowLimit{20000};
constexpr Milliseconds kCloseLimit{5000};

constexpr std::wstring_view kSettingsKey = L"Software\\QuorvelPravex";
constexpr std::wstring_view kInfoKey = L"Software\\QuorvelPravex\\Info";

e2e::EnvironmentBlock EnvironmentFor(std::wstring_view sample) {
  e2e::EnvironmentBlock environment = e2e::EnvironmentBlock::Current();
  // Wine's own cmd.exe cannot run Pravex's command line; the shim can.
  environment.Set(L"ComSpec", e2e::CmdShimPath());
  environment.Set(L"PATH", e2e::StatusToolFolder() + L";" + environment.Get(L"PATH").value_or(L""));
  environment.Set(L"PRAVEX_SAMPLE", sample);
  return environment;
}

e2e::EnvironmentBlock PrepareRun(std::wstring_view sample, bool debugMode) {
  PravexSession::RemoveLeftovers();
  if (debugMode) e2e::WriteUserString(kInfoKey, L"DebugMode", L"True");
  return EnvironmentFor(sample);
}

e2e::WindowQuery FormQuery(const FormDef& form) {
  return {.className = L"Pravex" + std::wstring(form.name)};
}

}  // namespace

PravexSession::PravexSession(std::wstring_view sample, bool debugMode)
    : app_(e2e::PravexExePath(), PrepareRun(sample, debugMode)) {}

void PravexSession::RemoveLeftovers() {
  e2e::DeleteUserKey(kSettingsKey);
  e2e::DeleteFileIfPresent(L"C:\\QuorvelPravexTrace.txt");
  for (const std::wstring& report : e2e::FilesMatching(L"C:\\", L"QuorvelPravexResult_*.txt")) {
    e2e::DeleteFileIfPresent(report);
  }
}

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

HWND PravexSession::Control(HWND window, const FormDef& form, std::wstring_view name) {
  const int id = ControlId(form, name);
  if (id < 0) {
    throw std::logic_error("form " + e2e::Quoted(form.name) + " has no control " +
                           e2e::Quoted(name));
  }
  return e2e::ChildById(window, id);
}

void PravexSession::Press(HWND window, const FormDef& form, std::wstring_view button) {
  e2e::PressButton(Control(window, form, button));
}

void PravexSession::ChooseMainMenu(HWND main, std::wstring_view item) {
  const int id = MenuItemId(MainFormDef(), item);
  if (id < 0) throw std::logic_error("the main form has no menu item " + e2e::Quoted(item));
  e2e::ChooseMenuItem(main, id);
}

void PravexSession::WaitForExit() const {
  if (const DWORD code = app_.ExpectExit(kCloseLimit); code != 0) {
    throw std::runtime_error("Pravex ended with exit code " + std::to_string(code));
  }
}

}  // namespace pravex::screenshots
