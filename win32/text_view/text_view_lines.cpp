// The edit control's line messages, which screen readers and older tools
// read a text box by, answered as the multi-line edit control answers them:
// lines are display lines, their lengths leave the line break out, and -1
// stands for the caret's line.
#include <algorithm>

#include "text/caret_stops.h"
#include "win32/text_view/text_view.h"

namespace pravex::win32 {

namespace {

constexpr WPARAM kCaretLine = static_cast<WPARAM>(-1);

// Coordinates packed as the edit control packs them: 16 signed bits each.
LRESULT PackPoint(int x, int y) {
  auto word = [](int v) {
    return static_cast<WORD>(static_cast<short>(std::clamp(v, -32768, 32767)));
  };
  return static_cast<LRESULT>(static_cast<LONG>(MAKELONG(word(x), word(y))));
}

}  // namespace

std::size_t TextView::LineOfCharMessage(WPARAM pos) {
  // -1: the line of the caret, or of the selection's start.
  if (pos == kCaretLine) return HasSelection() ? Lines().LineOf(SelectionStart()) : CaretLine();
  return Lines().LineOf(std::min<std::size_t>(pos, Text().size()));
}

LRESULT TextView::LineIndexMessage(WPARAM line) {
  const std::size_t index = line == kCaretLine ? CaretLine() : line;
  if (index >= Lines().LineCount()) return -1;
  return static_cast<LRESULT>(Lines().LineStart(index));
}

LRESULT TextView::LineLengthMessage(WPARAM pos) {
  const text::LineLayout& lines = Lines();
  if (pos == kCaretLine) {
    // What is not selected on the lines the selection touches.
    const std::size_t first = lines.LineOf(SelectionStart());
    const std::size_t last = lines.LineOf(SelectionEnd());
    const std::size_t before = SelectionStart() - lines.LineStart(first);
    const std::size_t lastEnd = lines.LineEnd(Text(), last);
    const std::size_t after = lastEnd > SelectionEnd() ? lastEnd - SelectionEnd() : 0;
    return static_cast<LRESULT>(before + after);
  }
  if (pos > Text().size()) return 0;
  const std::size_t line = lines.LineOf(pos);
  return static_cast<LRESULT>(lines.LineEnd(Text(), line) - lines.LineStart(line));
}

LRESULT TextView::GetLineMessage(WPARAM line, LPARAM buffer) {
  // The buffer's first WORD holds its size in characters; nothing is added
  // after the line, not even a NUL.
  if (!buffer || line >= Lines().LineCount()) return 0;
  auto* out = reinterpret_cast<wchar_t*>(buffer);
  const std::size_t room = *reinterpret_cast<const WORD*>(buffer);
  const std::size_t start = Lines().LineStart(line);
  const std::size_t count = std::min(room, Lines().LineEnd(Text(), line) - start);
  const auto from = Text().begin() + static_cast<std::ptrdiff_t>(start);
  std::replace_copy(from, from + static_cast<std::ptrdiff_t>(count), out, L'\0', L' ');
  return static_cast<LRESULT>(count);
}

LRESULT TextView::PosFromCharMessage(WPARAM pos) {
  // Past the last character there is none to place.
  if (pos >= Text().size()) return -1;
  const std::size_t at = text::CaretStopAtOrBefore(Text(), pos);
  const POINT point = PointOf(Lines().LineOf(at), at);
  return PackPoint(point.x, point.y);
}

LRESULT TextView::CharFromPosMessage(LPARAM packed) {
  const POINT point{static_cast<short>(LOWORD(packed)), static_cast<short>(HIWORD(packed))};
  RECT client{};
  ::GetClientRect(hwnd_, &client);
  if (!::PtInRect(&client, point)) return -1;  // (65535, 65535)
  bool atLineEnd = false;
  const std::size_t pos = PosFromPoint(point, atLineEnd);
  std::size_t line = Lines().LineOf(pos);
  if (atLineEnd && line > 0) --line;
  // 16 bits of each, as the edit control gives them.
  return static_cast<LRESULT>(MAKELONG(static_cast<WORD>(pos), static_cast<WORD>(line)));
}

void TextView::LineScrollMessage(LPARAM lines) {
  // Horizontally there is nothing to scroll: long lines wrap.
  SetTopLine(static_cast<long long>(topLine_) + static_cast<int>(lines));
}

}  // namespace pravex::win32
