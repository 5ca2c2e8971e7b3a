// What the text box's editing does to its text, with no window: the text and
// its layout, the caret and the anchor, and the one undo step. Each edit
// tells what it changed, so that the view only repaints, scrolls and tells
// others. Portable: the unit tests and the fuzz target edit it on the host.
//
// Every change is one replace in the text and a rewrap of the hard lines it
// touched, and either happens whole or not at all.
#pragma once

#include <algorithm>
#include <cstddef>
#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <utility>

#include "text/line_layout.h"
#include "text/span.h"

namespace pravex::text {

enum class EditKind { kOther, kTyping };

// What an edit changed.
struct Edit {
  // Whether a replace took place. One that replaced nothing by nothing (a
  // delete with no selection) still counts: the view reports it as a change.
  bool applied = false;
  std::size_t pos = 0;        // the first character that may have changed
  std::size_t firstLine = 0;  // the first display line that may look different
  bool lineCountChanged = false;
};

class EditModel {
 public:
  // `measure` gives the font's widths of characters (CharAdvances).
  explicit EditModel(CharAdvances::BlockLoader measure) : advances_(std::move(measure)) {}
  EditModel(const EditModel&) = delete;
  EditModel& operator=(const EditModel&) = delete;

  // Runs before an edit reads the layout: a view that lays its text out
  // in pieces completes the layout there. An edit needs it complete.
  void OnLayoutNeeded(std::function<void()> complete) { completeLayout_ = std::move(complete); }

  const std::wstring& Text() const { return text_; }
  // The layout, laid out further by the view as it needs lines; edits keep
  // it up to date.
  LineLayout& Layout() { return layout_; }
  const LineLayout& Layout() const { return layout_; }
  CharAdvances& Advances() { return advances_; }

  std::size_t Anchor() const { return anchor_; }
  std::size_t Caret() const { return caret_; }
  // At a wrap the caret may stand at the end of the upper line or at the
  // start of the lower one: the same text position.
  bool CaretAtLineEnd() const { return caretAtLineEnd_; }
  std::size_t SelectionStart() const { return std::min(anchor_, caret_); }
  std::size_t SelectionEnd() const { return std::max(anchor_, caret_); }
  Span Selection() const { return {SelectionStart(), SelectionEnd()}; }
  bool HasSelection() const { return anchor_ != caret_; }

  bool CanUndo() const { return undo_.available; }
  void ForgetUndo() { undo_ = UndoStep{}; }
  // Edited by the user since the text was set.
  bool Modified() const { return modified_; }
  void SetModified(bool modified) { modified_ = modified; }

  // Takes the text over without copying it, laid out now with `wrap`, or
  // with an empty layout the view lays out later. The caret goes to the
  // start, nothing is selected, nothing can be undone, and the text counts
  // as unmodified. Strong guarantee.
  void SetText(std::wstring text, std::optional<WrapOptions> wrap);

  // Selects from `anchor` to `caret`, each moved back onto a caret stop;
  // the selection before.
  Span Select(std::size_t anchor, std::size_t caret, bool atLineEnd = false);
  // Selects the whole text, the caret at its end; the selection before.
  Span SelectAll() { return Select(0, text_.size()); }

  // The edits, each with the strong guarantee. The caret ends after what
  // was inserted (or before a character the edit joined), nothing selected. Typing on where the
  // last typing stopped extends its undo step.
  Edit ReplaceSelection(std::wstring_view insert, EditKind kind = EditKind::kOther);
  // The selection, or else one caret stop's worth after (Delete) or before
  // (Backspace) the caret: a surrogate pair or CR LF goes whole.
  Edit DeleteForward();
  Edit DeleteBackward();
  // Puts back what the last edit replaced and selects it; an undo is itself
  // undone the same way.
  Edit Undo();

 private:
  // One level of undo: undoing puts `removed` back in place of the
  // `inserted` characters at `pos`.
  struct UndoStep {
    bool available = false;
    bool typing = false;  // typed characters in a row undo together
    std::size_t pos = 0;
    std::size_t inserted = 0;
    std::wstring removed;
  };

  // Replaces `count` characters at `pos`; caret and anchor stay as they are.
  Edit Replace(std::size_t pos, std::size_t count, std::wstring_view insert, EditKind kind);
  void PlaceCaretAfterEdit(std::size_t pos);

  std::wstring text_;
  CharAdvances advances_;
  LineLayout layout_;
  std::function<void()> completeLayout_;
  std::size_t anchor_ = 0;
  std::size_t caret_ = 0;
  bool caretAtLineEnd_ = false;
  UndoStep undo_;
  bool modified_ = false;
};

}  // namespace pravex::text
