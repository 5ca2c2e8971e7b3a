// Changes to the text: typing, deleting, the clipboard and undo. Each
// change is one replace in the text and a rewrap of the hard lines it
// touched, and either happens whole or not at all.
#include <algorithm>
#include <stdexcept>

#include "text/caret_stops.h"
#include "win32/clipboard_text.h"
#include "win32/text_view/text_view.h"

namespace pravex::win32 {

void TextView::Replace(std::size_t pos, std::size_t count, std::wstring_view insert,
                       EditKind kind) {
  if (insert.size() > text::LineLayout::kMaxText ||
      text_.size() - count > text::LineLayout::kMaxText - insert.size()) {
    throw std::length_error("text too long");
  }
  // Typing on where the last typing stopped extends the same undo step.
  const bool continuesTyping = kind == EditKind::kTyping && count == 0 && undo_.available &&
                               undo_.typing && undo_.pos + undo_.inserted == pos;
  UndoStep step;
  if (!continuesTyping) {
    step = {.available = true,
            .typing = kind == EditKind::kTyping,
            .pos = pos,
            .inserted = insert.size(),
            .removed = text_.substr(pos, count)};
  }
  // A wrap may move a word up onto the line before the one edited.
  const std::size_t firstLine = Lines().LineOf(pos);
  const std::size_t firstChangedLine = firstLine > 0 ? firstLine - 1 : 0;

  text_.replace(pos, count, insert);
  try {
    layout_.Update(text_, pos, count, insert.size(), advances_);
  } catch (...) {
    // Shrinks back or grows back into capacity the text already had.
    text_.replace(pos, insert.size(), step.removed);
    throw;
  }
  if (continuesTyping) {
    undo_.inserted += insert.size();
  } else {
    undo_ = std::move(step);
  }
  modified_ = textChanged_ = true;
  ClampTopLine();
  UpdateScrollBar();
  InvalidateFromLine(firstChangedLine);
}

void TextView::ReplaceSelection(std::wstring_view insert, EditKind kind) {
  const std::size_t start = SelectionStart();
  Replace(start, SelectionEnd() - start, insert, kind);
  anchor_ = caret_ = start + insert.size();
  caretAtLineEnd_ = false;
  goalX_.reset();
  ScrollToCaret();
  PlaceCaret();
}

void TextView::DeleteForward() {
  if (HasSelection()) {
    ReplaceSelection(L"");
  } else if (caret_ < text_.size()) {
    // A surrogate pair or CR LF goes whole.
    Replace(caret_, text::NextCaretStop(text_, caret_) - caret_, L"", EditKind::kOther);
    caretAtLineEnd_ = false;
    goalX_.reset();
    ScrollToCaret();
    PlaceCaret();
  }
}

void TextView::DeleteBackward() {
  if (HasSelection()) {
    ReplaceSelection(L"");
  } else if (caret_ > 0) {
    const std::size_t count = caret_ - text::PreviousCaretStop(text_, caret_);
    Replace(caret_ - count, count, L"", EditKind::kOther);
    anchor_ = caret_ -= count;
    caretAtLineEnd_ = false;
    goalX_.reset();
    ScrollToCaret();
    PlaceCaret();
  }
}

void TextView::Undo() {
  if (!undo_.available) return;
  UndoStep step = std::move(undo_);
  undo_ = UndoStep{};
  try {
    Replace(step.pos, step.inserted, step.removed, EditKind::kOther);
  } catch (...) {
    undo_ = std::move(step);
    throw;
  }
  // What came back is selected, as the edit control does.
  Select(step.pos, step.pos + step.removed.size());
  goalX_.reset();
  ScrollToCaret();
}

void TextView::Copy() {
  if (!HasSelection()) return;
  const std::wstring_view selected(text_.data() + SelectionStart(),
                                   SelectionEnd() - SelectionStart());
  if (PutClipboardText(hwnd_, selected) != ClipboardOutcome::kDone) ::MessageBeep(MB_OK);
}

void TextView::Cut() {
  if (!HasSelection()) return;
  const std::wstring_view selected(text_.data() + SelectionStart(),
                                   SelectionEnd() - SelectionStart());
  if (PutClipboardText(hwnd_, selected) != ClipboardOutcome::kDone) {
    ::MessageBeep(MB_OK);
    return;
  }
  ReplaceSelection(L"");
}

void TextView::Paste() {
  std::wstring pasted;
  if (GetClipboardText(hwnd_, pasted)) ReplaceSelection(pasted);
}

void TextView::SetSelectionFromMessage(WPARAM start, LPARAM end) {
  const auto first = static_cast<long long>(static_cast<INT_PTR>(start));
  const auto last = static_cast<long long>(end);
  const auto size = static_cast<long long>(text_.size());
  if (first < 0) {
    Select(caret_, caret_, caretAtLineEnd_);  // -1: no selection, the caret stays
    return;
  }
  // The caret goes to the second position; -1 there means the text's end.
  // Select keeps both off the middle of a character.
  Select(static_cast<std::size_t>(std::min(first, size)),
         static_cast<std::size_t>(last < 0 ? size : std::min(last, size)));
}

LRESULT TextView::SelectionForMessage(WPARAM startOut, LPARAM endOut) const {
  const std::size_t start = SelectionStart();
  const std::size_t end = SelectionEnd();
  auto clipped = [](std::size_t pos) {
    return static_cast<DWORD>(std::min<std::size_t>(pos, MAXDWORD));
  };
  if (startOut) *reinterpret_cast<DWORD*>(startOut) = clipped(start);
  if (endOut) *reinterpret_cast<DWORD*>(endOut) = clipped(end);
  // The return value holds 16 bits of each, or -1 when they do not fit.
  if (start > 0xFFFF || end > 0xFFFF) return -1;
  return MAKELRESULT(start, end);
}

LRESULT TextView::CopyTextOut(WPARAM room, LPARAM buffer) const {
  if (room == 0 || buffer == 0) return 0;
  auto* out = reinterpret_cast<wchar_t*>(buffer);
  const std::size_t copied = std::min<std::size_t>(room - 1, text_.size());
  // A NUL would end the text there for whoever reads it: it gets the blank shown.
  std::replace_copy(text_.begin(), text_.begin() + static_cast<std::ptrdiff_t>(copied), out, L'\0',
                    L' ');
  out[copied] = L'\0';
  return static_cast<LRESULT>(copied);
}

}  // namespace pravex::win32
