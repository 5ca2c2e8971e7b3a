#include <gtest/gtest.h>

#include "tests/unit/scenarios/program_fixture.h"

namespace pravex::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::IsEmpty;

class StartupTest : public ProgramTest {};

TEST_F(StartupTest, FirstStartWritesFalseAndOpensAQuietWindow) {
  Start();
  EXPECT_EQ(fake_.settings.values.at(L"DebugMode"), L"False");
  EXPECT_THAT(Prompts(), IsEmpty());
  EXPECT_FALSE(fake_.files.Exists(L"C:\\QuorvelPravexTrace.txt"));
  MemoryWindow& main = Window(L"MainForm");
  EXPECT_TRUE(main.Visible());
  EXPECT_EQ(main.Caption(), L"Quorvel Pravex Ver 1.00");
  EXPECT_FALSE(main.Value(ControlIndex(main.Def(), L"OptionVastrel")));
  EXPECT_FALSE(main.Value(ControlIndex(main.Def(), L"OptionZPX")));
  EXPECT_FALSE(program().module1.bDebugMode);
  EXPECT_FALSE(program().module1.bFtpSent);
}

TEST_F(StartupTest, RunsItsStepsInOrder) {
  fake_.settings.values[L"DebugMode"] = L"True";
  Start();
  EXPECT_THAT(
      fake_.log,
      ElementsAre(L"created: MainForm", L"msgbox: The tool will run in Debug Mode",
                  L"private: C:\\QuorvelPravexTrace.txt", L"append: C:\\QuorvelPravexTrace.txt",
                  L"create: shell", L"create: fso", L"shown: MainForm"));
}

TEST_F(StartupTest, DebugModeShowsTheBoxBeforeTheWindowAndStartsTheTrace) {
  fake_.settings.values[L"DebugMode"] = L"-1";
  fake_.files.files[L"C:\\QuorvelPravexTrace.txt"] = "\"an earlier run\"\r\n";
  Start();
  ASSERT_EQ(fake_.messageBoxes.shown.size(), 1u);
  EXPECT_EQ(fake_.messageBoxes.shown[0].style, 0);
  EXPECT_EQ(fake_.messageBoxes.shown[0].title, L"Pravex");
  EXPECT_EQ(fake_.files.Bytes(L"C:\\QuorvelPravexTrace.txt"),
            "\"Form_Load() 1: Starting app\"\r\n\"ExecCommand() 1: Will create objects\"\r\n");
  EXPECT_EQ(fake_.settings.values.at(L"DebugMode"), L"-1") << "True is never written";
  EXPECT_TRUE(program().module1.bDebugMode);
}

TEST_F(StartupTest, StoredFalseValuesAreRewrittenAsFalse) {
  const wchar_t* stored[] = {L"false", L"FALSE", L"0", L" 0 ", L"-0"};
  for (const wchar_t* value : stored) {
    FakePlatform fake;
    fake.settings.values[L"DebugMode"] = value;
    Program program(fake.platform);
    program.Start();
    EXPECT_EQ(fake.settings.values.at(L"DebugMode"), L"False") << value;
    EXPECT_TRUE(fake.messageBoxes.shown.empty()) << value;
  }
}

TEST_F(StartupTest, AnUnreadableSwitchSkipsTheRestOfStartUp) {
  fake_.settings.values[L"DebugMode"] = L"yes";
  Start();
  ASSERT_EQ(fake_.messageBoxes.shown.size(), 1u);
  EXPECT_EQ(fake_.messageBoxes.shown[0].prompt, L"Error in Form_Load: 13: Type mismatch");
  EXPECT_EQ(fake_.messageBoxes.shown[0].style, 0);
  EXPECT_EQ(fake_.messageBoxes.shown[0].title, L"Pravex");
  EXPECT_EQ(fake_.settings.values.at(L"DebugMode"), L"yes") << "nothing written back";
  EXPECT_FALSE(fake_.files.Exists(L"C:\\QuorvelPravexTrace.txt"));
  MemoryWindow& main = Window(L"MainForm");
  EXPECT_TRUE(main.Visible()) << "the window opens all the same";
  EXPECT_EQ(main.Caption(), L"");
  EXPECT_FALSE(program().module1.oShell);
  EXPECT_FALSE(program().module1.oFSO);
}

TEST_F(StartupTest, AnEmptySwitchIsATypeMismatchToo) {
  fake_.settings.values[L"DebugMode"] = L"";
  Start();
  EXPECT_THAT(Prompts(), ElementsAre(L"Error in Form_Load: 13: Type mismatch"));
}

TEST_F(StartupTest, NoDriveCIsExplainedWithoutATraceLine) {
  fake_.settings.values[L"DebugMode"] = L"True";
  fake_.files.folders.clear();
  Start();
  EXPECT_THAT(Prompts(), ElementsAre(L"The tool will run in Debug Mode",
                                     L"Error: 76: Path not found\r\n"
                                     L"Possible reason: C drive is not available"));
  EXPECT_EQ(Window(L"MainForm").Caption(), L"");
  EXPECT_FALSE(program().module1.oShell);
}

TEST_F(StartupTest, OtherStartUpErrorsAreTrappedTracedAndReported) {
  fake_.settings.values[L"DebugMode"] = L"1";
  fake_.objects.failCreateWith = 429;
  Start();
  EXPECT_THAT(fake_.TraceLines(),
              ElementsAre(L"Form_Load() 1: Starting app", L"ExecCommand() 1: Will create objects",
                          L"Form_Load() error: 429: ActiveX component can't create object"));
  EXPECT_EQ(Prompts().back(), L"Error in Form_Load: 429: ActiveX component can't create object");
  EXPECT_EQ(Window(L"MainForm").Caption(), L"Quorvel Pravex Ver 1.00");
}

TEST_F(StartupTest, ALockedTraceFileIsReportedOnceAndStartUpGoesOn) {
  fake_.settings.values[L"DebugMode"] = L"True";
  fake_.files.failures[L"C:\\QuorvelPravexTrace.txt"] = 70;
  Start();
  ASSERT_EQ(Prompts().size(), 2u);
  EXPECT_EQ(Prompts()[1].substr(0, 40), L"Error in WriteTrace: 70: Permission deni");
  EXPECT_EQ(Window(L"MainForm").Caption(), L"Quorvel Pravex Ver 1.00");
  EXPECT_TRUE(program().module1.oShell);
  EXPECT_TRUE(program().module1.oFSO);
}

TEST_F(StartupTest, ExitUnloadsTheMainWindowAndEndsTheProgram) {
  Start();
  Window(L"MainForm").ChooseMenu(L"MenuExit");
  EXPECT_FALSE(Loaded(L"MainForm"));
  EXPECT_TRUE(fake_.windows.quit);
  EXPECT_THAT(Prompts(), IsEmpty()) << "no question is asked";
}

}  // namespace
}  // namespace pravex::testing
