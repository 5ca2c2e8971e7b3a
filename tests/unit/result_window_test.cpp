#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/save_policy.h"
#include "forms/main/classification.h"
#include "forms/results/result_family.h"
#include "pravex_config.h"
#include "tests/unit/program_fixture.h"

namespace pravex::testing {
namespace {

using ::testing::ElementsAre;

constexpr const wchar_t* kReport = L"C:\\QuorvelPravexResult_3-3-2025_2-05-09_PM.txt";

// A program whose diagnosis has just opened the result window of one row.
class ResultWindowTest : public ProgramTest {
 protected:
  void OpenResult(int row = 0, bool debug = true) {
    if (debug) fake_.settings.values[L"DebugMode"] = L"True";
    report_ = std::wstring(config::kValidityMarker) + L"\r\n" +
              (row ? std::wstring(ConfiguredTable().rows[row - 1].marker) : L"fine");
    fake_.objects.onRun = [this](const std::wstring&) {
      fake_.files.files[kReport] = ToAnsi(report_);
    };
    Start();
    Window(L"MainForm").Click(L"OptionVastrel");
    Window(L"MainForm").Click(L"ButtonDiagnose");
    name_ = VariantOf(WindowFor({true, row})).name;
    fake_.messageBoxes.shown.clear();
  }

  MemoryWindow& Result() { return Window(name_); }
  std::wstring Text() { return Result().Text(ControlIndex(Result().Def(), L"Text1")); }

