// Lines laid out on their own from a hard line start far into a text, ahead
// of the layout from the text's start: what the text view shows when it is
// scrolled to where that layout has not come yet. A hard line wraps the same
// wherever the layout starts, so these are the very lines that layout will
// find there; only their numbers are an estimate until it does.
#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "text/line_layout.h"

namespace pravex::text {

// How far back from a place a hard line start is looked for. Where a text
// has no line break for longer than this, it is laid out from its start.
inline constexpr std::size_t kMostLookBack = 1 << 16;

// The line count that `lines` lines laid out as far as `laidTo` suggest for
// the first `size` characters of the text; at least `lines`.
std::size_t EstimatedLineCount(std::size_t lines, std::size_t laidTo, std::size_t size);
// The character near which line `line`, beyond the `lines` laid out, starts
// by the same measure; at most `size`.
std::size_t EstimatedLineStart(std::size_t line, std::size_t lines, std::size_t laidTo,
                               std::size_t size);

class DetachedLines {
 public:
  // The lines around the character at `pos`, which lies at or after
  // `floor`, a hard line start: the hard line holding it, the ones after it
  // until `after` lines follow its line, and earlier ones, down to `floor`,
  // until `before` lines stand above it. Nothing when no hard line starts
  // within kMostLookBack characters before `pos`.
  static std::optional<DetachedLines> Around(std::wstring_view text, CharAdvances& advances,
                                             const WrapOptions& options, std::size_t pos,
                                             std::size_t floor, std::size_t before,
                                             std::size_t after);

  std::size_t First() const { return first_; }  // a hard line start
  std::size_t LineCount() const { return lines_.LineCount(); }
  std::size_t LineStart(std::size_t line) const { return first_ + lines_.LineStart(line); }
  std::size_t LineEnd(std::wstring_view text, std::size_t line) const;
  // The line holding the character at `pos`, from First() on.
  std::size_t LineOf(std::size_t pos) const { return lines_.LineOf(pos - first_); }
  bool ReachesEnd() const { return lines_.Complete(); }

  // Lays out on until there are `count` lines or the text ends.
  void ExtendTo(std::wstring_view text, CharAdvances& advances, std::size_t count);
  // Puts earlier hard lines in front, not below `floor`, until `count`
  // lines stand before the line first now (or `floor` or the look-back
  // limit is reached); the lines it added.
  std::size_t Prepend(std::wstring_view text, CharAdvances& advances, std::size_t count,
                      std::size_t floor);

 private:
  DetachedLines(std::size_t first, const WrapOptions& options) : first_(first), options_(options) {}
  // Lays the lines out anew from `first` as far as the hard line holding
  // the character at `through`.
  void Lay(std::wstring_view text, CharAdvances& advances, std::size_t first, std::size_t through);

  std::size_t first_;
  WrapOptions options_;
  LineLayout lines_;
};

}  // namespace pravex::text
