// Keyboard, mouse and the context menu.
#include <utility>

#include "text/caret_stops.h"
#include "text/word_bounds.h"
#include "win32/handles.h"
#include "win32/text_view/text_view.h"

namespace pravex::win32 {

namespace {

constexpr UINT_PTR kDragTimer = 1;
constexpr UINT kDragScrollMs = 50;

enum class MenuCommand : UINT { kUndo = 1, kCut, kCopy, kPaste, kDelete, kSelectAll };

bool IsDown(int key) {
  return ::GetKeyState(key) < 0;
}

}  // namespace

LRESULT TextView::DialogCode(const MSG* message) const {
  // Tab and Esc stay with the dialog keys; Enter breaks the line here.
  LRESULT code = DLGC_WANTCHARS | DLGC_WANTARROWS | DLGC_HASSETSEL;
  if (message && message->message == WM_KEYDOWN && message->wParam == VK_RETURN) {
    code |= DLGC_WANTMESSAGE;
  }
  return code;
}

void TextView::MoveCaretTo(std::size_t pos, bool atLineEnd, bool extend) {
  Select(extend ? model_.Anchor() : pos, pos, atLineEnd);
  goalX_.reset();
  ScrollToCaret();
}

void TextView::MoveVertically(long long lines, bool extend) {
  const std::size_t line = CaretLine();
  const text::LineX goal = goalX_ ? *goalX_
                                  : text::XOf(Text(), Lines().LineStart(line), model_.Caret(),
                                              model_.Advances(), Lines().Options().tabWidth);
  const long long last = static_cast<long long>(Lines().LineCount()) - 1;
  const auto target =
      static_cast<std::size_t>(std::clamp(static_cast<long long>(line) + lines, 0LL, last));
  const std::size_t pos = text::CaretStopAtOrBefore(
      Text(), text::PosAtX(Text(), Lines().LineStart(target), Lines().LineEnd(Text(), target), goal,
                           model_.Advances(), Lines().Options().tabWidth));
  MoveCaretTo(pos, IsWrappedLineEnd(target, pos), extend);
  goalX_ = goal;
}

bool TextView::OnKeyDown(WPARAM key) {
  const bool shift = IsDown(VK_SHIFT);
  const bool control = IsDown(VK_CONTROL);
  switch (key) {
    case VK_LEFT:
      if (HasSelection() && !shift && !control) {
        MoveCaretTo(SelectionStart(), false, false);
      } else if (control) {
        MoveCaretTo(text::PreviousWordStart(Text(), model_.Caret()), false, shift);
      } else {
        MoveCaretTo(text::PreviousCaretStop(Text(), model_.Caret()), false, shift);
      }
      return true;
    case VK_RIGHT:
      if (HasSelection() && !shift && !control) {
        MoveCaretTo(SelectionEnd(), false, false);
      } else if (control) {
        MoveCaretTo(text::NextWordStart(Text(), model_.Caret()), false, shift);
      } else {
        MoveCaretTo(text::NextCaretStop(Text(), model_.Caret()), false, shift);
      }
      return true;
    case VK_UP:
      MoveVertically(-1, shift);
      return true;
    case VK_DOWN:
      MoveVertically(1, shift);
      return true;
    case VK_PRIOR:
    case VK_NEXT: {
      const long long page = key == VK_PRIOR ? -VisibleLines() : VisibleLines();
      SetTopLine(static_cast<long long>(topLine_) + page);
      MoveVertically(page, shift);
      return true;
    }
    case VK_HOME:
      MoveCaretTo(control ? 0 : Lines().LineStart(CaretLine()), false, shift);
      return true;
    case VK_END: {
      if (control) {
        MoveCaretTo(Text().size(), false, shift);
        return true;
      }
      const std::size_t line = CaretLine();
      const std::size_t end = Lines().LineEnd(Text(), line);
      MoveCaretTo(end, IsWrappedLineEnd(line, end), shift);
      return true;
    }
    case VK_DELETE:
      if (shift) {
        Cut();
      } else {
        DeleteForward();
      }
      return true;
    case VK_INSERT:
      if (control) {
        Copy();
      } else if (shift) {
        Paste();
      }
      return true;
    case VK_APPS:
      ShowContextMenu({-1, -1});
      return true;
    default:
      return false;
  }
}

void TextView::InsertTyped(std::wstring_view typed) {
  ReplaceSelection(typed, text::EditKind::kTyping);
}

void TextView::OnChar(wchar_t c) {
  // A character beyond the first 65536 comes as two WM_CHARs: it goes in
  // whole, once both halves are there. A lone half would break the text.
  const wchar_t high = std::exchange(pendingHighSurrogate_, 0);
  if (text::IsHighSurrogate(c)) {
    pendingHighSurrogate_ = c;
    return;
  }
  if (text::IsLowSurrogate(c)) {
    const wchar_t pair[] = {high, c};
    if (high) InsertTyped(std::wstring_view(pair, 2));
    return;
  }
  switch (c) {
    case 0x01:  // Ctrl+A
      SelectionChanged(model_.SelectAll());
      ScrollToCaret();
      return;
    case 0x03:  // Ctrl+C
      Copy();
      return;
    case 0x16:  // Ctrl+V
      Paste();
      return;
    case 0x18:  // Ctrl+X
      Cut();
      return;
    case 0x1A:  // Ctrl+Z
      Undo();
      return;
    case L'\b':
      DeleteBackward();
      return;
    case L'\r':
    case L'\n':  // Enter, Ctrl+Enter
      InsertTyped(L"\r\n");
      return;
    default:
      // Other control characters (Tab, Esc, Ctrl+Backspace) insert nothing.
      if (c >= L' ' && c != 0x7F) InsertTyped(std::wstring_view(&c, 1));
      return;
  }
}

void TextView::OnButtonDown(POINT point, bool extend) {
  ::SetFocus(hwnd_);
  bool atLineEnd = false;
  const std::size_t pos = PosFromPoint(point, atLineEnd);
  Select(extend ? model_.Anchor() : pos, pos, atLineEnd);
  goalX_.reset();
  dragging_ = true;
  ::SetCapture(hwnd_);
}

void TextView::OnDoubleClick(POINT point) {
  ::SetFocus(hwnd_);
  bool atLineEnd = false;
  const text::Span word = text::WordAt(Text(), PosFromPoint(point, atLineEnd));
  const std::size_t line = Lines().LineOf(word.end);
  Select(word.start, word.end, line > 0 && IsWrappedLineEnd(line - 1, word.end));
  goalX_.reset();
}

void TextView::OnMouseMove(POINT point) {
  if (!dragging_) return;
  // Outside the lines the timer scrolls on while the button is held.
  const RECT area = TextArea();
  const bool outside = point.y < area.top || point.y >= area.top + VisibleLines() * lineHeight_;
  if (outside && !dragTimer_) {
    dragTimer_ = ::SetTimer(hwnd_, kDragTimer, kDragScrollMs, nullptr) != 0;
  } else if (!outside && dragTimer_) {
    ::KillTimer(hwnd_, kDragTimer);
    dragTimer_ = false;
  }
  bool atLineEnd = false;
  const std::size_t pos = PosFromPoint(point, atLineEnd);
  Select(model_.Anchor(), pos, atLineEnd);
}

void TextView::OnDragTimer() {
  if (!dragging_) return;
  POINT point{};
  ::GetCursorPos(&point);
  ::ScreenToClient(hwnd_, &point);
  const RECT area = TextArea();
  if (point.y < area.top) {
    SetTopLine(static_cast<long long>(topLine_) - 1);
  } else if (point.y >= area.top + VisibleLines() * lineHeight_) {
    SetTopLine(static_cast<long long>(topLine_) + 1);
  }
  bool atLineEnd = false;
  const std::size_t pos = PosFromPoint(point, atLineEnd);
  Select(model_.Anchor(), pos, atLineEnd);
}

void TextView::StopDragging() {
  dragging_ = false;
  if (dragTimer_) {
    ::KillTimer(hwnd_, kDragTimer);
    dragTimer_ = false;
  }
}

void TextView::ShowContextMenu(POINT screenPoint) {
  ::SetFocus(hwnd_);
  if (screenPoint.x == -1 && screenPoint.y == -1) {
    // From the keyboard: under the caret.
    screenPoint = PointOf(CaretLine(), model_.Caret());
    screenPoint.y += lineHeight_;
    ::ClientToScreen(hwnd_, &screenPoint);
  }
  UniqueMenu menu(::CreatePopupMenu());
  if (!menu) return;
  const bool selection = HasSelection();
  auto add = [&](MenuCommand command, const wchar_t* caption, bool enabled) {
    ::AppendMenuW(menu.get(), MF_STRING | (enabled ? MF_ENABLED : MF_GRAYED),
                  static_cast<UINT_PTR>(command), caption);
  };
  add(MenuCommand::kUndo, L"&Undo", model_.CanUndo());
  ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
  add(MenuCommand::kCut, L"Cu&t", selection);
  add(MenuCommand::kCopy, L"&Copy", selection);
  add(MenuCommand::kPaste, L"&Paste", ::IsClipboardFormatAvailable(CF_UNICODETEXT) != FALSE);
  add(MenuCommand::kDelete, L"&Delete", selection);
  ::AppendMenuW(menu.get(), MF_SEPARATOR, 0, nullptr);
  add(MenuCommand::kSelectAll, L"Select &All",
      !Text().empty() && SelectionEnd() - SelectionStart() < Text().size());

  // The menu runs a loop of its own, in which this window may be destroyed.
  const HWND hwnd = hwnd_;
  const UINT command =
      static_cast<UINT>(::TrackPopupMenu(menu.get(), TPM_RETURNCMD | TPM_RIGHTBUTTON | TPM_NONOTIFY,
                                         screenPoint.x, screenPoint.y, 0, hwnd, nullptr));
  if (!::IsWindow(hwnd) || FromHandle(hwnd) != this) return;
  switch (static_cast<MenuCommand>(command)) {
    case MenuCommand::kUndo:
      Undo();
      break;
    case MenuCommand::kCut:
      Cut();
      break;
    case MenuCommand::kCopy:
      Copy();
      break;
    case MenuCommand::kPaste:
      Paste();
      break;
    case MenuCommand::kDelete:
      ReplaceSelection(L"");
      break;
    case MenuCommand::kSelectAll:
      SelectionChanged(model_.SelectAll());
      break;
    default:
      break;
  }
}

}  // namespace pravex::win32
