// Ending the program: it ends when its last window has gone.
#include <windows.h>

#include <gtest/gtest.h>

#include "forms/help/help_form_def.h"
#include "forms/main/main_form_def.h"
#include "tests/e2e/driver/window_input.h"
#include "tests/e2e/pravex_fixture.h"

namespace pravex::e2e {
namespace {

// Long enough for an exit that was going to happen to have happened.
constexpr Milliseconds kStillRunningCheck{1000};

class ExitTest : public PravexTest {};

TEST_F(ExitTest, FileExitEndsTheProgram) {
  Launch();
  ExitByMenu(WaitForMainWindow());
}

TEST_F(ExitTest, TheCloseBoxEndsTheProgramToo) {
  Launch();
  RequestClose(WaitForMainWindow());
  EXPECT_EQ(App().ExpectExit(kExitLimit), 0u) << "exit code";
}

TEST_F(ExitTest, ExitWithHelpOpenEndsTheProgramOnlyWhenHelpCloses) {
  Launch();
  const HWND main = WaitForMainWindow();
  ChooseMainMenu(main, L"MenuHelpContents");
  const HWND help = WaitForHelpWindow();

  ChooseMainMenu(main, L"MenuExit");
  WaitUntilFormClosed(MainFormDef());
  EXPECT_EQ(FormWindows(FormHelpDef()), std::vector<HWND>{help});
  EXPECT_EQ(App().WaitForExit(kStillRunningCheck), std::nullopt)
      << "the program ended with the help window open";

  RequestClose(help);
  EXPECT_EQ(App().ExpectExit(kExitLimit), 0u) << "exit code";
}

}  // namespace
}  // namespace pravex::e2e
