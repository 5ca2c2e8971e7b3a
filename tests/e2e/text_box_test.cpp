// The result window's text box as its user meets it: it has the focus, shows
// the top of the report with the caret at the start and nothing selected,
// and takes typing, Enter included, which Ctrl+Z takes back. Its scroll bar
// obeys another program's thumb messages and a real drag past line 65535.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <cstdint>
#include <functional>
#include <random>
#include <string>
#include <vector>

#include "tests/e2e/diagnosis_fixture.h"
#include "tests/e2e/driver/deadline.h"
#include "tests/e2e/driver/window_input.h"
#include "tests/e2e/driver/window_probe.h"
#include "win32/handles.h"
#include "win32/text_view/gdi_scope.h"
#include "win32/text_view/text_view.h"

namespace pravex::e2e {
namespace {

constexpr Milliseconds kTypingLimit{5000};

class TextBoxTest : public DiagnosisTest {};

// A text view in a window of the driver's own, which lays out only when
// this thread lets it: a test can look at it before its layout is done.
class ViewInThisProcess {
 public:
  ViewInThisProcess() {
    const HINSTANCE instance = ::GetModuleHandleW(nullptr);
    WNDCLASSW host{};
    host.lpfnWndProc = &::DefWindowProcW;
    host.hInstance = instance;
    host.lpszClassName = L"PravexTextBoxTestHost";
    ::RegisterClassW(&host);
    if (!win32::TextView::RegisterWindowClass(instance)) throw std::runtime_error("no class");
    host_.reset(::CreateWindowExW(0, host.lpszClassName, L"host", WS_OVERLAPPEDWINDOW | WS_VISIBLE,
                                  0, 0, 700, 500, nullptr, nullptr, instance, nullptr));
    view_ =
        ::CreateWindowExW(WS_EX_CLIENTEDGE, win32::kTextViewClassName, L"", WS_CHILD | WS_VSCROLL,
                          10, 10, 660, 400, host_.get(), nullptr, instance, nullptr);
    if (!view_) throw std::runtime_error("cannot create the view");
  }

  HWND view() const { return view_; }

  // Gives the hidden view the text and shows it.
  void Load(const std::wstring& text) {
    ::ShowWindow(view_, SW_HIDE);
    ::SetWindowTextW(view_, text.c_str());
    ::ShowWindow(view_, SW_SHOW);
  }

  // The view's client area as it paints it now.
  std::vector<std::uint32_t> Picture() const {
    RECT client{};
    ::GetClientRect(view_, &client);
    BITMAPINFO info{};
    info.bmiHeader = {sizeof(BITMAPINFOHEADER), client.right, -client.bottom, 1, 32, BI_RGB};
    void* bits = nullptr;
    const win32::UniqueBitmap bitmap(
        ::CreateDIBSection(nullptr, &info, DIB_RGB_COLORS, &bits, nullptr, 0));
    const win32::UniqueMemoryDc dc(::CreateCompatibleDC(nullptr));
    const win32::SelectedObject selected(dc.get(), bitmap.get());
    ::SendMessageW(view_, WM_PRINTCLIENT, reinterpret_cast<WPARAM>(dc.get()), PRF_CLIENT);
    ::GdiFlush();
    const auto* pixels = static_cast<const std::uint32_t*>(bits);
    return {pixels, pixels + client.right * client.bottom};
  }

