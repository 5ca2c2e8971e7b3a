#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "diagnosis/classification.h"
#include "pravex_config.h"
#include "tests/unit/scenarios/program_fixture.h"

namespace pravex::testing {
namespace {

using ::testing::ElementsAre;

constexpr const wchar_t* kReport = L"C:\\QuorvelPravexResult_3-3-2025_2-05-09_PM.txt";

constexpr const wchar_t* kDiagnosticFailed =
    L"Diagnostic failed. \r\nPossible cause: Vastrel/ZPX is not installed on the machine.";

std::wstring ValidReport(std::wstring_view extra = L"") {
  return std::wstring(config::kValidityMarker) + L"\r\nProduct OK\r\n" + std::wstring(extra);
}

class DiagnoseTest : public ProgramTest {
 protected:
  void SetUp() override {
    fake_.settings.values[L"DebugMode"] = L"True";
    // The status tool writes `report_` into the file named after the '>';
    // without `writeReport_` the run leaves no report file behind.
    fake_.objects.onRun = [this](const std::wstring& line) {
      const auto from = line.find(L'>') + 1;
      const auto to = line.rfind(L" 2<&1");
      const std::wstring path = line.substr(from, to - from);
      if (writeReport_) {
        fake_.files.files[path] = ToAnsi(report_);
      } else {
        fake_.files.files.erase(path);
      }
    };
  }

  void Press(std::wstring_view option) {
    Start();
    if (!option.empty()) Window(L"MainForm").Click(option);
    fake_.log.clear();
    traceBefore_ = fake_.TraceLines().size();
    Window(L"MainForm").Click(L"ButtonDiagnose");
  }

  std::vector<std::wstring> NewTrace() const {
    const auto all = fake_.TraceLines();
    return {all.begin() + static_cast<std::ptrdiff_t>(traceBefore_), all.end()};
  }

