// The caret, the selection and what they need repainted.
#include "win32/text_view/text_view.h"

#include "text/caret_stops.h"

namespace pravex::win32 {

namespace {

// Far enough off screen for any caret; keeps pixel arithmetic in an int.
constexpr long long kFarAway = 30000;

}  // namespace

bool TextView::IsWrappedLineEnd(std::size_t line, std::size_t pos) {
  const text::LineLayout& lines = LinesThrough(pos);
  return line + 1 < lines.LineCount() && pos == lines.LineStart(line + 1) &&
         !text::IsHardLineStart(Text(), pos);
}

std::size_t TextView::CaretLine() {
  const std::size_t line = LinesThrough(model_.Caret()).LineOf(model_.Caret());
  if (model_.CaretAtLineEnd() && line > 0 && IsWrappedLineEnd(line - 1, model_.Caret()))
    return line - 1;
  return line;
}

POINT TextView::PointOf(std::size_t line, std::size_t pos) {
  const text::LineLayout& lines = LinesThrough(pos);  // first: it may move the top line
  const RECT area = TextArea();
  const long long row = static_cast<long long>(line) - static_cast<long long>(topLine_);
  const long long y = std::clamp(row * lineHeight_, -kFarAway, kFarAway);
  const text::LineX x = std::min<text::LineX>(
      text::XOf(Text(), lines.LineStart(line), pos, model_.Advances(), lines.Options().tabWidth),
      kFarAway);
  return {area.left + static_cast<int>(x), area.top + static_cast<int>(y)};
}

std::size_t TextView::PosFromPoint(POINT point, bool& atLineEnd) {
  const text::LineLayout& lines = Lines();
  const RECT area = TextArea();
  // Rows above or below the text area count as its first or last: dragging
  // there scrolls by the timer, not by the mouse's distance.
  const int dy = point.y - area.top;
  const int row = std::clamp(dy < 0 ? -1 : dy / lineHeight_, 0, VisibleLines() - 1);
  const std::size_t line =
      std::min(topLine_ + static_cast<std::size_t>(row), lines.LineCount() - 1);
  const std::size_t start = lines.LineStart(line);
  const std::size_t end = lines.LineEnd(Text(), line);
  const std::size_t pos =
      text::CaretStopAtOrBefore(Text(), text::PosAtX(Text(), start, end, point.x - area.left,
                                                     model_.Advances(), lines.Options().tabWidth));
  atLineEnd = IsWrappedLineEnd(line, pos);
  return pos;
}

void TextView::Select(std::size_t anchor, std::size_t caret, bool atLineEnd) {
  SelectionChanged(model_.Select(anchor, caret, atLineEnd));
}

void TextView::SelectionChanged(text::Span before) {
  // Only the characters that went into or out of the selection change.
  InvalidateBetween(before.start, SelectionStart());
  InvalidateBetween(before.end, SelectionEnd());
  PlaceCaret();
}

void TextView::ScrollToCaret() {
  const std::size_t line = CaretLine();
  const std::size_t page = static_cast<std::size_t>(VisibleLines());
  if (line < topLine_) {
    SetTopLine(static_cast<long long>(line));
  } else if (line >= topLine_ + page) {
    SetTopLine(static_cast<long long>(line - page + 1));
  }
}

void TextView::ShowFocusCaret() {
  DWORD caretWidth = 1;
  ::SystemParametersInfoW(SPI_GETCARETWIDTH, 0, &caretWidth, 0);
  ::CreateCaret(hwnd_, nullptr, static_cast<int>(caretWidth), lineHeight_);
  shownCaretAt_.reset();  // a new caret: its place is news
  PlaceCaret();
  ::ShowCaret(hwnd_);
}

POINT TextView::CaretPointAhead() {
  // Before the detached lines or after them it is off screen; among them,
  // placed by them.
  const RECT area = TextArea();
  const std::size_t count = detached_->LineCount();
  const std::size_t last = count - 1;
  if (model_.Caret() < detached_->First())
    return {area.left, area.top - static_cast<int>(kFarAway)};
  if (!detached_->ReachesEnd() && model_.Caret() > detached_->LineEnd(Text(), last)) {
    return {area.left, area.top + static_cast<int>(kFarAway)};
  }
  std::size_t line = detached_->LineOf(model_.Caret());
  if (model_.CaretAtLineEnd() && line > 0 && model_.Caret() == detached_->LineStart(line) &&
      !text::IsHardLineStart(Text(), model_.Caret())) {
    --line;
  }
  const long long row =
      static_cast<long long>(detachedFirstLine_ + line) - static_cast<long long>(topLine_);
  const long long y = std::clamp(row * lineHeight_, -kFarAway, kFarAway);
  const int x = text::XOf(Text(), detached_->LineStart(line), model_.Caret(), model_.Advances(),
                          model_.Layout().Options().tabWidth);
  return {area.left + x, area.top + static_cast<int>(y)};
}

void TextView::PlaceCaret() {
  if (!focused_) return;
  // A caret past the layout from the start is placed without laying out
  // all that comes before it.
  const bool ahead = !layoutStale_ && detached_ && model_.Caret() >= model_.Layout().LaidTo();
  const POINT at = ahead ? CaretPointAhead() : PointOf(CaretLine(), model_.Caret());
  ::SetCaretPos(at.x, at.y);
  // Screen readers and magnifiers follow the caret by this event.
  if (!shownCaretAt_ || shownCaretAt_->x != at.x || shownCaretAt_->y != at.y) {
    shownCaretAt_ = at;
    ::NotifyWinEvent(EVENT_OBJECT_LOCATIONCHANGE, hwnd_, OBJID_CARET, CHILDID_SELF);
  }
  if (composing_) PlaceCompositionWindow();
}

void TextView::InvalidateBetween(std::size_t a, std::size_t b) {
  if (a == b) return;
  const std::size_t first = Lines().LineOf(std::min(a, b));
  const std::size_t last = Lines().LineOf(std::max(a, b) - 1);
  const std::size_t page = static_cast<std::size_t>(VisibleLines());
  if (last < topLine_ || first >= topLine_ + page) return;
  RECT band{};
  ::GetClientRect(hwnd_, &band);
  const RECT area = TextArea();
  const std::size_t firstRow = first > topLine_ ? first - topLine_ : 0;
  const std::size_t lastRow = std::min(last - topLine_, page - 1);
  band.top = area.top + static_cast<int>(firstRow) * lineHeight_;
  band.bottom = area.top + static_cast<int>(lastRow + 1) * lineHeight_;
  ::InvalidateRect(hwnd_, &band, FALSE);
}

void TextView::InvalidateFromLine(std::size_t line) {
  RECT band{};
  ::GetClientRect(hwnd_, &band);
  if (line > topLine_) {
    const std::size_t row = line - topLine_;
    if (row >= static_cast<std::size_t>(VisibleLines())) return;
    band.top = TextArea().top + static_cast<int>(row) * lineHeight_;
  }
  ::InvalidateRect(hwnd_, &band, FALSE);
}

}  // namespace pravex::win32
