// What every end-to-end test of Pravex shares: a clean start (no settings,
// no trace or report files, no Pravex process), the program launched with
// a chosen environment, and its windows and boxes found by the names the
// form tables give them.
#pragma once

#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "tests/e2e/driver/app_process.h"
#include "tests/e2e/driver/message_box.h"
#include "tests/e2e/driver/options.h"
#include "tests/e2e/driver/user_registry.h"
#include "tests/e2e/pravex_program.h"
#include "ui/form_def.h"

namespace pravex::e2e {

class PravexTest : public ::testing::Test {
 protected:
  // Wine takes about half a second to start a program; the limits leave
  // room for a loaded machine.
  static constexpr Milliseconds kShowLimit{15000};
  static constexpr Milliseconds kCloseLimit{5000};
  static constexpr Milliseconds kExitLimit{5000};

  // What a start in debug mode writes to the trace.
  static constexpr std::string_view kStartTrace =
      "\"Form_Load() 1: Starting app\"\r\n\"ExecCommand() 1: Will create objects\"\r\n";

  void SetUp() override;
  void TearDown() override;

  // --- settings and files ---------------------------------------------------
  void SetDebugMode(std::wstring_view text);
  std::optional<RegistryValue> DebugMode() const;
  std::optional<std::string> TraceBytes() const;

  // --- the process ------------------------------------------------------------
  // Starts Pravex.exe with `environment`; one process per test at a time.
  void Launch();
  AppProcess& App();
  DWORD Pid();
  // Ends the running process by File > Exit and expects exit code 0.
  void ExitByMenu(HWND mainWindow);

  // --- windows ----------------------------------------------------------------
  // The visible window of the form once it is shown.
  HWND WaitForFormWindow(const FormDef& form, Milliseconds limit = kShowLimit);
  HWND WaitForMainWindow();
  HWND WaitForHelpWindow();
  // The form's visible windows now.
  std::vector<HWND> FormWindows(const FormDef& form);
  void WaitUntilFormClosed(const FormDef& form);
  static HWND Control(HWND formWindow, const FormDef& form, std::wstring_view name) {
    return FormControl(formWindow, form, name);
  }
  // Returns once the main window's thread has handled everything posted to it.
  static void Settle(HWND mainWindow);
  // The same for the thread of any window, through one of its buttons.
  static void SettleThrough(HWND button);

  // --- message boxes ----------------------------------------------------------
  MessageBoxView WaitForMessageBox(Milliseconds limit = kShowLimit);
  void PressOk(const MessageBoxView& box);
  // Starts in debug mode, answers the debug box and waits for the main window.
  HWND LaunchThroughDebugBox();

  // The child's environment; a test may change it before Launch.
  EnvironmentBlock environment = EnvironmentBlock::Current();
  // The program Launch starts; a test may start a copy elsewhere.
  std::wstring programPath = PravexExePath();
  // The folder it starts in (empty: the driver's), as a double-click in a
  // Downloads folder makes that folder the program's current one.
  std::wstring currentFolder;

 private:
  void RemoveLeftovers();
  std::optional<AppProcess> app_;
};

}  // namespace pravex::e2e
