// Faults around a diagnosis: a status tool that prints a great deal, is not
// on the search path or never finishes; report and trace files that vanish
// or are held by another program; settings that are no Boolean. Each ends in
// a message the user can act on, with the program running on or ended
// cleanly, and nothing the user had is lost.
#include <windows.h>

#include <gtest/gtest.h>

#include <stdexcept>

#include "forms/main/main_form_def.h"
#include "forms/results/result_family.h"
#include "pravex_config.h"
#include "tests/e2e/diagnosis_fixture.h"
#include "tests/e2e/driver/ansi_text.h"
#include "tests/e2e/driver/clipboard.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/process_list.h"
#include "tests/e2e/driver/save_dialog.h"
#include "tests/e2e/driver/wide_text.h"
#include "tests/e2e/driver/window_input.h"
#include "tests/e2e/driver/window_probe.h"
#include "win32/handles.h"

namespace pravex::e2e {
namespace {

constexpr wchar_t kSavedCopy[] = L"C:\\pravex_e2e_fault_copy.txt";
constexpr std::wstring_view kTraceFailureEnd =
    L"\r\nThe trace file C:\\QuorvelPravexTrace.txt cannot be written; the tool goes on without "
    L"it.";

// Opens the file as a program that lets nobody else in would.
win32::UniqueFile HoldExclusively(const std::wstring& path) {
  win32::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_READ, 0, nullptr, OPEN_EXISTING,
                                       FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    throw std::runtime_error("could not hold " + Quoted(path) + " (error " +
                             std::to_string(::GetLastError()) + ")");
  }
  return file;
}

std::size_t TextLength(HWND window) {
  DWORD_PTR length = 0;
  if (!::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK, 5000,
                             &length)) {
    throw std::runtime_error(WindowName(window) + " did not answer WM_GETTEXTLENGTH");
  }
  return length;
}

class FaultTest : public DiagnosisTest {
 protected:
  // Saves the text box through Save as... and returns what was written.
  std::optional<std::string> SaveCopy(const ResultWindow& window) {
    DeleteFileIfPresent(kSavedCopy);
    PressButton(window.Control(L"Save"));
    SaveAs(WaitForSaveDialog(Pid(), kShowLimit), kSavedCopy, kCloseLimit);
    Settle(window);
    std::optional<std::string> saved = ReadFileBytes(kSavedCopy);
    DeleteFileIfPresent(kSavedCopy);
    return saved;
  }
  // The status tool and the interpreter processes that run it.
  static std::size_t ToolProcessCount() {
    return ProcessIdsNamed(std::wstring(config::kStatusCommand) + L".exe").size() +
           ProcessIdsNamed(L"cmd.exe").size() + ProcessIdsNamed(L"cmdshim.exe").size();
  }
  void ExpectMainWindowToActIn(HWND main) {
    EXPECT_EQ(FormWindows(MainFormDef()), std::vector<HWND>{main});
    EXPECT_TRUE(::IsWindowEnabled(main));
  }
};

class StatusToolFaultTest : public FaultTest {};

TEST_F(StatusToolFaultTest, ATwentyMegabyteReportIsShownAndSavedWhole) {
  environment.Set(L"PRAVEX_SAMPLE_BYTES", L"20000000");
  const ResultWindow window = OpenResultWindow(L"big", Product::kZpx, ResultKind::kResult);
  const std::string report = ReportBytes();
  ASSERT_EQ(report.size(), 20'000'000u);
  const std::wstring guidance = ComposeResultText(ResultKind::kResult, false, true, L"");
  EXPECT_EQ(TextLength(window.Control(L"Text1")), guidance.size() + AnsiToWide(report).size());

  const std::optional<std::string> saved = SaveCopy(window);
  const std::string expected = WideToAnsi(guidance) + report + "\r\n";
  ASSERT_TRUE(saved.has_value()) << "nothing was saved";
  EXPECT_EQ(saved->size(), expected.size());
  // Compared whole, but not printed whole.
  EXPECT_TRUE(*saved == expected) << "the saved copy is not the text box";
  EXPECT_EQ(CloseAndWaitForExit(window), 0u) << "exit code";
}

