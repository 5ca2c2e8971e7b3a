#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/save_policy.h"
#include "diagnosis/classification.h"
#include "forms/results/result_form_def.h"
#include "pravex_config.h"
#include "tests/unit/scenarios/program_fixture.h"

namespace pravex::testing {
namespace {

using ::testing::ElementsAre;

constexpr const wchar_t* kReport = L"C:\\QuorvelPravexResult_3-3-2025_2-05-09_PM.txt";

// A program of its own whose diagnosis of a healthy report has just opened
// FormResult, with the help window opened before it if asked.
void OpenHealthyResult(FakePlatform& fake, Program& program, bool withHelp = false) {
  fake.objects.onRun = [&fake](const std::wstring&) {
    fake.files.files[kReport] = ToAnsi(std::wstring(config::kValidityMarker));
  };
  program.Start();
  if (withHelp) fake.windows.Get(L"MainForm").ChooseMenu(L"MenuHelpContents");
  fake.windows.Get(L"MainForm").Click(L"OptionZPX");
  fake.windows.Get(L"MainForm").Click(L"ButtonDiagnose");
}

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
  // A copy that fails leaves the user's clipboard as it was.
  fake_.clipboard.failWith = error::kOutOfMemory;
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

// Saves of "new text\r\n" (10 bytes) to C:\x.txt, which holds `before` (null:
// no file) and is of `kind`; temporary files are named C:\pvx1A2B.tmp.
class SaveTest : public ResultWindowTest {
 protected:
  using Swap = FakeFileSystem::Swap;
  static constexpr const wchar_t* kPath = L"C:\\x.txt";
  static constexpr const wchar_t* kTemporary = L"C:\\pvx1A2B.tmp";
  static constexpr const char* kLonger = "an older, longer text";

