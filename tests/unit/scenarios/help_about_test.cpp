#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "forms/help/help_form.h"
#include "tests/unit/scenarios/program_fixture.h"

namespace pravex::testing {
namespace {

class HelpWindowTest : public ProgramTest {
 protected:
  void OpenHelp() { Window(L"MainForm").ChooseMenu(L"MenuHelpContents"); }
  std::wstring HelpBoxText() { return Window(L"FormHelp").Text(0); }
};

TEST_F(HelpWindowTest, OpensOnceAndFollowsTheWindowSize) {
  Start();
  OpenHelp();
  MemoryWindow& help = Window(L"FormHelp");
  EXPECT_EQ(HelpBoxText(), HelpText());
  const TwipsSize outer = help.OuterSize();
  EXPECT_EQ(help.ControlRect(0), (TwipsRect{120, 120, outer.width - 300, outer.height - 800}))
      << "fitted before it is first shown";

  help.ResizeTo({20000, 9000});
  EXPECT_EQ(help.ControlRect(0), (TwipsRect{120, 120, 19700, 8200}));
  help.ResizeTo({250, 500});
  EXPECT_EQ(help.ControlRect(0), (TwipsRect{120, 120, 0, 0}));
}

TEST_F(HelpWindowTest, ASecondHelpOnlyBringsTheSameWindowForward) {
  Start();
  OpenHelp();
  Window(L"FormHelp").Type(L"Text1", L"my notes");
  OpenHelp();
  EXPECT_EQ(fake_.windows.created, 2) << "main window and one help window";
  EXPECT_EQ(Window(L"FormHelp").ShowCount(), 2);
  EXPECT_EQ(HelpBoxText(), L"my notes") << "the edits stay";
  EXPECT_EQ(fake_.log.back(), L"front: FormHelp");
}

TEST_F(HelpWindowTest, ClosingDiscardsEditsAndReopeningShowsTheFullText) {
  Start();
  OpenHelp();
  Window(L"FormHelp").Type(L"Text1", L"my notes");
  Window(L"FormHelp").Close();
  EXPECT_FALSE(Loaded(L"FormHelp"));
  EXPECT_FALSE(fake_.windows.quit) << "the main window is still there";
  OpenHelp();
  EXPECT_EQ(HelpBoxText(), HelpText());
}

TEST_F(HelpWindowTest, ExitWithHelpOpenKeepsTheProgramUntilHelpCloses) {
  Start();
  OpenHelp();
  Window(L"MainForm").ChooseMenu(L"MenuExit");
  EXPECT_FALSE(Loaded(L"MainForm"));
  EXPECT_FALSE(fake_.windows.quit);
  Window(L"FormHelp").Close();
  EXPECT_TRUE(fake_.windows.quit);
}

TEST_F(HelpWindowTest, HelpAndAboutWriteNoTraceAndTouchNoSettings) {
  fake_.settings.values[L"DebugMode"] = L"True";
  Start();
  const auto traceBefore = fake_.TraceLines();
  const auto settingsBefore = fake_.settings.values;
  OpenHelp();
  Window(L"FormHelp").ResizeTo({5000, 5000});
  Window(L"MainForm").ChooseMenu(L"MenuAbout");
  Window(L"FormHelp").Close();
  EXPECT_EQ(fake_.TraceLines(), traceBefore);
  EXPECT_EQ(fake_.settings.values, settingsBefore);
}

TEST_F(ProgramTest, AboutShowsNameAndVersionWithoutAnIcon) {
  Start();
  Window(L"MainForm").ChooseMenu(L"MenuAbout");
  ASSERT_EQ(fake_.messageBoxes.shown.size(), 1u);
  EXPECT_EQ(fake_.messageBoxes.shown[0].prompt, L"Quorvel Pravex\r\nVersion 1.00");
  EXPECT_EQ(fake_.messageBoxes.shown[0].style, 0);
  EXPECT_EQ(fake_.messageBoxes.shown[0].title, L"Quorvel QuorvelCare");
  EXPECT_TRUE(Loaded(L"MainForm"));
}

}  // namespace
}  // namespace pravex::testing
