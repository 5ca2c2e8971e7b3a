#include "text/text_range.h"

#include <algorithm>

#include "text/caret_stops.h"
#include "text/word_bounds.h"

namespace pravex::text {

Span TextUnits::Clamp(Span span) const {
  // Monotone, so start stays at or before end.
  return {CaretStopAtOrBefore(text_, span.start), CaretStopAtOrBefore(text_, span.end)};
}

TextUnit TextUnits::Supported(TextUnit unit) {
  // An unsupported unit stands for the next larger one that is.
  if (unit == TextUnit::kFormat) return TextUnit::kWord;
  if (unit == TextUnit::kPage) return TextUnit::kDocument;
  return unit;
}

std::optional<std::size_t> TextUnits::NextStart(TextUnit unit, std::size_t pos) const {
  const std::size_t size = text_.size();
  std::size_t next = size;
  switch (unit) {
    case TextUnit::kCharacter:
      next = NextCaretStop(text_, pos);
      break;
    case TextUnit::kWord:
      next = NextWordStart(text_, pos);
      break;
    case TextUnit::kLine: {
      // An empty last line after a final line break starts at the end.
      const std::size_t line = lines_.LineOf(pos);
      if (line + 1 >= lines_.LineCount()) return std::nullopt;
      return lines_.LineStart(line + 1);
    }
    case TextUnit::kParagraph: {
      const std::size_t lineBreak = text_.find_first_of(L"\r\n", pos);
      if (lineBreak == std::wstring_view::npos) return std::nullopt;
      return AfterBreak(text_, lineBreak);
    }
    default:
      return std::nullopt;
  }
  if (next >= size) return std::nullopt;
  return next;
}

std::optional<std::size_t> TextUnits::PreviousStart(TextUnit unit, std::size_t pos) const {
  pos = std::min(pos, text_.size());
  if (pos == 0) return std::nullopt;
  switch (unit) {
    case TextUnit::kCharacter:
      return PreviousCaretStop(text_, pos);
    case TextUnit::kWord: {
      // Ctrl+Left may stop short of a word start that follows a line
      // break; stepping forward from it finds the last start before `pos`.
      std::size_t start = PreviousWordStart(text_, pos);
      for (std::size_t next = NextWordStart(text_, start); next < pos && next > start;
           next = NextWordStart(text_, start)) {
        start = next;
      }
      return start;
    }
    case TextUnit::kLine: {
      const std::size_t line = lines_.LineOf(pos);
      if (lines_.LineStart(line) < pos) return lines_.LineStart(line);
      return line > 0 ? std::optional(lines_.LineStart(line - 1)) : std::nullopt;
    }
    case TextUnit::kParagraph:
      return HardLineStartAtOrBefore(text_, pos - 1);
    default:
      return 0;
  }
}

std::size_t TextUnits::StartAtOrBefore(TextUnit unit, std::size_t pos) const {
  pos = CaretStopAtOrBefore(text_, pos);
  switch (unit) {
    case TextUnit::kLine:
      return lines_.LineStart(lines_.LineOf(pos));
    case TextUnit::kParagraph:
      return HardLineStartAtOrBefore(text_, pos);
    case TextUnit::kDocument:
      return 0;
    default:
      break;
  }
  // Characters and words: none starts at the text's end.
  if (pos == text_.size()) return PreviousStart(unit, pos).value_or(0);
  if (pos == 0 || unit == TextUnit::kCharacter) return pos;
  const std::size_t previous = *PreviousStart(unit, pos);
  return NextStart(unit, previous) == pos ? pos : previous;
}

std::size_t TextUnits::NextBoundary(TextUnit unit, std::size_t pos) const {
  return NextStart(unit, pos).value_or(text_.size());
}

Span TextUnits::Expand(TextUnit unit, Span span) const {
  unit = Supported(unit);
  span = Clamp(span);
  if (unit == TextUnit::kDocument) return {0, text_.size()};
  const std::size_t start = StartAtOrBefore(unit, span.start);
  return {start, NextBoundary(unit, start)};
}

int TextUnits::Move(TextUnit unit, int count, Span& span) const {
  unit = Supported(unit);
  Span moved = Clamp(span);
  int steps = 0;
  if (moved.Empty()) {
    std::size_t pos = moved.start;
    for (; steps < count && pos < text_.size(); ++steps) pos = NextBoundary(unit, pos);
    for (; steps > count && pos > 0; --steps) pos = PreviousStart(unit, pos).value_or(0);
    moved = {pos, pos};
  } else {
    std::size_t start = StartAtOrBefore(unit, moved.start);
    for (; steps < count; ++steps) {
      const std::optional<std::size_t> next = NextStart(unit, start);
      if (!next) break;
      start = *next;
    }
    for (; steps > count; --steps) {
      const std::optional<std::size_t> previous = PreviousStart(unit, start);
      if (!previous) break;
      start = *previous;
    }
    moved = {start, NextBoundary(unit, start)};
  }
  // A range that could not move at all stays as it was.
  if (steps != 0) span = moved;
  return steps;
}

int TextUnits::MoveEndpoint(Endpoint which, TextUnit unit, int count, Span& span) const {
  unit = Supported(unit);
  span = Clamp(span);
  std::size_t pos = span.At(which);
  int steps = 0;
  for (; steps < count && pos < text_.size(); ++steps) pos = NextBoundary(unit, pos);
  for (; steps > count && pos > 0; --steps) pos = PreviousStart(unit, pos).value_or(0);
  SetEndpoint(span, which, pos);
  return steps;
}

std::optional<Span> FindText(std::wstring_view text, Span within, std::wstring_view needle,
                             bool backward, wchar_t (*fold)(wchar_t)) {
  within.end = std::min(within.end, text.size());
  within.start = std::min(within.start, within.end);
  if (needle.empty() || needle.size() > within.end - within.start) return std::nullopt;
  const auto first = text.begin() + static_cast<std::ptrdiff_t>(within.start);
  const auto last = text.begin() + static_cast<std::ptrdiff_t>(within.end);
  auto same = [fold](wchar_t a, wchar_t b) { return fold ? fold(a) == fold(b) : a == b; };
  const auto found = backward ? std::find_end(first, last, needle.begin(), needle.end(), same)
                              : std::search(first, last, needle.begin(), needle.end(), same);
  if (found == last) return std::nullopt;
  const auto start = static_cast<std::size_t>(found - text.begin());
  return Span{start, start + needle.size()};
}

}  // namespace pravex::text