 private:
  win32::UniqueWindow host_;
  HWND view_ = nullptr;
};

TEST_F(TextBoxTest, OpensFocusedAtTheTopAndTakesTypingEnterAndUndo) {
  const ResultWindow window = OpenResultWindow(L"healthy", Product::kVastrel, ResultKind::kResult);
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

TEST_F(TextBoxTest, ThumbMessagesFromAnotherProgramAndARealDragMoveTheView) {
  const ResultWindow window = OpenResultWindow(L"healthy", Product::kVastrel, ResultKind::kResult);
  const HWND text = window.Control(L"Text1");
  // In pieces: another program's message carries only so much text.
  ReplaceText(text, L"");
  for (int n = 0; n < 100'000;) {
    std::wstring piece;
    for (const int end = n + 4'000; n < end; ++n) piece += L"line " + std::to_wstring(n) + L"\r\n";
    Ask(text, EM_REPLACESEL, FALSE, reinterpret_cast<LPARAM>(piece.c_str()));
  }
  ASSERT_EQ(Ask(text, EM_GETLINECOUNT), 100'001);
  struct Row {
    UINT message;
    WORD request;
    WORD position;
    LRESULT top;  // the first line shown after it
  };
  const Row rows[] = {
      {WM_VSCROLL, SB_THUMBPOSITION, 40'000, 40'000},
      {WM_VSCROLL, SB_THUMBTRACK, 65'535, 65'535},  // all 16 bits
      {WM_VSCROLL, SB_THUMBPOSITION, 7, 7},
      {WM_HSCROLL, SB_THUMBPOSITION, 500, 7},  // lines wrap: nothing lies beside them
  };
  for (const Row& row : rows) {
    Ask(text, row.message, MAKEWPARAM(row.request, row.position));
    EXPECT_EQ(Ask(text, EM_GETFIRSTVISIBLELINE), row.top) << row.position;
    const auto start = static_cast<std::size_t>(Ask(text, EM_LINEINDEX, row.top));
    EXPECT_EQ(TextOf(text).substr(start, 11).substr(0, 5 + std::to_wstring(row.top).size()),
              L"line " + std::to_wstring(row.top))
        << row.position;
  }
  // The scroll bar's thumb, at the top, dragged to the bottom: the drag's
  // position has 32 bits.
  RECT box{};
  ::GetWindowRect(text, &box);
  const int edge = ::GetSystemMetrics(SM_CXEDGE);
  const int x = box.right - edge - ::GetSystemMetrics(SM_CXVSCROLL) / 2;
  const int arrow = ::GetSystemMetrics(SM_CYVSCROLL);
  Ask(text, WM_VSCROLL, SB_TOP);
  DragWithMouse(text, {x, box.top + edge + arrow + 2}, {x, box.bottom - edge - arrow - 1});
  EXPECT_TRUE(PollUntil([&] { return Ask(text, EM_GETFIRSTVISIBLELINE) > 90'000; }, kTypingLimit))
      << "after the drag the top line is " << Ask(text, EM_GETFIRSTVISIBLELINE);
  EXPECT_EQ(CloseAndWaitForExit(window), 0u) << "exit code";
}

TEST_F(TextBoxTest, AViewScrolledAheadOfItsLayoutShowsWhatTheWholeLayoutShowsThere) {
  // 4 MB of lines of every length, many of them wrapping, some with tabs.
  std::mt19937 random(16);
  std::uniform_int_distribution<int> word(1, 14);
  std::uniform_int_distribution<int> words(0, 40);
  std::wstring text;
  while (text.size() < 4'000'000) {
    for (int n = words(random); n > 0; --n) {
      text.append(static_cast<std::size_t>(word(random)), static_cast<wchar_t>(L'a' + n % 26));
      text += n % 9 == 0 ? L'\t' : L' ';
    }
    text += L"\r\n";
  }
  const auto send = [](HWND view, UINT message, WPARAM wParam) {
    ::SendMessageW(view, message, wParam, 0);
  };
  // Far ahead of the first screen, well inside the text.
  const auto thumbToMiddle = [&](HWND view) {
    send(view, WM_VSCROLL, MAKEWPARAM(SB_THUMBPOSITION, 40'000));
  };
  struct Row {
    const char* what;
    std::function<void(HWND)> act;
  };
  const Row rows[] = {
      {"the thumb to the middle", thumbToMiddle},
      {"the end", [&](HWND view) { send(view, WM_VSCROLL, SB_BOTTOM); }},
      {"up from the end",
       [&](HWND view) {
         send(view, WM_VSCROLL, SB_BOTTOM);
         send(view, WM_VSCROLL, SB_PAGEUP);
         for (int n = 0; n < 3; ++n) send(view, WM_VSCROLL, SB_LINEUP);
       }},
      {"down from the middle",
       [&](HWND view) {
         thumbToMiddle(view);
         for (int n = 0; n < 3; ++n) send(view, WM_VSCROLL, SB_PAGEDOWN);
         send(view, WM_MOUSEWHEEL, MAKEWPARAM(0, -WHEEL_DELTA));
       }},
      {"narrower in the middle",
       [&](HWND view) {
         thumbToMiddle(view);
         ::MoveWindow(view, 10, 10, 420, 400, TRUE);
       }},
      {"narrower at the end, the caret there",
       [&](HWND view) {
         ::SendMessageW(view, EM_SETSEL, text.size() - 3, text.size() - 3);
         ::SendMessageW(view, EM_SCROLLCARET, 0, 0);
         ::MoveWindow(view, 10, 10, 420, 400, TRUE);
       }},
  };
  ViewInThisProcess hosted;
  for (const Row& row : rows) {
    ::MoveWindow(hosted.view(), 10, 10, 660, 400, TRUE);
    hosted.Load(text);
    ::SetFocus(hosted.view());
    row.act(hosted.view());
    const std::vector<std::uint32_t> ahead = hosted.Picture();
    POINT caretAhead{};
    ::GetCaretPos(&caretAhead);
    ::SendMessageW(hosted.view(), EM_GETLINECOUNT, 0, 0);  // lays out the rest
    EXPECT_TRUE(hosted.Picture() == ahead) << row.what;
    POINT caret{};
    ::GetCaretPos(&caret);
    EXPECT_EQ(caret.x, caretAhead.x) << row.what;
    EXPECT_EQ(caret.y, caretAhead.y) << row.what;
    EXPECT_LT(std::count(ahead.begin(), ahead.end(), ahead.front()),
              static_cast<std::ptrdiff_t>(ahead.size()))
        << row.what << ": nothing painted";
  }
}

}  // namespace
}  // namespace pravex::e2e