TEST_F(StatusToolFaultTest, AToolMissingFromTheSearchPathFailsTheDiagnosisKeepingTheComplaint) {
  environment.Set(L"PATH", EnvironmentBlock::Current().Get(L"PATH").value_or(L""));
  Launch();
  const HWND main = WaitForMainWindow();
  ChooseAndDiagnose(main, Product::kVastrel);
  const ShownBox box = WaitForBox();
  EXPECT_EQ(box.view.text, kDiagnosticFailed);
  EXPECT_EQ(box.icon, BoxIcon::kCritical);
  PressOk(box.view);
  Settle(main);
  const std::wstring report = ReportText();
  EXPECT_NE(report.find(config::kStatusCommand), std::wstring::npos)
      << "the interpreter's complaint should name the command: " << Quoted(report);
  ExpectMainWindowToActIn(main);
  ExitByMenu(main);
}

TEST_F(StatusToolFaultTest, AToolThatNeverFinishesIsAwaitedOnYesAndStoppedOnNo) {
  UseSample(L"slow");
  environment.Set(L"PRAVEX_SAMPLE_SECONDS", L"600");
  environment.Set(L"PRAVEX_STATUS_PATIENCE_SECONDS", L"2");
  Launch();
  const HWND main = WaitForMainWindow();
  ChooseAndDiagnose(main, Product::kVastrel);
  struct Row {
    const wchar_t* waited;
    int answer;
  };
  const Row rows[] = {{L"2 seconds", IDYES}, {L"4 seconds", IDNO}};
  for (std::size_t row = 0; row < std::size(rows); ++row) {
    const ShownBox box = WaitForBox();
    EXPECT_EQ(box.view.text, L"The status tool has been running for " +
                                 std::wstring(rows[row].waited) +
                                 L" and has not finished.\r\n\r\nKeep waiting for it? Choose No "
                                 L"to stop it; the diagnosis then goes on with what the tool has "
                                 L"written so far.")
        << "row " << row;
    EXPECT_EQ(box.view.title, L"Pravex") << "row " << row;
    EXPECT_EQ(box.icon, BoxIcon::kQuestion) << "row " << row;
    EXPECT_EQ(ProcessIdsNamed(std::wstring(config::kStatusCommand) + L".exe").size(), 1u)
        << "row " << row << ": the tool should still run";
    AnswerMessageBox(box.view.handle, rows[row].answer, kCloseLimit);
  }
  const ShownBox failed = WaitForBox();
  EXPECT_EQ(failed.view.text, kDiagnosticFailed);
  PressOk(failed.view);
  Settle(main);
  EXPECT_TRUE(PollUntil([] { return ToolProcessCount() == 0; }, kCloseLimit))
      << ToolProcessCount() << " tool or interpreter processes outlived the stop";
  EXPECT_EQ(ReportBytes(), "") << "the tool wrote nothing before it was stopped";
  ExpectMainWindowToActIn(main);
  ExitByMenu(main);
}

class ReportFileFaultTest : public FaultTest {};

TEST_F(ReportFileFaultTest, WithTheReportDeletedCopyAndSaveUseTheTextBoxAndCloseSaysNothing) {
  const ResultWindow window = OpenResultWindow(L"expired", Product::kVastrel, ResultKind::kIssueA);
  const std::wstring shown = window.Text();
  DeleteFileIfPresent(ReportPath());

  SetClipboardText(L"older clipboard text");
  PressButton(window.CopyButton());
  EXPECT_TRUE(PollUntil([&] { return ClipboardText() == shown; }, kCloseLimit))
      << "clipboard " << Quoted(ClipboardText().value_or(L"<no text>"));
  EXPECT_EQ(SaveCopy(window), WideToAnsi(shown + L"\r\n"));
  EXPECT_TRUE(FindMessageBoxes(Pid()).empty());
  // A box would keep the program from ending.
  EXPECT_EQ(CloseAndWaitForExit(window), 0u) << "exit code";
}