  void SetUp() override {
    OpenResult(6);
    Result().Type(L"Text1", L"new text");
  }
  void Save(const char* before, const SaveTarget& kind, Swap swap) {
    fake_.files.files.erase(kPath);
    if (before) fake_.files.files[kPath] = before;
    fake_.files.targets[kPath] = kind;
    fake_.files.swap = swap;
    fake_.files.nextTemporary = 0x1A2B;
    fake_.saveDialog.answers = {kPath};
    fake_.messageBoxes.shown.clear();
    fake_.log.clear();
    Result().Click(L"Save");
  }
  // The file steps taken, short: "create t, write t@0, end t@10, replace x t".
  std::wstring Steps() const {
    std::wstring steps;
    for (std::wstring entry : fake_.log) {
      for (const auto& [from, to] : {std::pair<std::wstring_view, std::wstring_view>{kPath, L"x"},
                                     {kTemporary, L"t"},
                                     {L":", L""},
                                     {L" at ", L"@"},
                                     {L" with ", L" "},
                                     {L" to ", L" "}}) {
        for (std::size_t at; (at = entry.find(from)) != std::wstring::npos;) {
          entry.replace(at, from.size(), to);
        }
      }
      steps += (steps.empty() ? L"" : L", ") + entry;
    }
    return steps;
  }
};

// What goes beyond the old end is written first: it takes the room the text
// needs before any old byte changes.
TEST_F(SaveTest, ReplacesAPlainFileAndWritesOverOthersReservingTheRoomFirst) {
  using enum FakeFileSystem::Swap;
  const SaveTarget plain{}, link{.hardLinks = 2}, held{.openWithoutDeleteSharing = true};
  const std::wstring replaced = L"create t, write t@0, end t@10, replace x t";
  const std::wstring inPlace = L"open x, write x@3, write x@0, end x@10";
  struct Row {
    const char* target;
    const char* before;
    SaveTarget kind;
    bool newFiles;  // the folder takes a new file
    Swap swap;
    std::wstring steps;
  };
  const Row rows[] = {
      {"new file", nullptr, plain, true, kSwaps, L"create x, write x@0, end x@10"},
      {"plain file", "old", plain, true, kSwaps, replaced},
      {"hard link, shorter", "old", link, true, kSwaps, inPlace},
      {"held open, longer", kLonger, held, true, kSwaps, L"open x, write x@0, end x@10"},
      {"no new file", "old", plain, false, kSwaps, inPlace},
      {"no swap", "old", plain, true, kChangesNothing, replaced + L", kill t, " + inPlace},
      {"swap removes the old file", "old", plain, true, kRemovesTheOldFile,
       replaced + L", rename t x"},
  };
  for (const Row& row : rows) {
    fake_.files.foldersTakeNewFiles = row.newFiles;
    Save(row.before, row.kind, row.swap);
    EXPECT_EQ(Steps(), row.steps) << row.target;
    EXPECT_EQ(fake_.files.Bytes(kPath), "new text\r\n") << row.target;
    EXPECT_FALSE(fake_.files.Exists(kTemporary)) << row.target;
    EXPECT_TRUE(fake_.messageBoxes.shown.empty()) << row.target;
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

TEST_F(SaveTest, AFailedSaveSaysWhereTheTextIsAndLeavesNoDamagedFile) {
  enum class Left { kWindow, kIncomplete, kTemporaryFile };
  using enum Left;
  const std::wstring lastLines[] = {
      L"The text was not saved to C:\\x.txt; it is still in this window.",
      L"The text was not saved to C:\\x.txt, which may now be incomplete; the text is still in "
      L"this window.",
      L"The old C:\\x.txt was removed, but the new one could not take its name: the text is in "
      L"C:\\pvx1A2B.tmp."};
  const SaveTarget plain{}, link{.hardLinks = 2}, readOnly{.readOnly = true};
  struct Row {
    const char* failure;
    const char* before;
    SaveTarget kind;
    std::map<std::wstring, int> failingSteps;
    int error;          // the one reported
    const char* after;  // null: no file
    Left left;          // a temporary file: the swap removed the old file
  };
  const Row rows[] = {
      {"read-only", "old", readOnly, {}, 75, "old", kWindow},
      {"new file, disk full", nullptr, plain, {{L"write", 61}}, 61, nullptr, kWindow},
      {"not removed", nullptr, plain, {{L"write", 61}, {L"discard", 70}}, 61, "", kIncomplete},
      {"plain file, disk full", "old", plain, {{L"write", 61}}, 61, "old", kWindow},
      {"plain file, late error", "old", plain, {{L"flush", 57}}, 57, "old", kWindow},
      {"link, disk full", "old", link, {{L"write", 61}}, 61, "old", kWindow},
      {"link, uncut", "old", link, {{L"write", 61}, {L"end", 57}}, 61, "old te", kIncomplete},
      {"link, dropped", kLonger, link, {{L"write", 57}}, 57, "new tder, longer text", kIncomplete},
      {"no rename", "old", plain, {{L"rename", 75}}, 75, nullptr, kTemporaryFile},
  };
  for (const Row& row : rows) {
    fake_.files.failingSteps = row.failingSteps;
    Save(row.before, row.kind,
         row.left == kTemporaryFile ? Swap::kRemovesTheOldFile : Swap::kSwaps);
    const std::wstring error = ErrorText({row.error, std::wstring(ErrorDescription(row.error))});
    ASSERT_EQ(fake_.messageBoxes.shown.size(), 1u) << row.failure;
    EXPECT_EQ(fake_.messageBoxes.shown[0].prompt, L"Error in FormIssueD.Save_Click: " + error +
                                                      L"\r\n" +
                                                      lastLines[static_cast<int>(row.left)])
        << row.failure;
    EXPECT_EQ(fake_.messageBoxes.shown[0].title, L"Pravex") << row.failure;
    EXPECT_EQ(fake_.TraceLines().back(), L"FormIssueD.Save_Click() error: " + error) << row.failure;
    if (row.after) {
      EXPECT_EQ(fake_.files.Bytes(kPath), row.after) << row.failure;
    } else {
      EXPECT_FALSE(fake_.files.Exists(kPath)) << row.failure;
    }
    // A temporary file stays only when it holds the only copy of the text.
    EXPECT_EQ(fake_.files.Exists(kTemporary), row.left == kTemporaryFile) << row.failure;
    fake_.files.files.erase(kTemporary);
    EXPECT_TRUE(Loaded(L"FormIssueD")) << row.failure;
  }
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
  Program program(fake.platform);
  OpenHealthyResult(fake, program);
  fake.files.failures[kReport] = 70;
  fake.windows.Get(L"FormResult").Close();
  ASSERT_EQ(fake.messageBoxes.shown.size(), 1u);
  EXPECT_EQ(fake.messageBoxes.shown[0].prompt,
            L"Error in FormResult.Form_Unload: 70: Permission denied\r\nThe report file " +
                std::wstring(kReport) + L" could not be deleted.");
  EXPECT_EQ(fake.windows.Find(L"FormResult"), nullptr);
  EXPECT_TRUE(fake.windows.quit);
}

TEST(SessionEnd, DeletesTheReportWhateverWindowIsUp) {
  // Logging off ends the process without closing its windows; Send's contact
  // window is modal and its handler is still running.
  for (const bool underContactWindow : {false, true}) {
    FakePlatform fake;
    Program program(fake.platform);
    OpenHealthyResult(fake, program, true);
    const auto endSession = [&] {
      for (const wchar_t* form : {L"ContactInfoForm", L"FormResult", L"FormHelp"}) {
        if (MemoryWindow* window = fake.windows.Find(form)) window->EndSession();
      }
    };
    fake.windows.onModal = [&](MemoryWindow&) { endSession(); };
    if (underContactWindow) {
      fake.windows.Get(L"FormResult").Click(L"FTP");
    } else {
      endSession();
    }
    EXPECT_FALSE(fake.files.Exists(kReport)) << underContactWindow;
    EXPECT_TRUE(fake.windows.quit) << underContactWindow;
    EXPECT_TRUE(fake.Entries(L"inet: ").empty()) << underContactWindow;
  }
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