  std::wstring report_ = ValidReport();
  bool writeReport_ = true;
  std::size_t traceBefore_ = 0;
};

TEST_F(DiagnoseTest, NoProductChosenWarnsAndRunsNothing) {
  Press(L"");
  EXPECT_THAT(NewTrace(), ElementsAre(L"ButtonDiagnose_Click() 1: Button pressed",
                                      L"ButtonDiagnose_Click() 17: Exiting module"));
  ASSERT_EQ(fake_.messageBoxes.shown.size(), 2u);
  EXPECT_EQ(fake_.messageBoxes.shown[1].prompt,
            L"Select the tool type: Vastrel or ZPX tool other than Vastrel");
  EXPECT_EQ(fake_.messageBoxes.shown[1].style, 48);
  EXPECT_EQ(fake_.messageBoxes.shown[1].title, L"Pravex");
  // The warning is shown with the hourglass still up.
  std::vector<std::wstring> steps;
  for (const auto& entry : fake_.log) {
    if (!entry.starts_with(L"append: ")) steps.push_back(entry);
  }
  EXPECT_THAT(steps, ElementsAre(L"pointer: 11",
                                 L"msgbox: Select the tool type: Vastrel or ZPX tool other than "
                                 L"Vastrel",
                                 L"pointer: 0"));
  // The press is traced before the hourglass shows.
  ASSERT_GE(fake_.log.size(), 2u);
  EXPECT_EQ(fake_.log[0], L"append: C:\\QuorvelPravexTrace.txt");
  EXPECT_EQ(fake_.log[1], L"pointer: 11");
  EXPECT_TRUE(fake_.Entries(L"run: ").empty());
  const Module1& m = program().module1;
  EXPECT_FALSE(m.bDiagnosed);
  EXPECT_FALSE(m.bChoseVastrel);
  EXPECT_FALSE(m.bChoseZpx);
  EXPECT_TRUE(Loaded(L"MainForm"));
}

TEST_F(DiagnoseTest, RunsTheToolForTheChosenProductHiddenAndWaiting) {
  const std::pair<const wchar_t*, std::wstring_view> cases[] = {
      {L"OptionVastrel", config::kArgVastrel}, {L"OptionZPX", config::kArgZpx}};
  for (std::size_t row = 0; row < std::size(cases); ++row) {
    FakePlatform fake;
    fake.objects.onRun = [&](const std::wstring&) {};
    Program program(fake.platform);
    program.Start();
    fake.windows.Get(L"MainForm").Click(cases[row].first);
    fake.windows.Get(L"MainForm").Click(L"ButtonDiagnose");
    // The report is made for the user alone before the tool writes into it.
    std::vector<std::wstring> steps;
    for (const auto& entry : fake.log) {
      if (entry.starts_with(L"run: ") || entry.starts_with(L"private: ")) steps.push_back(entry);
    }
    EXPECT_THAT(steps, ElementsAre(L"private: " + std::wstring(kReport),
                                   L"run: %ComSpec% /c " + std::wstring(config::kStatusCommand) +
                                       L" " + std::wstring(cases[row].second) + L">" + kReport +
                                       L" 2<&1 [style 0, wait]"))
        << "row " << row;
    EXPECT_EQ(program.module1.bChoseVastrel, row == 0) << "row " << row;
    EXPECT_EQ(program.module1.bChoseZpx, row == 1) << "row " << row;
    EXPECT_EQ(program.module1.sResultFile, kReport) << "row " << row;
  }
}

TEST_F(DiagnoseTest, OpensTheWindowOfTheFirstMatchingRowAndUnloadsTheMainWindow) {
  const ClassificationTable& table = ConfiguredTable();
  struct Case {
    int row;
    const wchar_t* window;
  };
  const Case cases[] = {{0, L"FormResult"}, {1, L"FormIssueA"}, {2, L"FormIssueB"},
                        {3, L"FormIssueB"}, {4, L"FormIssueC"}, {5, L"FormIssueC"},
                        {6, L"FormIssueD"}};
  for (const Case& c : cases) {
    FakePlatform fake;
    fake.settings.values[L"DebugMode"] = L"True";
    const std::wstring report =
        ValidReport(c.row ? std::wstring(table.rows[c.row - 1].marker) : L"all fine");
    fake.objects.onRun = [&](const std::wstring& line) {
      const auto from = line.find(L'>') + 1;
      fake.files.files[line.substr(from, line.rfind(L" 2<&1") - from)] = ToAnsi(report);
    };
    Program program(fake.platform);
    program.Start();
    fake.windows.Get(L"MainForm").Click(L"OptionZPX");
    fake.windows.Get(L"MainForm").Click(L"ButtonDiagnose");

    const std::wstring detected =
        c.row ? L"ButtonDiagnose_Click() " + std::to_wstring(9 + c.row) + L": " +
                    std::wstring(table.rows[c.row - 1].label) + L" detected"
              : L"ButtonDiagnose_Click() 16: No error detected and will show Result form and "
                L"unload main form";
    EXPECT_THAT(fake.TraceLines(),
                ElementsAre(L"Form_Load() 1: Starting app", L"ExecCommand() 1: Will create objects",
                            L"ButtonDiagnose_Click() 1: Button pressed",
                            L"ButtonDiagnose_Click() 4: Going to call ExecCommand",
                            L"ExecCommand() 2: Will obtain date and time",
                            L"ExecCommand() 3: Will run command",
                            L"ExecCommand() 4: Will check to see if the output temp file exists",
                            L"ExecCommand() 5: File exists",
                            L"ButtonDiagnose_Click() 5: ExecCommand returned",
                            L"ButtonDiagnose_Click() 5: Going to check the texts in result file",
                            detected, L"ButtonDiagnose_Click() 17: Exiting module"))
        << "row " << c.row;
    EXPECT_NE(fake.windows.Find(c.window), nullptr) << "row " << c.row;
    EXPECT_EQ(fake.windows.Find(L"MainForm"), nullptr) << "row " << c.row;
    EXPECT_TRUE(program.module1.bDiagnosed) << "row " << c.row;
    MemoryWindow& result = fake.windows.Get(c.window);
    EXPECT_TRUE(result.Text(ControlIndex(result.Def(), L"Text1")).ends_with(report))
        << "row " << c.row << ": the window took the report over";
    EXPECT_FALSE(fake.windows.quit) << "row " << c.row;
    EXPECT_EQ(fake.mousePointer.current, 0) << "row " << c.row;
    EXPECT_TRUE(fake.files.Exists(kReport)) << "the report stays until the window closes";
  }
}

TEST_F(DiagnoseTest, AReportWithoutTheValidityMarkerFailsAndTheMainWindowStays) {
  report_ = L"'qvstatus' is not recognized as an internal or external command,\r\n" +
            std::wstring(ConfiguredTable().rows[1].marker);
  Press(L"OptionVastrel");
  EXPECT_THAT(NewTrace(), ::testing::Contains(L"ButtonDiagnose_Click() 6: Diagnostic failed."));
  EXPECT_EQ(NewTrace().back(), L"ButtonDiagnose_Click() 17: Exiting module");
  ASSERT_EQ(fake_.messageBoxes.shown.size(), 2u);
  EXPECT_EQ(fake_.messageBoxes.shown[1].prompt,
            L"Diagnostic failed. \r\nPossible cause: Vastrel/ZPX is not installed on the machine.");
  EXPECT_EQ(fake_.messageBoxes.shown[1].style, 16);
  EXPECT_EQ(fake_.messageBoxes.shown[1].title, L"Pravex");
  EXPECT_TRUE(Loaded(L"MainForm"));
  EXPECT_TRUE(fake_.files.Exists(kReport));
  EXPECT_TRUE(program().module1.bDiagnosed);
  EXPECT_EQ(fake_.windows.created, 1) << "no result window";
  // The report was read and let go, and the pointer is back before the box.
  EXPECT_THAT(fake_.Entries(L"stream: "), ElementsAre(L"stream: read", L"stream: close"));
  std::vector<std::wstring> steps;
  for (const auto& entry : fake_.log) {
    if (entry.starts_with(L"pointer: ") || entry.starts_with(L"msgbox: ")) steps.push_back(entry);
  }
  EXPECT_THAT(steps, ElementsAre(L"pointer: 11", L"pointer: 0",
                                 L"msgbox: Diagnostic failed. \r\nPossible cause: Vastrel/ZPX is "
                                 L"not installed on the machine.",
                                 L"pointer: 0"));
}

TEST_F(DiagnoseTest, NoReportFileGivesAnEmptyTextAndTheFailureMessage) {
  writeReport_ = false;
  Press(L"OptionZPX");
  const std::vector<std::wstring> trace = NewTrace();
  ASSERT_EQ(trace.size(), 10u);
  EXPECT_EQ(trace[5], L"ExecCommand() 6: File does NOT exist");
  EXPECT_EQ(trace[8], L"ButtonDiagnose_Click() 6: Diagnostic failed.");
  EXPECT_EQ(program().module1.sResultText, L"");
  EXPECT_TRUE(program().module1.bDiagnosed);
  EXPECT_TRUE(program().module1.bChoseZpx);
}

TEST_F(DiagnoseTest, AnEmptyReportFailsWithoutAReadingError) {
  report_ = L"";
  Press(L"OptionZPX");
  ASSERT_EQ(fake_.messageBoxes.shown.size(), 2u);
  EXPECT_EQ(fake_.messageBoxes.shown[1].style, 16);
}

TEST_F(DiagnoseTest, WithoutTheSharedObjectsExecCommandTrapsAndTheRunFails) {
  fake_.objects.failCreateWith = 429;
  Press(L"OptionVastrel");
  EXPECT_THAT(
      Prompts(),
      ElementsAre(L"The tool will run in Debug Mode",
                  L"Error in Form_Load: 429: ActiveX component can't create object",
                  L"Error in ExecCommand: 91: Object variable or With block variable not set",
                  L"Diagnostic failed. \r\nPossible cause: Vastrel/ZPX is not installed on "
                  L"the machine."));
  EXPECT_THAT(NewTrace(), ::testing::Contains(L"ExecCommand() error: 91: Object variable or With "
                                              L"block variable not set"));
  EXPECT_TRUE(Loaded(L"MainForm"));
}

TEST_F(DiagnoseTest, AnUnreadableReportIsTrappedAndTheRunFails) {
  fake_.objects.onRun = [this](const std::wstring&) {
    fake_.files.files[kReport] = "x";
    fake_.files.failures[kReport] = 70;
  };
  Press(L"OptionVastrel");
  EXPECT_EQ(Prompts()[1], L"Error in ExecCommand: 70: Permission denied");
  EXPECT_EQ(fake_.messageBoxes.shown[2].style, 16);
  EXPECT_TRUE(program().module1.bDiagnosed);
  EXPECT_THAT(fake_.Entries(L"stream: "), ElementsAre(L"stream: close"))
      << "the reader stayed open";
}

TEST(ReportFile, OneThatCannotBeMadeStopsTheRunUnlessThereIsNoDriveAtAll) {
  struct Row {
    int failure;
    bool runs;
    std::vector<std::wstring> prompts;
  };
  const Row rows[] = {
      // Someone else's file in the way, held open: nothing of theirs is written to.
      {70, false, {L"Error in ExecCommand: 70: Permission denied", kDiagnosticFailed}},
      // No drive C:: as before, the redirection fails and the run has no report.
      {76, true, {kDiagnosticFailed}},
  };
  for (const Row& row : rows) {
    FakePlatform fake;
    fake.files.failures[kReport] = row.failure;
    Program program(fake.platform);
    program.Start();
    fake.windows.Get(L"MainForm").Click(L"OptionVastrel");
    fake.windows.Get(L"MainForm").Click(L"ButtonDiagnose");
    EXPECT_EQ(fake.Entries(L"run: ").size(), row.runs ? 1u : 0u) << row.failure;
    std::vector<std::wstring> prompts;
    for (const auto& shown : fake.messageBoxes.shown) prompts.push_back(shown.prompt);
    EXPECT_EQ(prompts, row.prompts) << row.failure;
  }
}

TEST_F(DiagnoseTest, AnErrorInTheHandlerIsTrappedAndClearsTheHourglass) {
  // A failure in the handler's own step, not inside ExecCommand: at the
  // warning, shown under the hourglass, and at the failure message.
  for (const int failingStyle : {48, 16}) {
    FakePlatform fake;
    fake.messageBoxes.onShow = [&](const ShownMessage& shown) {
      if (shown.style == failingStyle) throw HostError(5);
    };
    Program program(fake.platform);
    program.Start();
    if (failingStyle == 16) fake.windows.Get(L"MainForm").Click(L"OptionVastrel");
    fake.windows.Get(L"MainForm").Click(L"ButtonDiagnose");
    ASSERT_FALSE(fake.messageBoxes.shown.empty()) << failingStyle;
    EXPECT_EQ(fake.messageBoxes.shown.back().prompt,
              L"Error in ButtonDiagnose_Click: 5: Invalid procedure call or argument")
        << failingStyle;
    EXPECT_EQ(fake.mousePointer.current, 0) << failingStyle;
    EXPECT_EQ(fake.Entries(L"pointer: ").back(), L"pointer: 0") << failingStyle;
    EXPECT_NE(fake.windows.Find(L"MainForm"), nullptr) << failingStyle;
  }
}

TEST_F(DiagnoseTest, InputArrivingWhileAPressRunsIsDroppedNotRunInsideIt) {
  struct Row {
    const char* what;
    void (*act)(MemoryWindow& main);
  };
  const Row rows[] = {
      {"Diagnose", [](MemoryWindow& main) { main.Click(L"ButtonDiagnose"); }},
      {"close box", [](MemoryWindow& main) { main.Close(); }},
      {"Exit", [](MemoryWindow& main) { main.ChooseMenu(L"MenuExit"); }},
      {"Help", [](MemoryWindow& main) { main.ChooseMenu(L"MenuHelpContents"); }},
  };
  for (const Row& row : rows) {
    for (const bool duringTheBox : {false, true}) {
      FakePlatform fake;
      MemoryWindow* main = nullptr;
      fake.objects.onRun = [&](const std::wstring&) {
        if (!duringTheBox) row.act(*main);
      };
      fake.messageBoxes.onShow = [&](const ShownMessage& shown) {
        if (duringTheBox && shown.style == 16) row.act(*main);
      };
      Program program(fake.platform);
      program.Start();
      main = &fake.windows.Get(L"MainForm");
      main->Click(L"OptionVastrel");
      main->Click(L"ButtonDiagnose");  // no report: "Diagnostic failed."
      const std::string where =
          std::string(row.what) + (duringTheBox ? " in the box" : " in the run");
      EXPECT_EQ(fake.Entries(L"run: ").size(), 1u) << where;
      EXPECT_EQ(fake.messageBoxes.shown.size(), 1u) << where;
      EXPECT_NE(fake.windows.Find(L"MainForm"), nullptr) << where;
      EXPECT_EQ(fake.windows.Find(L"FormHelp"), nullptr) << where;
      // Afterwards the window takes input again.
      main->ChooseMenu(L"MenuExit");
      EXPECT_EQ(fake.windows.Find(L"MainForm"), nullptr) << where;
    }
  }
}

TEST_F(DiagnoseTest, ATooLongRunAsksAfterEachPatienceAndNoStopsTheTool) {
  struct Row {
    const wchar_t* patience;  // null: the setting is absent
    long long runsFor;
    std::vector<int> answers;
    std::vector<std::wstring> asked;  // how long it had run at each question
    bool stopped;
  };
  const Row rows[] = {
      {nullptr, 100, {}, {}, false},
      {nullptr, 300, {mb::kAnswerYes, mb::kAnswerYes}, {L"2 minutes", L"4 minutes"}, false},
      {L"30", 70, {mb::kAnswerNo}, {L"30 seconds"}, true},
      {L"60", 200, {mb::kAnswerYes, mb::kAnswerNo}, {L"1 minute", L"2 minutes"}, true},
  };
  for (std::size_t row = 0; row < std::size(rows); ++row) {
    FakePlatform fake;
    if (rows[row].patience)
      fake.objects.environment[L"PRAVEX_STATUS_PATIENCE_SECONDS"] = rows[row].patience;
    fake.objects.runsFor = std::chrono::seconds(rows[row].runsFor);
    std::size_t answered = 0;
    std::vector<std::wstring> asked;
    fake.messageBoxes.onShow = [&](const ShownMessage& shown) {
      if (shown.style != (mb::kQuestion | mb::kYesNo)) return;
      EXPECT_EQ(shown.title, L"Pravex") << "row " << row;
      const std::wstring start = L"The status tool has been running for ";
      const std::wstring rest =
          L" and has not finished.\r\n\r\nKeep waiting for it? Choose No to stop it; the diagnosis "
          L"then goes on with what the tool has written so far.";
      ASSERT_TRUE(shown.prompt.starts_with(start) && shown.prompt.ends_with(rest)) << "row " << row;
      asked.push_back(
          shown.prompt.substr(start.size(), shown.prompt.size() - start.size() - rest.size()));
      fake.messageBoxes.nextAnswer = rows[row].answers.at(answered++);
    };
    Program program(fake.platform);
    program.Start();
    fake.windows.Get(L"MainForm").Click(L"OptionVastrel");
    fake.windows.Get(L"MainForm").Click(L"ButtonDiagnose");
    EXPECT_EQ(asked, rows[row].asked) << "row " << row;
    EXPECT_EQ(fake.Entries(L"stop: ").size(), rows[row].stopped ? 1u : 0u) << "row " << row;
    // Either way the diagnosis goes on with what the tool wrote.
    EXPECT_EQ(fake.messageBoxes.shown.back().style, 16) << "row " << row;
  }
}

TEST_F(DiagnoseTest, ASecondPressAfterAFailureMakesANewReportAndKeepsTheFirst) {
  report_ = L"no marker";
  Press(L"OptionZPX");
  fake_.clock.now.second = 10;
  Window(L"MainForm").Click(L"OptionVastrel");
  Window(L"MainForm").Click(L"ButtonDiagnose");
  EXPECT_TRUE(fake_.files.Exists(kReport));
  EXPECT_TRUE(fake_.files.Exists(L"C:\\QuorvelPravexResult_3-3-2025_2-05-10_PM.txt"));
  EXPECT_EQ(program().module1.sResultFile, L"C:\\QuorvelPravexResult_3-3-2025_2-05-10_PM.txt");
  EXPECT_TRUE(program().module1.bChoseVastrel);
  EXPECT_FALSE(program().module1.bChoseZpx) << "the first press's product is forgotten";
}

}  // namespace
}  // namespace pravex::testing
