// The DebugMode setting at start-up: the announcement before the window,
// the trace file it starts, and a value that is no Boolean.
#include <gtest/gtest.h>

#include "forms/main/main_form_def.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/window_probe.h"
#include "tests/e2e/pravex_fixture.h"

namespace pravex::e2e {
namespace {

class DebugModeTest : public PravexTest {};

TEST_F(DebugModeTest, TrueAnnouncesDebugModeBeforeTheWindowShows) {
  SetDebugMode(L"True");
  Launch();
  const MessageBoxView box = WaitForMessageBox();
  EXPECT_EQ(box.text, L"The tool will run in Debug Mode");
  EXPECT_EQ(box.title, L"Pravex");
  EXPECT_FALSE(box.hasIcon);
  EXPECT_TRUE(FormWindows(MainFormDef()).empty()) << "the main window showed before the box";
  EXPECT_FALSE(FileExists(std::wstring(kTraceFile))) << "the trace starts after the box";

  PressOk(box);
  const HWND main = WaitForMainWindow();
  EXPECT_EQ(TextOf(main), L"Quorvel Pravex Ver 1.00");
  EXPECT_EQ(TraceBytes(), kStartTrace);
  EXPECT_EQ(DebugMode(), (RegistryValue{REG_SZ, L"True"})) << "the switch is never rewritten";
}

TEST_F(DebugModeTest, EachDebugStartBeginsTheTraceAnew) {
  ExitByMenu(LaunchThroughDebugBox());
  ASSERT_EQ(TraceBytes(), kStartTrace) << "first run";

  LaunchThroughDebugBox();
  EXPECT_EQ(TraceBytes(), kStartTrace) << "second run: only its own lines";
}

TEST_F(DebugModeTest, ADebugStartReplacesAForeignTrace) {
  WriteFileBytes(std::wstring(kTraceFile), "\"an earlier run\"\r\nno quotes\r\n");
  LaunchThroughDebugBox();
  EXPECT_EQ(TraceBytes(), kStartTrace);
}

TEST_F(DebugModeTest, AStartWithDebugModeOffLeavesTheTraceAlone) {
  ExitByMenu(LaunchThroughDebugBox());
  ASSERT_EQ(TraceBytes(), kStartTrace);

  SetDebugMode(L"False");
  Launch();
  const HWND main = WaitForMainWindow();
  EXPECT_TRUE(FindMessageBoxes(Pid()).empty());
  EXPECT_EQ(TraceBytes(), kStartTrace) << "after start-up";
  ExitByMenu(main);
  EXPECT_EQ(TraceBytes(), kStartTrace) << "after exit";
}

TEST_F(DebugModeTest, AValueThatIsNoBooleanIsReportedAndLeftAsItIs) {
  SetDebugMode(L"yes");
  Launch();
  const MessageBoxView box = WaitForMessageBox();
  EXPECT_EQ(box.text, L"Error in Form_Load: 13: Type mismatch");
  EXPECT_EQ(box.title, L"Pravex");
  EXPECT_FALSE(box.hasIcon);
  EXPECT_TRUE(FormWindows(MainFormDef()).empty()) << "the main window showed before the box";

  PressOk(box);
  const HWND main = WaitForMainWindow();
  EXPECT_EQ(TextOf(main), L"") << "start-up stopped before the caption was set";
  EXPECT_EQ(DebugMode(), (RegistryValue{REG_SZ, L"yes"}));
  EXPECT_FALSE(FileExists(std::wstring(kTraceFile)));
  EXPECT_TRUE(FindMessageBoxes(Pid()).empty()) << "a second box followed the first";
}

}  // namespace
}  // namespace pravex::e2e
