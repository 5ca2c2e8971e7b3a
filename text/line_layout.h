// Where the display lines of a word-wrapped text start. Portable: the text
// view measures characters through CharAdvances, and the unit tests lay
// text out on the host with made-up widths.
//
// A hard line ends at CR LF, a lone LF or a lone CR; the text itself is never
// changed. A hard line longer than the width wraps after its last blank that
// fits (blanks stay at the end of the line they follow and may run past the
// width), or between characters when one word alone is wider than the width,
// never between the halves of a surrogate pair.
// Every display line holds at least one character.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <functional>
#include <limits>
#include <string_view>
#include <utility>
#include <vector>

namespace pravex::text {

// Pixel widths of characters, asked of the font 256 at a time on first use,
// so that a report in one script costs a block or two of font queries.
class CharAdvances {
 public:
  static constexpr std::size_t kBlockSize = 256;
  using Block = std::array<std::uint16_t, kBlockSize>;
  // Fills in the widths of the block starting at `first`.
  using BlockLoader = std::function<void(char16_t first, Block& widths)>;

  CharAdvances() = default;
  explicit CharAdvances(BlockLoader loader) : loader_(std::move(loader)) {}
  // A copy would point into the original's blocks.
  CharAdvances(const CharAdvances&) = delete;
  CharAdvances& operator=(const CharAdvances&) = delete;
  CharAdvances(CharAdvances&&) = default;
  CharAdvances& operator=(CharAdvances&&) = default;

  int Of(wchar_t c) {
    auto unit = static_cast<std::uint32_t>(c);
    if constexpr (sizeof(wchar_t) > sizeof(char16_t)) {
      // UTF-16 code units only: beyond them the host's wchar_t is measured as U+FFFD.
      if (unit > 0xFFFF) unit = 0xFFFD;
    }
    const std::uint16_t* block = blocks_[unit / kBlockSize];
    if (!block) block = Load(unit / kBlockSize);
    return block[unit % kBlockSize];
  }
  // After a font change: every width is asked again.
  void Forget() {
    blocks_.fill(nullptr);
    storage_.clear();
  }

 private:
  const std::uint16_t* Load(std::size_t blockIndex);

  BlockLoader loader_;
  std::array<const std::uint16_t*, 0x10000 / kBlockSize> blocks_{};
  std::vector<Block> storage_;  // reserved once: the pointers above stay valid
};

struct WrapOptions {
  int width = 0;     // pixels available to a line
  int tabWidth = 8;  // distance of the tab stops, in pixels
};

// Blanks are where a line may wrap; a NUL is shown as a blank.
inline bool IsBlank(wchar_t c) {
  return c == L' ' || c == L'\t' || c == L'\0';
}
inline bool IsLineBreak(wchar_t c) {
  return c == L'\r' || c == L'\n';
}

// Whether a hard line starts at `pos`: just after a line break.
bool IsHardLineStart(std::wstring_view text, std::size_t pos);
// The position just past the line break starting at `pos`, CR LF as one.
std::size_t AfterBreak(std::wstring_view text, std::size_t pos);
// The last hard line start at or before `pos`, or 0.
std::size_t HardLineStartAtOrBefore(std::wstring_view text, std::size_t pos);

// Pixels from a line's start. Blanks hang past the width without wrapping,
// so a line of blanks or tabs reaches far beyond what an int holds.
using LineX = std::int64_t;

// The advance of `c` drawn at `x` pixels from the line's start.
inline int AdvanceAt(CharAdvances& advances, wchar_t c, LineX x, int tabWidth) {
  if (c == L'\t') return tabWidth - static_cast<int>(x % tabWidth);
  return advances.Of(c == L'\0' ? L' ' : c);
}

class LineLayout {
 public:
  // Line starts are kept in 32 bits: longer texts are refused (std::length_error).
  static constexpr std::size_t kMaxText = std::numeric_limits<std::uint32_t>::max() - 1;

  // Lays the whole text out anew.
  void Wrap(std::wstring_view text, CharAdvances& advances, const WrapOptions& options);
  // Lays the text out anew as far as the hard line holding the character at
  // `through`; Extend goes on from there. A large text's first screen needs
  // only its first lines.
  void WrapStart(std::wstring_view text, CharAdvances& advances, const WrapOptions& options,
                 std::size_t through);
  // Lays out on, as far as the hard line holding the character at `through`.
  void Extend(std::wstring_view text, CharAdvances& advances, std::size_t through);
  // Whether the whole text is laid out; an Update needs it to be. Until
  // then the lines end at LaidTo(), a hard line start.
  bool Complete() const { return complete_; }
  std::size_t LaidTo() const { return laidTo_; }
  // After `removed` characters at `pos` were replaced by `inserted` ones
  // (`text` is the text after the edit): wraps the touched hard lines again
  // and shifts the later line starts. Leaves the layout as it was if it throws.
  void Update(std::wstring_view text, std::size_t pos, std::size_t removed, std::size_t inserted,
              CharAdvances& advances);

  const WrapOptions& Options() const { return options_; }
  std::size_t LineCount() const { return starts_.size(); }
  std::size_t LineStart(std::size_t line) const { return starts_[line]; }
  // Where the line's characters end: before its line break, or where the
  // next line starts after a wrap.
  std::size_t LineEnd(std::wstring_view text, std::size_t line) const;
  // The line holding the character at `pos` (the last line for the text's end).
  std::size_t LineOf(std::size_t pos) const;
  const std::vector<std::uint32_t>& Starts() const { return starts_; }

 private:
  // Appends the starts of the lines from `from` (a hard line start) up to
  // `to` (a hard line start or the text's end).
  void WrapRange(std::wstring_view text, std::size_t from, std::size_t to, CharAdvances& advances,
                 std::vector<std::uint32_t>& out) const;

  WrapOptions options_;
  std::vector<std::uint32_t> starts_{0};
  std::size_t laidTo_ = 0;
  bool complete_ = true;
  std::vector<std::uint32_t> scratch_;  // the rewrapped lines of an edit, reused
};

// Pixels from the line's start to `pos` (line start <= pos <= line end).
LineX XOf(std::wstring_view text, std::size_t lineStart, std::size_t pos, CharAdvances& advances,
          int tabWidth);
// The caret position in [lineStart, lineEnd] nearest to `x` pixels.
std::size_t PosAtX(std::wstring_view text, std::size_t lineStart, std::size_t lineEnd, LineX x,
                   CharAdvances& advances, int tabWidth);

}  // namespace pravex::text
