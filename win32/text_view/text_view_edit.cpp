// Changes to the text: typing, deleting, the clipboard and undo. The model
// makes each change; the view repaints, scrolls and tells of it.
#include <algorithm>

#include "win32/clipboard_text.h"
#include "win32/text_view/text_view.h"

namespace pravex::win32 {

void TextView::AfterEdit(const text::Edit& edit) {
  if (!edit.applied) return;
  textChanged_ = true;
  ClampTopLine();
  UpdateScrollBar();
  InvalidateFromLine(edit.firstLine);
}

void TextView::AfterCaretEdit(const text::Edit& edit) {
  if (!edit.applied) return;
  AfterEdit(edit);
  goalX_.reset();
  ScrollToCaret();
  PlaceCaret();
}

void TextView::ReplaceSelection(std::wstring_view insert, text::EditKind kind) {
  AfterCaretEdit(model_.ReplaceSelection(insert, kind));
}

void TextView::DeleteForward() {
  AfterCaretEdit(model_.DeleteForward());
}

void TextView::DeleteBackward() {
  AfterCaretEdit(model_.DeleteBackward());
}

void TextView::Undo() {
  const text::Span before = model_.Selection();
  const text::Edit edit = model_.Undo();
  if (!edit.applied) return;
  AfterEdit(edit);
  // What came back is selected.
  SelectionChanged(before);
  goalX_.reset();
  ScrollToCaret();
}

void TextView::Copy() {
  if (!HasSelection()) return;
  const std::wstring_view selected(Text().data() + SelectionStart(),
                                   SelectionEnd() - SelectionStart());
  if (PutClipboardText(hwnd_, selected) != ClipboardOutcome::kDone) ::MessageBeep(MB_OK);
}

void TextView::Cut() {
  if (!HasSelection()) return;
  const std::wstring_view selected(Text().data() + SelectionStart(),
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
  const auto size = static_cast<long long>(Text().size());
  if (first < 0) {
    Select(model_.Caret(), model_.Caret(),
           model_.CaretAtLineEnd());  // -1: no selection, the caret stays
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
  const std::size_t copied = std::min<std::size_t>(room - 1, Text().size());
  // A NUL would end the text there for whoever reads it: it gets the blank shown.
  std::replace_copy(Text().begin(), Text().begin() + static_cast<std::ptrdiff_t>(copied), out,
                    L'\0', L' ');
  out[copied] = L'\0';
  return static_cast<LRESULT>(copied);
}

}  // namespace pravex::win32
