// Ranges of the text as assistive technology moves them: two positions over
// the text, moved and expanded by character, word, display line, hard line
// and the whole text, and kept valid when the text changes under them.
// Portable: the view's COM objects only translate to and from it.
//
// Each unit divides the text into spans [unit start, next unit start); the
// text's end closes the last one. A character is a caret stop's worth (a
// surrogate pair and CR LF are one), a word is what Ctrl+Right steps over,
// a line a display line with its line break, a paragraph a hard line with
// its line break. Format is not kept and counts as word; page as the whole
// text.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "text/line_layout.h"
#include "text/span.h"

namespace pravex::text {

// In the order and with the values UI Automation gives its units.
enum class TextUnit { kCharacter = 0, kFormat, kWord, kLine, kParagraph, kPage, kDocument };

class TextUnits {
 public:
  // Both must stay as they are while this is used.
  TextUnits(std::wstring_view text, const LineLayout& lines) : text_(text), lines_(lines) {}

  // Within the text, on caret stops, start before end: what a range that
  // outlived an edit stands for now.
  Span Clamp(Span span) const;
  // The one unit holding the range's start.
  Span Expand(TextUnit unit, Span span) const;
  // Moves the range by `count` units (negative: backward) and returns how
  // many it moved. An empty range moves as a caret does; any other becomes
  // the whole unit it lands on, and never the nothing after the text's end.
  int Move(TextUnit unit, int count, Span& span) const;
  // Moves one end by `count` unit boundaries; how many it moved.
  int MoveEndpoint(Endpoint which, TextUnit unit, int count, Span& span) const;

 private:
  static TextUnit Supported(TextUnit unit);
  // Unit starts: the last one at or before `pos`, the first after it, the
  // last before it.
  std::size_t StartAtOrBefore(TextUnit unit, std::size_t pos) const;
  std::optional<std::size_t> NextStart(TextUnit unit, std::size_t pos) const;
  std::optional<std::size_t> PreviousStart(TextUnit unit, std::size_t pos) const;
  // Boundaries are the unit starts and the text's end.
  std::size_t NextBoundary(TextUnit unit, std::size_t pos) const;

  std::wstring_view text_;
  const LineLayout& lines_;
};

// The first (or, backward, the last) place inside `within` where `needle`
// occurs, comparing characters after `fold` (for case) where one is given.
std::optional<Span> FindText(std::wstring_view text, Span within, std::wstring_view needle,
                             bool backward, wchar_t (*fold)(wchar_t));

}  // namespace pravex::text
