#include "tests/e2e/pravex_fixture.h"

#include <stdexcept>

#include "forms/help/help_form_def.h"
#include "forms/main/main_form_def.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/process_list.h"
#include "tests/e2e/driver/top_windows.h"
#include "tests/e2e/driver/window_input.h"

namespace pravex::e2e {

namespace {

constexpr std::wstring_view kPravexExeName = L"Pravex.exe";
constexpr Milliseconds kAnswerLimit{5000};

}  // namespace

void PravexTest::SetUp() {
  RemoveLeftovers();
}

void PravexTest::TearDown() {
  app_.reset();  // ends the process if the test left it running
  EXPECT_TRUE(ProcessIdsNamed(kPravexExeName).empty()) << "a Pravex process outlived the test";
}

void PravexTest::RemoveLeftovers() {
  // Processes of an earlier test that went wrong would share the registry
  // and drive C: with this one.
  for (const DWORD stray : ProcessIdsNamed(kPravexExeName)) {
    ADD_FAILURE() << "Pravex process " << stray << " was running before the test; ending it";
    EndProcess(stray, kExitLimit);
  }
  RemoveSettingsAndFiles();
}

void PravexTest::SetDebugMode(std::wstring_view text) {
  WriteUserString(kInfoKey, L"DebugMode", text);
}

std::optional<RegistryValue> PravexTest::DebugMode() const {
  return ReadUserValue(kInfoKey, L"DebugMode");
}

std::optional<std::string> PravexTest::TraceBytes() const {
  return ReadFileBytes(std::wstring(kTraceFile));
}

void PravexTest::Launch() {
  app_.reset();
  app_.emplace(programPath, environment, std::wstring_view{}, StartStyle::kNormal, currentFolder);
}

AppProcess& PravexTest::App() {
  if (!app_) throw std::logic_error("the test has not launched Pravex");
  return *app_;
}

DWORD PravexTest::Pid() {
  return App().Id();
}

void PravexTest::ExitByMenu(HWND mainWindow) {
  ChooseMainMenu(mainWindow, L"MenuExit");
  EXPECT_EQ(App().ExpectExit(kExitLimit), 0u) << "exit code";
}

HWND PravexTest::WaitForFormWindow(const FormDef& form, Milliseconds limit) {
  return WaitForTopWindow(Pid(), {.className = FormWindowClass(form)}, limit);
}

HWND PravexTest::WaitForMainWindow() {
  return WaitForFormWindow(MainFormDef());
}

HWND PravexTest::WaitForHelpWindow() {
  return WaitForFormWindow(FormHelpDef());
}

std::vector<HWND> PravexTest::FormWindows(const FormDef& form) {
  return FindTopWindows(Pid(), {.className = FormWindowClass(form)});
}

void PravexTest::WaitUntilFormClosed(const FormDef& form) {
  WaitUntilNoTopWindow(Pid(), {.className = FormWindowClass(form)}, kCloseLimit);
}

void PravexTest::Settle(HWND mainWindow) {
  SettleThrough(Control(mainWindow, MainFormDef(), L"ButtonDiagnose"));
}

void PravexTest::SettleThrough(HWND button) {
  WaitUntilPostedMessagesHandled(button, kAnswerLimit);
}

MessageBoxView PravexTest::WaitForMessageBox(Milliseconds limit) {
  return e2e::WaitForMessageBox(Pid(), limit);
}

void PravexTest::PressOk(const MessageBoxView& box) {
  AnswerMessageBox(box.handle, IDOK, kCloseLimit);
}

HWND PravexTest::LaunchThroughDebugBox() {
  SetDebugMode(L"True");
  Launch();
  PressOk(WaitForMessageBox());
  return WaitForMainWindow();
}

}  // namespace pravex::e2e
