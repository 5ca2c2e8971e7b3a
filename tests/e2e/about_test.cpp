// Help > About...: a plain box with name and version over the main window.
#include <windows.h>

#include <gtest/gtest.h>

#include "forms/help/help_form_def.h"
#include "forms/main/main_form_def.h"
#include "tests/e2e/driver/window_input.h"
#include "tests/e2e/pravex_fixture.h"

namespace pravex::e2e {
namespace {

class AboutBoxTest : public PravexTest {};

TEST_F(AboutBoxTest, ShowsNameAndVersionWithoutAnIcon) {
  Launch();
  const HWND main = WaitForMainWindow();
  ChooseMainMenu(main, L"MenuAbout");
  const MessageBoxView box = WaitForMessageBox();
  EXPECT_EQ(box.text, L"Quorvel Pravex\r\nVersion 1.00");
  EXPECT_EQ(box.title, L"Quorvel QuorvelCare");
  EXPECT_FALSE(box.hasIcon);
  EXPECT_EQ(FormWindows(MainFormDef()), std::vector<HWND>{main}) << "the main window stays";
  EXPECT_FALSE(::IsWindowEnabled(main)) << "the box is modal";

  PressOk(box);
  Settle(main);
  EXPECT_TRUE(FindMessageBoxes(Pid()).empty());
  EXPECT_TRUE(::IsWindowEnabled(main));
  EXPECT_EQ(FormWindows(MainFormDef()), std::vector<HWND>{main});
  EXPECT_TRUE(App().IsRunning());
}

TEST_F(AboutBoxTest, ShowsTheVersionOnASecondLine) {
  SetDebugMode(L"True");
  Launch();
  const MessageBoxView oneLine = WaitForMessageBox();  // the debug mode announcement
  PressOk(oneLine);
  ChooseMainMenu(WaitForMainWindow(), L"MenuAbout");
  const MessageBoxView about = WaitForMessageBox();
  EXPECT_EQ(about.promptSize.height, 2 * oneLine.promptSize.height)
      << "one line of text is " << oneLine.promptSize.height << " pixels high";
}

TEST_F(AboutBoxTest, NeitherAboutNorHelpTouchesTraceOrSettings) {
  const HWND main = LaunchThroughDebugBox();
  ChooseMainMenu(main, L"MenuHelpContents");
  const HWND help = WaitForHelpWindow();
  ChooseMainMenu(main, L"MenuAbout");
  PressOk(WaitForMessageBox());
  RequestClose(help);
  WaitUntilFormClosed(FormHelpDef());
  Settle(main);
  EXPECT_EQ(TraceBytes(), kStartTrace);
  EXPECT_EQ(DebugMode(), (RegistryValue{REG_SZ, L"True"}));
}

}  // namespace
}  // namespace pravex::e2e
