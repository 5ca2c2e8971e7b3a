// Help > Help for Quorvel Pravex: one help window with the usage text, kept
// while open, fresh after closing, its text area following the window size.
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdlib>

#include "forms/help/help_form_def.h"
#include "forms/main/main_form_def.h"
#include "tests/e2e/driver/deadline.h"
#include "tests/e2e/driver/window_input.h"
#include "tests/e2e/driver/window_probe.h"
#include "tests/e2e/pravex_fixture.h"

namespace pravex::e2e {
namespace {

constexpr std::wstring_view kUsageText =
    L"Help file for Quorvel Pravex\r\n\r\n"
    L"To use this tool, simply double click on Pravex.exe to launch the tool\r\n"
    L"When the tool started, follow 2 steps as shown on the window.\r\n\r\n"
    L"1. Select the tool you are having trouble with.  It must be either Vastrel or ZPX based "
    L"tools other than Vastrel.\r\n\r\n"
    L"2. Click on the 'Diagnose' button. \r\n\r\n\r\n"
    L"Depending on the result of the diagnostic, new window with instructions will pop up. \r\n"
    L"Follow the instruction shown. You can either copy the contents of the solution by clicking "
    L"on 'Copy to Clipboard' button, or save by 'Save as...' button so that you can store it on "
    L"your hard drive for later reference.\r\n\r\n"
    L"Or you can also send the result to Quorvel's FTP server.\r\n\r\n"
    L"If you have any questions, contact Quorvel QuorvelCare. ";

class HelpWindowTest : public PravexTest {
 protected:
  HWND StartAndOpenHelp() {
    Launch();
    main_ = WaitForMainWindow();
    return OpenHelp();
  }
  HWND OpenHelp() {
    ChooseMainMenu(main_, L"MenuHelpContents");
    return WaitForHelpWindow();
  }
  static HWND TextArea(HWND help) { return Control(help, FormHelpDef(), L"Text1"); }

  HWND main_ = nullptr;
};

TEST_F(HelpWindowTest, ShowsTheUsageTextBesideTheMainWindow) {
  const HWND help = StartAndOpenHelp();
  EXPECT_EQ(TextOf(help), L"Help Contents");
  EXPECT_EQ(TextOf(TextArea(help)), kUsageText);
  EXPECT_EQ(FormWindows(FormHelpDef()).size(), 1u);
  EXPECT_EQ(FormWindows(MainFormDef()), std::vector<HWND>{main_}) << "the main window stays";
}

TEST_F(HelpWindowTest, ChoosingHelpAgainKeepsTheOneWindowAndItsText) {
  const HWND help = StartAndOpenHelp();
  ReplaceText(TextArea(help), L"my notes");
  ChooseMainMenu(main_, L"MenuHelpContents");
  Settle(main_);
  EXPECT_EQ(FormWindows(FormHelpDef()), std::vector<HWND>{help});
  EXPECT_EQ(TextOf(TextArea(help)), L"my notes");
}

TEST_F(HelpWindowTest, ReopeningAfterClosingShowsTheFullTextAgain) {
  const HWND first = StartAndOpenHelp();
  ReplaceText(TextArea(first), L"my notes");
  RequestClose(first);
  WaitUntilFormClosed(FormHelpDef());
  EXPECT_TRUE(App().IsRunning()) << "the main window is still open";

  const HWND second = OpenHelp();
  EXPECT_EQ(TextOf(TextArea(second)), kUsageText);
  EXPECT_EQ(FormWindows(FormHelpDef()).size(), 1u);
}

// At 96 dpi the margins of 300 x 800 twips are 20 x 53 1/3 pixels.
TEST_F(HelpWindowTest, TheTextAreaFollowsTheWindowSize) {
  if (ScreenDpi() != 96) GTEST_SKIP() << "the pixel sizes hold at 96 dpi";
  const HWND help = StartAndOpenHelp();
  const PixelSize sizes[] = {OuterSize(help), {600, 400}, {900, 700}, {420, 260}, {1000, 500}};
  for (std::size_t row = 0; row < std::size(sizes); ++row) {
    const PixelSize outer = sizes[row];
    if (row > 0) ResizeOuter(help, outer);  // row 0: as first shown
    ASSERT_EQ(OuterSize(help), outer) << "row " << row;
    const PixelRect expected{8, 8, outer.width - 20, outer.height - 53};
    PixelRect actual;
    const bool fitted = PollUntil(
        [&] {
          actual = RectInParent(TextArea(help));
          return actual.left == expected.left && actual.top == expected.top &&
                 std::abs(actual.width - expected.width) <= 1 &&
                 std::abs(actual.height - expected.height) <= 1;
        },
        kCloseLimit);
    EXPECT_TRUE(fitted) << "row " << row << ": window " << outer << ", text area " << actual
                        << ", expected " << expected << " (size within 1 pixel)";
  }
}

}  // namespace
}  // namespace pravex::e2e