  std::wstring report_;
  std::wstring_view name_;
};

TEST_F(ResultWindowTest, ShowsTheGuidanceThenTheLineThenTheReport) {
  OpenResult(0);
  EXPECT_TRUE(Text().starts_with(L"No problem was found. "));
  EXPECT_TRUE(Text().ends_with(L"\r\n\r\n" + std::wstring(43, L'=') + L"\r\n" + report_));
}

TEST_F(ResultWindowTest, CopyPutsExactlyTheTextBoxOnTheClipboard) {
  OpenResult(2);
  fake_.clipboard.text = L"older";
  Result().Type(L"Text1", L"edited by the user");
  Result().Click(L"CopyToClipboard");
  EXPECT_EQ(fake_.clipboard.text, L"edited by the user");
}

TEST_F(ResultWindowTest, ANulInTheReportIsCopiedAndSavedAsTheBlankItShowsAs) {
  OpenResult(0);
  Result().Type(L"Text1", std::wstring(L"a\0b", 3));
  fake_.saveDialog.answers = {L"C:\\nul.txt"};
  Result().Click(L"CopyToClipboard");
  Result().Click(L"Save");
  EXPECT_EQ(fake_.clipboard.text, L"a b");
  EXPECT_EQ(fake_.files.Bytes(L"C:\\nul.txt"), "a b\r\n");
}

TEST_F(ResultWindowTest, TheExpiredLicenseWindowsCopyButtonKeepsItsOwnName) {
  OpenResult(1);
  EXPECT_EQ(name_, L"FormIssueA");
  Result().Click(L"CopyToClibBoard");
  EXPECT_EQ(fake_.clipboard.text, Text());
}

TEST_F(ResultWindowTest, SaveOffersTheSameNameEveryTimeAndWritesTextPlusCrLf) {
  OpenResult(4);
  fake_.files.folders.insert(L"D:\\docs\\");
  fake_.files.files[L"D:\\docs\\old.txt"] = "previous";
  fake_.saveDialog.answers = {L"D:\\docs\\old.txt", L"D:\\docs\\noext"};
  Result().Type(L"Text1", L"caf\u00e9 line\r\nsecond");
  Result().Click(L"Save");
  Result().Click(L"Save");
  EXPECT_THAT(fake_.saveDialog.offeredNames,
              ElementsAre(L"Quorvel_Pravex_Result.txt", L"Quorvel_Pravex_Result.txt"));
  EXPECT_EQ(fake_.files.Bytes(L"D:\\docs\\old.txt"), "caf\xe9 line\r\nsecond\r\n");
  EXPECT_EQ(fake_.files.Bytes(L"D:\\docs\\noext"), "caf\xe9 line\r\nsecond\r\n");
  EXPECT_TRUE(fake_.messageBoxes.shown.empty());
}

TEST(SavePolicy, ReplacesAPlainFileAndWritesInPlaceWhereAReplacementWouldLoseSomething) {
  struct Row {
    const char* target;
    SaveTarget facts;
    SaveMethod method;
  };
  const Row rows[] = {
      {"new file", {.exists = false}, SaveMethod::kWriteInPlace},
      {"plain file", {.exists = true}, SaveMethod::kReplaceFromTemporary},
      {"read-only", {.exists = true, .readOnly = true}, SaveMethod::kRefuse},
      {"symbolic link", {.exists = true, .link = true}, SaveMethod::kWriteInPlace},
      {"hard link", {.exists = true, .hardLinks = 2}, SaveMethod::kWriteInPlace},
      {"open without delete sharing",
       {.exists = true, .openWithoutDeleteSharing = true},
       SaveMethod::kWriteInPlace},
      {"long path", {.exists = true, .roomForTemporary = false}, SaveMethod::kWriteInPlace},
  };
  for (const Row& row : rows) EXPECT_EQ(ChooseSaveMethod(row.facts), row.method) << row.target;
}

TEST_F(ResultWindowTest, SaveReplacesAnExistingFileOrWritesItInPlaceWhenNoNewFileMayBeMade) {
  OpenResult(0);
  for (const bool folderTakesNewFiles : {true, false}) {
    fake_.files.files[L"C:\\old.txt"] = "previous";
    fake_.files.files.erase(L"C:\\new.txt");
    fake_.files.foldersTakeNewFiles = folderTakesNewFiles;
    fake_.saveDialog.answers = {L"C:\\old.txt", L"C:\\new.txt"};
    fake_.log.clear();
    Result().Click(L"Save");
    Result().Click(L"Save");
    std::vector<std::wstring> steps;
    for (const std::wstring& entry : fake_.log) {
      if (entry.starts_with(L"replace: ") || entry.starts_with(L"write: ")) steps.push_back(entry);
    }
    EXPECT_THAT(steps,
                ElementsAre(folderTakesNewFiles ? L"replace: C:\\old.txt" : L"write: C:\\old.txt",
                            L"write: C:\\new.txt"))
        << folderTakesNewFiles;
    EXPECT_EQ(fake_.files.Bytes(L"C:\\old.txt"), ToAnsi(Text() + L"\r\n")) << folderTakesNewFiles;
  }
}

TEST_F(ResultWindowTest, CancelInTheSaveDialogWritesAndShowsNothing) {
  OpenResult(0);
  const auto filesBefore = fake_.files.files;
  const auto traceBefore = fake_.TraceLines();
  Result().Click(L"Save");
  EXPECT_EQ(fake_.files.files, filesBefore);
  EXPECT_TRUE(fake_.messageBoxes.shown.empty());
  EXPECT_EQ(fake_.TraceLines(), traceBefore);
}

TEST_F(ResultWindowTest, AFailedOrRefusedSaveSaysSoAndKeepsTheWindowAndTheFile) {
  OpenResult(6);
  fake_.files.files[L"C:\\ro.txt"] = "kept";
  fake_.files.targets[L"C:\\ro.txt"] = {.exists = true, .readOnly = true};
  const std::pair<std::wstring, std::wstring> rows[] = {
      {L"Q:\\missing\\out.txt", L"76: Path not found"},
      {L"C:\\ro.txt", L"75: Path/File access error"}};
  for (const auto& [path, error] : rows) {
    fake_.messageBoxes.shown.clear();
    fake_.saveDialog.answers = {path};
    Result().Click(L"Save");
    ASSERT_EQ(fake_.messageBoxes.shown.size(), 1u) << error;
    EXPECT_EQ(fake_.messageBoxes.shown[0].prompt, L"Error in FormIssueD.Save_Click: " + error +
                                                      L"\r\nThe text was not saved to " + path +
                                                      L".");
    EXPECT_EQ(fake_.messageBoxes.shown[0].title, L"Pravex");
    EXPECT_EQ(fake_.TraceLines().back(), L"FormIssueD.Save_Click() error: " + error);
  }
  EXPECT_EQ(fake_.files.Bytes(L"C:\\ro.txt"), "kept");
  EXPECT_TRUE(Loaded(L"FormIssueD"));
}

TEST_F(ResultWindowTest, ResizeFitsTheTextBoxAndLeavesTheButtons) {
  OpenResult(3);
  MemoryWindow& window = Result();
  const int text = ControlIndex(window.Def(), L"Text1");
  const int ftp = ControlIndex(window.Def(), L"FTP");
  const TwipsRect ftpBefore = window.ControlRect(ftp);
  const TwipsSize outer = window.OuterSize();
  EXPECT_EQ(window.ControlRect(text),
            (TwipsRect{120, 600, outer.width - 300, outer.height - 1200}));
  window.ResizeTo({outer.width + 1500, outer.height + 750});
  EXPECT_EQ(window.ControlRect(text),
            (TwipsRect{120, 600, outer.width + 1200, outer.height - 450}));
  window.ResizeTo({200, 1000});  // minimised: never a negative size
  EXPECT_EQ(window.ControlRect(text), (TwipsRect{120, 600, 0, 0}));
  EXPECT_EQ(window.ControlRect(ftp), ftpBefore);
}

TEST_F(ResultWindowTest, ClosingDeletesTheReportTracesAndEndsTheProgram) {
  OpenResult(5);
  EXPECT_EQ(name_, L"FormIssueC");
  Result().Close();
  EXPECT_FALSE(fake_.files.Exists(kReport));
  EXPECT_EQ(fake_.TraceLines().back(), L"FormIssueC.Form_Unload() 1: Temp file will be deleted");
  EXPECT_TRUE(fake_.windows.quit);
}

TEST_F(ResultWindowTest, ClosingWithDebugModeOffOnlyDeletesTheReport) {
  OpenResult(0, false);
  Result().Close();
  EXPECT_FALSE(fake_.files.Exists(kReport));
  EXPECT_FALSE(fake_.files.Exists(L"C:\\QuorvelPravexTrace.txt"));
}

TEST_F(ResultWindowTest, AReportAlreadyGoneOrLockedNeverStopsTheClose) {
  OpenResult(0);
  fake_.files.files.erase(kReport);
  Result().Close();
  EXPECT_TRUE(fake_.messageBoxes.shown.empty()) << "nothing left to delete is no failure";
  EXPECT_TRUE(fake_.windows.quit);

  FakePlatform fake;
  fake.objects.onRun = [&](const std::wstring&) {
    fake.files.files[kReport] = ToAnsi(std::wstring(config::kValidityMarker));
  };
  Program program(fake.platform);
  program.Start();
  fake.windows.Get(L"MainForm").Click(L"OptionZPX");
  fake.windows.Get(L"MainForm").Click(L"ButtonDiagnose");
  fake.files.failures[kReport] = 70;
  fake.windows.Get(L"FormResult").Close();
  ASSERT_EQ(fake.messageBoxes.shown.size(), 1u);
  EXPECT_EQ(fake.messageBoxes.shown[0].prompt,
            L"Error in FormResult.Form_Unload: 70: Permission denied\r\nThe report file " +
                std::wstring(kReport) + L" could not be deleted.");
  EXPECT_EQ(fake.windows.Find(L"FormResult"), nullptr);
  EXPECT_TRUE(fake.windows.quit);
}

TEST_F(ResultWindowTest, ClosingWithTheHelpWindowOpenKeepsTheProgram) {
  fake_.objects.onRun = [this](const std::wstring&) {
    fake_.files.files[kReport] = ToAnsi(std::wstring(config::kValidityMarker));
  };
  Start();
  Window(L"MainForm").ChooseMenu(L"MenuHelpContents");
  Window(L"MainForm").Click(L"OptionVastrel");
  Window(L"MainForm").Click(L"ButtonDiagnose");
  Window(L"FormResult").Close();
  EXPECT_FALSE(fake_.windows.quit);
  EXPECT_TRUE(Loaded(L"FormHelp"));
  Window(L"FormHelp").Close();
  EXPECT_TRUE(fake_.windows.quit);
}

TEST_F(ResultWindowTest, TheExpiredLicenseWindowReportsItsOwnLoadError) {
  fake_.objects.onRun = [this](const std::wstring&) {
    fake_.files.files[kReport] = ToAnsi(std::wstring(config::kValidityMarker) +
                                        std::wstring(ConfiguredTable().rows[0].marker));
  };
  Start();
  Window(L"MainForm").Click(L"OptionVastrel");
  fake_.windows.failSetText = true;
  Window(L"MainForm").Click(L"ButtonDiagnose");
  ASSERT_EQ(fake_.messageBoxes.shown.size(), 1u);
  EXPECT_EQ(fake_.messageBoxes.shown[0].prompt,
            L"Error in Form_Load for FormIssueA: 7: Out of memory");
  EXPECT_EQ(fake_.messageBoxes.shown[0].style, 0);
  EXPECT_EQ(fake_.messageBoxes.shown[0].title, L"Pravex");
  EXPECT_TRUE(Loaded(L"FormIssueA")) << "the window opens all the same";
}

}  // namespace
}  // namespace pravex::testing
