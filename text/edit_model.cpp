#include "text/edit_model.h"

#include <stdexcept>

#include "text/caret_stops.h"

namespace pravex::text {

void EditModel::SetText(std::wstring text, std::optional<WrapOptions> wrap) {
  if (text.size() > LineLayout::kMaxText) throw std::length_error("text too long");
  // Laid out before anything changes: if that fails, the old text stays.
  LineLayout layout;
  if (wrap) layout.Wrap(text, advances_, *wrap);
  text_ = std::move(text);
  layout_ = std::move(layout);
  anchor_ = caret_ = 0;
  caretAtLineEnd_ = false;
  undo_ = UndoStep{};
  modified_ = false;
}

Span EditModel::Select(std::size_t anchor, std::size_t caret, bool atLineEnd) {
  const Span before = Selection();
  // Never inside a surrogate pair or CR LF.
  anchor_ = CaretStopAtOrBefore(text_, anchor);
  caret_ = CaretStopAtOrBefore(text_, caret);
  caretAtLineEnd_ = atLineEnd;
  return before;
}

Edit EditModel::Replace(std::size_t pos, std::size_t count, std::wstring_view insert,
                        EditKind kind) {
  if (insert.size() > LineLayout::kMaxText ||
      text_.size() - count > LineLayout::kMaxText - insert.size()) {
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
  if (completeLayout_) completeLayout_();
  // A wrap may move a word up onto the line before the one edited.
  const std::size_t line = layout_.LineOf(pos);
  const std::size_t linesBefore = layout_.LineCount();

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
  modified_ = true;
  return {.applied = true,
          .pos = pos,
          .firstLine = line > 0 ? line - 1 : 0,
          .lineCountChanged = layout_.LineCount() != linesBefore};
}

void EditModel::PlaceCaretAfterEdit(std::size_t pos) {
  // An edit may join what it left on either side into one character or
  // line break (a CR inserted before an LF): the caret goes before it.
  anchor_ = caret_ = CaretStopAtOrBefore(text_, pos);
  caretAtLineEnd_ = false;
}

Edit EditModel::ReplaceSelection(std::wstring_view insert, EditKind kind) {
  const std::size_t start = SelectionStart();
  const Edit edit = Replace(start, SelectionEnd() - start, insert, kind);
  PlaceCaretAfterEdit(start + insert.size());
  return edit;
}

Edit EditModel::DeleteForward() {
  if (HasSelection()) return ReplaceSelection(L"");
  if (caret_ >= text_.size()) return {};
  const Edit edit = Replace(caret_, NextCaretStop(text_, caret_) - caret_, L"", EditKind::kOther);
  PlaceCaretAfterEdit(caret_);
  return edit;
}

Edit EditModel::DeleteBackward() {
  if (HasSelection()) return ReplaceSelection(L"");
  if (caret_ == 0) return {};
  const std::size_t from = PreviousCaretStop(text_, caret_);
  const Edit edit = Replace(from, caret_ - from, L"", EditKind::kOther);
  PlaceCaretAfterEdit(from);
  return edit;
}

Edit EditModel::Undo() {
  if (!undo_.available) return {};
  UndoStep step = std::move(undo_);
  undo_ = UndoStep{};
  Edit edit;
  try {
    edit = Replace(step.pos, step.inserted, step.removed, EditKind::kOther);
  } catch (...) {
    undo_ = std::move(step);
    throw;
  }
  // What came back is selected, as the system's edit control does.
  Select(step.pos, step.pos + step.removed.size());
  return edit;
}

}  // namespace pravex::text