TEST_F(ReportFileFaultTest, AReportHeldOpenByAnotherProgramIsNamedOnCloseAndTheProgramEnds) {
  const ResultWindow window = OpenResultWindow(L"healthy", Product::kZpx, ResultKind::kResult);
  const std::wstring path = ReportPath();
  const std::string report = ReportBytes();
  {
    const win32::UniqueFile held = HoldExclusively(path);
    RequestClose(window.handle);
    const ShownBox box = WaitForBox();
    EXPECT_EQ(box.view.text,
              L"Error in FormResult.Form_Unload: 70: Permission denied\r\n"
              L"The report file " +
                  path + L" could not be deleted.");
    EXPECT_EQ(box.view.title, L"Pravex");
    EXPECT_EQ(box.icon, BoxIcon::kNone);
    PressOk(box.view);
    EXPECT_EQ(App().ExpectExit(kExitLimit), 0u) << "exit code";
  }
  EXPECT_EQ(ReadFileBytes(path), report) << "the report left behind changed";
}

TEST_F(ReportFileFaultTest, ATraceHeldOpenByAnotherProgramIsReportedOnceAndDiagnoseWorks) {
  const std::wstring trace(kTraceFile);
  const std::string earlier = "\"an earlier run\"\r\n";
  WriteFileBytes(trace, earlier);
  {
    const win32::UniqueFile held = HoldExclusively(trace);
    SetDebugMode(L"True");
    Launch();
    PressOk(WaitForMessageBox());  // the debug mode announcement
    const ShownBox box = WaitForBox();
    // Windows and Wine differ in how they refuse to replace a file in use.
    EXPECT_TRUE(box.view.text == L"Error in WriteTrace: 70: Permission denied" +
                                     std::wstring(kTraceFailureEnd) ||
                box.view.text == L"Error in WriteTrace: 75: Path/File access error" +
                                     std::wstring(kTraceFailureEnd))
        << Quoted(box.view.text);
    EXPECT_EQ(box.icon, BoxIcon::kNone);
    PressOk(box.view);

    const HWND main = WaitForMainWindow();
    EXPECT_EQ(TextOf(main), L"Quorvel Pravex Ver 1.00") << "start-up stopped";
    ChooseAndDiagnose(main, Product::kVastrel);
    const ResultWindow window = WaitForResultWindow(ResultKind::kResult);
    EXPECT_TRUE(FindMessageBoxes(Pid()).empty()) << "the failure was reported again";
    EXPECT_EQ(CloseAndWaitForExit(window), 0u) << "exit code";
  }
  EXPECT_EQ(TraceBytes(), earlier);
  EXPECT_EQ(FilesMatching(L"C:\\", L"QuorvelPravexTrace*"), std::vector<std::wstring>{trace})
      << "a temporary file was left behind";
}

class SettingFaultTest : public PravexTest {};

TEST_F(SettingFaultTest, OddDebugModeValuesAreReadAsNumbersOrReportedAsNoBoolean) {
  enum class Reading { kOn, kOff, kNoBoolean };
  struct Row {
    std::wstring value;
    Reading reading;
  };
  const Row rows[] = {
      {L" 1 ", Reading::kOn},
      {L"&H10", Reading::kOn},
      {L"1e3", Reading::kOn},
      {L"tRUE", Reading::kOn},
      {L"-0", Reading::kOff},
      {std::wstring(10000, L'y'), Reading::kNoBoolean},
      {L"Wahr\u00e9", Reading::kNoBoolean},
  };
  for (std::size_t row = 0; row < std::size(rows); ++row) {
    const Row& r = rows[row];
    DeleteFileIfPresent(std::wstring(kTraceFile));
    SetDebugMode(r.value);
    Launch();
    if (r.reading != Reading::kOff) {
      const MessageBoxView box = WaitForMessageBox();
      EXPECT_EQ(box.text, r.reading == Reading::kOn ? L"The tool will run in Debug Mode"
                                                    : L"Error in Form_Load: 13: Type mismatch")
          << "row " << row;
      PressOk(box);
    }
    const HWND main = WaitForMainWindow();
    EXPECT_TRUE(FindMessageBoxes(Pid()).empty()) << "row " << row;
    EXPECT_EQ(TextOf(main), r.reading == Reading::kNoBoolean ? L"" : L"Quorvel Pravex Ver 1.00")
        << "row " << row;
    EXPECT_EQ(TraceBytes(),
              r.reading == Reading::kOn ? std::optional<std::string>(kStartTrace) : std::nullopt)
        << "row " << row;
    EXPECT_EQ(DebugMode(), (RegistryValue{REG_SZ, r.reading == Reading::kOff ? L"False" : r.value}))
        << "row " << row;
    ExitByMenu(main);
  }
}

}  // namespace
}  // namespace pravex::e2e
