// The result window's text box as its user meets it: it has the focus, shows
// the top of the report with the caret at the start and nothing selected,
// and takes typing, Enter included, which Ctrl+Z takes back.
#include <windows.h>

#include <gtest/gtest.h>

#include "tests/e2e/diagnosis_fixture.h"
#include "tests/e2e/driver/deadline.h"
#include "tests/e2e/driver/window_input.h"
#include "tests/e2e/driver/window_probe.h"

namespace pravex::e2e {
namespace {

constexpr Milliseconds kTypingLimit{5000};

class TextBoxTest : public DiagnosisTest {};

TEST_F(TextBoxTest, OpensFocusedAtTheTopAndTakesTypingEnterAndUndo) {
  const ResultWindow window = OpenResultWindow(L"healthy", Product::kVastrel, ResultKind::Result);
  const HWND text = window.Control(L"Text1");
  const std::wstring shown = TextOf(text);
  EXPECT_EQ(FocusedControl(window.handle), text) << "the focus";
  EXPECT_EQ(Ask(text, EM_GETSEL), 0) << "the caret at the start, nothing selected";
  EXPECT_EQ(Ask(text, EM_GETFIRSTVISIBLELINE), 0) << "the top in view";

  PostChars(text, L"ab");
  PressKey(text, VK_RETURN);  // through the dialog keys, yet a line break
  EXPECT_EQ(TextOnceItIs(text, L"ab\r\n" + shown, kTypingLimit), L"ab\r\n" + shown)
      << "after typing";

  PostChars(text, L"\x1a");  // Ctrl+Z: what was typed in a row goes at once
  EXPECT_EQ(TextOnceItIs(text, shown, kTypingLimit), shown) << "after Ctrl+Z";
  EXPECT_EQ(CloseAndWaitForExit(window), 0u) << "exit code";
}

}  // namespace
}  // namespace pravex::e2e
