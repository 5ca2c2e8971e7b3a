#include "text/detached_lines.h"

#include <algorithm>

namespace pravex::text {

namespace {

// The nearest hard line start at or before `pos`, looking back no further
// than `floor` (a hard line start) and kMostLookBack characters.
std::optional<std::size_t> HardLineStartNear(std::wstring_view text, std::size_t pos,
                                             std::size_t floor) {
  const std::size_t lowest = std::max(floor, pos > kMostLookBack ? pos - kMostLookBack : 0);
  for (std::size_t at = pos;; --at) {
    if (at == floor || IsHardLineStart(text, at)) return at;
    if (at == lowest) return std::nullopt;
  }
}

}  // namespace

std::size_t EstimatedLineCount(std::size_t lines, std::size_t laidTo, std::size_t size) {
  if (laidTo == 0 || size <= laidTo) return lines;
  const double perCharacter = static_cast<double>(lines) / static_cast<double>(laidTo);
  return std::max(lines, static_cast<std::size_t>(perCharacter * static_cast<double>(size)));
}

std::size_t EstimatedLineStart(std::size_t line, std::size_t lines, std::size_t laidTo,
                               std::size_t size) {
  if (lines == 0 || line <= lines) return std::min(laidTo, size);
  const double perLine = static_cast<double>(laidTo) / static_cast<double>(lines);
  const double pos = static_cast<double>(laidTo) + perLine * static_cast<double>(line - lines);
  return pos >= static_cast<double>(size) ? size : static_cast<std::size_t>(pos);
}

std::optional<DetachedLines> DetachedLines::Around(std::wstring_view text, CharAdvances& advances,
                                                   const WrapOptions& options, std::size_t pos,
                                                   std::size_t floor, std::size_t before,
                                                   std::size_t after) {
  if (pos < floor || pos > text.size()) return std::nullopt;
  const std::optional<std::size_t> first = HardLineStartNear(text, pos, floor);
  if (!first) return std::nullopt;
  DetachedLines lines(*first, options);
  lines.Lay(text, advances, *first, pos);
  const std::size_t at = lines.LineOf(pos);
  lines.ExtendTo(text, advances, at + after + 1);
  if (at < before) lines.Prepend(text, advances, before - at, floor);
  return lines;
}

std::size_t DetachedLines::LineEnd(std::wstring_view text, std::size_t line) const {
  return first_ + lines_.LineEnd(text.substr(first_), line);
}

void DetachedLines::Lay(std::wstring_view text, CharAdvances& advances, std::size_t first,
                        std::size_t through) {
  LineLayout lines;
  lines.WrapStart(text.substr(first), advances, options_, through - first);
  lines_ = std::move(lines);
  first_ = first;
}

void DetachedLines::ExtendTo(std::wstring_view text, CharAdvances& advances, std::size_t count) {
  // Laid anew a little further each time, twice as far as before: a few
  // screens' worth, so the cost stays that of the lines kept.
  while (lines_.LineCount() < count && !lines_.Complete()) {
    const std::size_t laidTo = first_ + lines_.LaidTo();
    Lay(text, advances, first_, laidTo + std::max<std::size_t>(laidTo - first_, 1024));
  }
}

std::size_t DetachedLines::Prepend(std::wstring_view text, CharAdvances& advances,
                                   std::size_t count, std::size_t floor) {
  // Each hard line is a line at least: `count` of them are enough.
  std::size_t first = first_;
  for (std::size_t found = 0; found < count && first > floor; ++found) {
    const std::optional<std::size_t> earlier = HardLineStartNear(text, first - 1, floor);
    if (!earlier) break;
    first = *earlier;
  }
  if (first == first_) return 0;
  const std::size_t oldFirst = first_;
  Lay(text, advances, first, first_ + lines_.LaidTo() - (lines_.Complete() ? 0 : 1));
  return LineOf(oldFirst);
}

}  // namespace pravex::text
