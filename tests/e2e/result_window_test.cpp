// A result window: Copy to Clipboard, its text box following the window's
// size, and closing it, which deletes the report and ends the program.
#include <windows.h>

#include <gtest/gtest.h>

#include "forms/help/help_form_def.h"
#include "tests/e2e/diagnosis_fixture.h"
#include "tests/e2e/driver/clipboard.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/wide_text.h"
#include "tests/e2e/driver/window_input.h"
#include "tests/e2e/driver/window_probe.h"

namespace pravex::e2e {
namespace {

// Long enough for an exit that was going to happen to have happened.
constexpr Milliseconds kStillRunningCheck{1000};
constexpr Milliseconds kCopyLimit{5000};

class ResultWindowTest : public DiagnosisTest {
 protected:
  // Presses Copy to Clipboard over a clipboard holding something else and
  // returns what the clipboard holds once it has changed.
  std::optional<std::wstring> CopyOverOlderText(const ResultWindow& window) {
    const std::wstring older = L"older clipboard text";
    SetClipboardText(older);
    PressButton(window.CopyButton());
    std::optional<std::wstring> copied;
    PollUntil(
        [&] {
          copied = ClipboardText();
          return copied != older;
        },
        kCopyLimit);
    return copied;
  }
};

TEST_F(ResultWindowTest, CopyPutsExactlyTheTextBoxOnTheClipboardAlsoAfterAnEdit) {
  struct Row {
    const wchar_t* sample;
    ResultKind kind;
  };
  // The expired-license window's copy button has a name of its own.
  const Row rows[] = {{L"healthy", ResultKind::kResult}, {L"expired", ResultKind::kIssueA}};
  for (std::size_t row = 0; row < std::size(rows); ++row) {
    SCOPED_TRACE("row " + std::to_string(row));
    const ResultWindow window = OpenResultWindow(rows[row].sample, Product::kZpx, rows[row].kind);
    EXPECT_EQ(CopyOverOlderText(window), window.Text()) << "row " << row << ": as shown";

    const std::wstring edited = L"edited by the user\r\nsecond line \u00e9";
    ReplaceText(window.Control(L"Text1"), edited);
    EXPECT_EQ(CopyOverOlderText(window), edited) << "row " << row << ": after an edit";
    EXPECT_EQ(CloseAndWaitForExit(window), 0u) << "row " << row << ": exit code";
  }
}

// At 96 dpi, 300 x 1200 twips are 20 x 80 pixels.
TEST_F(ResultWindowTest, TheTextBoxFollowsTheWindowSizeAndTheButtonsStay) {
  if (ScreenDpi() != 96) GTEST_SKIP() << "the pixel sizes hold at 96 dpi";
  struct Row {
    const wchar_t* sample;
    ResultKind kind;
    int textLeft;  // pixels
  };
  // The crashed-service window's text box starts further left than the others:
  // 100 twips instead of 120.
  const Row windows[] = {{L"healthy", ResultKind::kResult, 8},
                         {L"crashed", ResultKind::kIssueC, 7}};
  for (std::size_t w = 0; w < std::size(windows); ++w) {
    const ResultWindow window =
        OpenResultWindow(windows[w].sample, Product::kVastrel, windows[w].kind);
    const std::wstring_view buttons[] = {VariantOf(window.kind).copyButtonName, L"Save", L"FTP"};
    std::vector<PixelRect> buttonsBefore;
    for (const std::wstring_view button : buttons) {
      buttonsBefore.push_back(RectInParent(window.Control(button)));
    }
    const int textLeft = windows[w].textLeft;

    // Row 0: as first shown.
    const PixelSize sizes[] = {
        OuterSize(window.handle), {900, 600}, {500, 300}, {1100, 700}, {740, 480}};
    for (std::size_t row = 0; row < std::size(sizes); ++row) {
      const PixelSize outer = sizes[row];
      if (row > 0) ResizeOuter(window.handle, outer);
      ASSERT_EQ(OuterSize(window.handle), outer) << "window " << w << ", row " << row;
      const PixelRect expected{textLeft, 40, outer.width - 20, outer.height - 80};
      PixelRect actual;
      const bool fitted = PollUntil(
          [&] {
            actual = RectInParent(window.Control(L"Text1"));
            return actual == expected;
          },
          kCloseLimit);
      EXPECT_TRUE(fitted) << "window " << w << ", row " << row << ": outer " << outer
                          << ", text box " << actual << ", expected " << expected;
      for (std::size_t b = 0; b < std::size(buttons); ++b) {
        EXPECT_EQ(RectInParent(window.Control(buttons[b])), buttonsBefore[b])
            << "window " << w << ", row " << row << ", button " << Utf8(buttons[b]);
      }
    }
    EXPECT_EQ(CloseAndWaitForExit(window), 0u) << "window " << w << ": exit code";
  }
}

TEST_F(ResultWindowTest, ClosingWithDebugModeOffDeletesTheReportAndWritesNoTrace) {
  const ResultWindow window = OpenResultWindow(L"stopped", Product::kZpx, ResultKind::kIssueD);
  const std::wstring report = ReportPath();
  EXPECT_EQ(CloseAndWaitForExit(window), 0u) << "exit code";
  EXPECT_FALSE(FileExists(report));
  EXPECT_EQ(TraceBytes(), std::nullopt);
}

TEST_F(ResultWindowTest, ClosingWithTheHelpWindowOpenEndsTheProgramOnlyWhenHelpCloses) {
  Launch();
  const HWND main = WaitForMainWindow();
  ChooseMainMenu(main, L"MenuHelpContents");
  const HWND help = WaitForHelpWindow();
  ChooseAndDiagnose(main, Product::kVastrel);
  const ResultWindow window = WaitForResultWindow(ResultKind::kResult);
  const std::wstring report = ReportPath();

  RequestClose(window.handle);
  WaitUntilFormClosed(window.Def());
  EXPECT_FALSE(FileExists(report));
  EXPECT_EQ(FormWindows(FormHelpDef()), std::vector<HWND>{help});
  EXPECT_EQ(App().WaitForExit(kStillRunningCheck), std::nullopt)
      << "the program ended with the help window open";

  RequestClose(help);
  EXPECT_EQ(App().ExpectExit(kExitLimit), 0u) << "exit code";
}

TEST_F(ResultWindowTest, LoggingOffDeletesTheReportThoughTheProcessEndsWithItsWindowsOpen) {
  constexpr Milliseconds kAnswerLimit{5000};
  for (const bool helpOpen : {false, true}) {
    SCOPED_TRACE(helpOpen ? "with the help window open" : "the result window alone");
    Launch();
    const HWND main = WaitForMainWindow();
    std::vector<HWND> windows;
    if (helpOpen) {
      ChooseMainMenu(main, L"MenuHelpContents");
      windows.push_back(WaitForHelpWindow());
    }
    ChooseAndDiagnose(main, Product::kVastrel);
    const ResultWindow window = WaitForResultWindow(ResultKind::kResult);
    windows.push_back(window.handle);
    const std::wstring report = ReportPath();

    // As the system does at a log-off: every window is asked, then told, and
    // then the process is ended whatever it still shows.
    for (const HWND each : windows) {
      DWORD_PTR agrees = 0;
      EXPECT_TRUE(::SendMessageTimeoutW(each, WM_QUERYENDSESSION, 0, ENDSESSION_LOGOFF,
                                        SMTO_ABORTIFHUNG, static_cast<UINT>(kAnswerLimit.count()),
                                        &agrees));
      EXPECT_TRUE(agrees);
    }
    for (const HWND each : windows) {
      DWORD_PTR ignored = 0;
      ::SendMessageTimeoutW(each, WM_ENDSESSION, TRUE, ENDSESSION_LOGOFF, SMTO_ABORTIFHUNG,
                            static_cast<UINT>(kAnswerLimit.count()), &ignored);
    }
    App().Kill();
    EXPECT_FALSE(FileExists(report)) << "the report, with the customer's e-mail, stayed on C:";
  }
}

}  // namespace
}  // namespace pravex::e2e
