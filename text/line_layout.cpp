#include "text/line_layout.h"

#include <algorithm>
#include <stdexcept>

#include "text/caret_stops.h"

namespace pravex::text {

const std::uint16_t* CharAdvances::Load(std::size_t blockIndex) {
  if (storage_.capacity() == 0) storage_.reserve(blocks_.size());
  Block& block = storage_.emplace_back();
  block.fill(0);
  if (loader_) loader_(static_cast<char16_t>(blockIndex * kBlockSize), block);
  blocks_[blockIndex] = block.data();
  return block.data();
}

bool IsHardLineStart(std::wstring_view text, std::size_t pos) {
  if (pos == 0 || pos > text.size()) return false;
  const wchar_t before = text[pos - 1];
  if (before == L'\n') return true;
  return before == L'\r' && (pos == text.size() || text[pos] != L'\n');
}

std::size_t AfterBreak(std::wstring_view text, std::size_t pos) {
  return text[pos] == L'\r' && pos + 1 < text.size() && text[pos + 1] == L'\n' ? pos + 2 : pos + 1;
}

std::size_t HardLineStartAtOrBefore(std::wstring_view text, std::size_t pos) {
  // Searched backward for a line break, as a hard line may be megabytes long.
  while (pos > 0) {
    const std::size_t lineBreak = text.find_last_of(L"\r\n", pos - 1);
    if (lineBreak == std::wstring_view::npos) return 0;
    const std::size_t start = AfterBreak(text, lineBreak);
    if (start <= pos) return start;
    pos = lineBreak;  // `pos` was inside this CR LF
  }
  return 0;
}

namespace {

void CheckLength(std::wstring_view text) {
  if (text.size() > LineLayout::kMaxText) throw std::length_error("text too long to lay out");
}

// The first hard line start at or after `pos`, or the text's size when none
// comes before the end.
std::size_t HardLineStartAtOrAfter(std::wstring_view text, std::size_t pos) {
  for (std::size_t at = pos; at < text.size(); ++at) {
    if (IsHardLineStart(text, at)) return at;
  }
  return text.size();
}

}  // namespace

void LineLayout::WrapRange(std::wstring_view text, std::size_t from, std::size_t to,
                           CharAdvances& advances, std::vector<std::uint32_t>& out) const {
  const int width = options_.width;
  const int tabWidth = std::max(1, options_.tabWidth);
  const wchar_t* chars = text.data();
  constexpr std::size_t kNone = static_cast<std::size_t>(-1);

  out.push_back(static_cast<std::uint32_t>(from));
  std::size_t lineStart = from;
  std::size_t wrapAt = kNone;  // just after the line's last blank
  LineX x = 0;
  LineX xAtWrap = 0;
  std::size_t i = from;
  while (i < to) {
    const wchar_t c = chars[i];
    if (c <= L' ') {
      if (c == L'\r' || c == L'\n') {
        std::size_t next = i + 1;
        if (c == L'\r' && next < text.size() && chars[next] == L'\n') ++next;
        // The line starting at `to` is the caller's, unless it is the
        // empty line after a break that ends the text.
        if (next < to || next == text.size()) out.push_back(static_cast<std::uint32_t>(next));
        lineStart = next;
        wrapAt = kNone;
        x = 0;
        i = next;
        continue;
      }
      if (IsBlank(c)) {
        // Blanks never wrap: they hang at the end of the line they follow.
        x += AdvanceAt(advances, c, x, tabWidth);
        wrapAt = ++i;
        xAtWrap = x;
        continue;
      }
    }
    const int advance = advances.Of(c);
    if (x + advance > width && i > lineStart) {
      const bool secondHalf = IsLowSurrogate(c) && IsHighSurrogate(chars[i - 1]);
      if (wrapAt != kNone) {
        // The word begun after the last blank moves down whole; it holds no
        // tab, so its width does not depend on where it starts.
        lineStart = wrapAt;
        x -= xAtWrap;
      } else if (!secondHalf) {
        lineStart = i;
        x = 0;
      } else if (i - 1 > lineStart) {
        // A surrogate pair moves down whole...
        lineStart = --i;
        x = 0;
      } else {
        // ...unless it alone is wider than the line.
        x += advance;
        ++i;
        continue;
      }
      out.push_back(static_cast<std::uint32_t>(lineStart));
      wrapAt = kNone;
      continue;  // the same character again, on the new line
    }
    x += advance;
    ++i;
  }
}

namespace {

// Where a layout that must hold the character at `through` stops: the
// next hard line start after it, or the text's end.
std::size_t StopFor(std::wstring_view text, std::size_t through) {
  return through >= text.size() ? text.size() : HardLineStartAtOrAfter(text, through + 1);
}

}  // namespace

void LineLayout::Wrap(std::wstring_view text, CharAdvances& advances, const WrapOptions& options) {
  WrapStart(text, advances, options, text.size());
}

void LineLayout::WrapStart(std::wstring_view text, CharAdvances& advances,
                           const WrapOptions& options, std::size_t through) {
  CheckLength(text);
  const WrapOptions previous = options_;
  options_ = options;
  try {
    const std::size_t to = StopFor(text, through);
    std::vector<std::uint32_t> starts;
    starts.reserve(to / 64 + 1);
    WrapRange(text, 0, to, advances, starts);
    starts_.swap(starts);
    laidTo_ = to;
    complete_ = to == text.size();
  } catch (...) {
    options_ = previous;
    throw;
  }
}

void LineLayout::Extend(std::wstring_view text, CharAdvances& advances, std::size_t through) {
  if (complete_ || through < laidTo_) return;
  CheckLength(text);
  const std::size_t to = StopFor(text, through);
  const std::size_t kept = starts_.size();
  if (starts_.capacity() == kept) {
    // Room for the whole text at once, as many lines as the part laid out
    // so far suggests and no fewer than a whole layout would reserve: a
    // vector that grows by doubling holds its old and new storage at once.
    const double perCharacter = static_cast<double>(kept) / static_cast<double>(laidTo_);
    const auto estimate =
        static_cast<std::size_t>(perCharacter * 1.05 * static_cast<double>(text.size()));
    starts_.reserve(std::max(estimate, text.size() / 64 + 1));
  }
  // Straight onto the end: a last piece of many megabytes must not be held
  // twice on its way in.
  try {
    WrapRange(text, laidTo_, to, advances, starts_);
  } catch (...) {
    starts_.resize(kept);
    throw;
  }
  laidTo_ = to;
  complete_ = to == text.size();
}

void LineLayout::Update(std::wstring_view text, std::size_t pos, std::size_t removed,
                        std::size_t inserted, CharAdvances& advances) {
  if (!complete_) throw std::logic_error("an edit of a layout not complete");
  CheckLength(text);
  // Whether a hard line starts at some place depends on the characters just
  // before and at it. The edit leaves those of every start before `pos` and
  // of every start after the first unchanged character past the edit as
  // they were, so only the hard lines in between are wrapped again.
  const std::size_t from = pos == 0 ? 0 : HardLineStartAtOrBefore(text, pos - 1);
  const std::size_t toNew = HardLineStartAtOrAfter(text, pos + inserted + 1);
  const bool toEnd = toNew >= text.size();

  auto first = std::lower_bound(starts_.begin(), starts_.end(), static_cast<std::uint32_t>(from));
  auto last = starts_.end();
  if (!toEnd) {
    const std::size_t toOld = toNew - inserted + removed;
    last = std::lower_bound(first, starts_.end(), static_cast<std::uint32_t>(toOld));
  }
  const auto firstIndex = static_cast<std::size_t>(first - starts_.begin());
  const auto lastIndex = static_cast<std::size_t>(last - starts_.begin());

  scratch_.clear();
  WrapRange(text, from, toEnd ? text.size() : toNew, advances, scratch_);

  const std::size_t replaced = lastIndex - firstIndex;
  if (scratch_.size() > replaced) starts_.reserve(starts_.size() + scratch_.size() - replaced);
  // Nothing below allocates, so the layout changes whole or not at all.
  for (std::size_t k = lastIndex; k < starts_.size(); ++k) {
    starts_[k] = static_cast<std::uint32_t>(starts_[k] - removed + inserted);
  }
  if (scratch_.size() >= replaced) {
    std::copy_n(scratch_.begin(), replaced,
                starts_.begin() + static_cast<std::ptrdiff_t>(firstIndex));
    starts_.insert(starts_.begin() + static_cast<std::ptrdiff_t>(lastIndex),
                   scratch_.begin() + static_cast<std::ptrdiff_t>(replaced), scratch_.end());
  } else {
    std::copy(scratch_.begin(), scratch_.end(),
              starts_.begin() + static_cast<std::ptrdiff_t>(firstIndex));
    starts_.erase(starts_.begin() + static_cast<std::ptrdiff_t>(firstIndex + scratch_.size()),
                  starts_.begin() + static_cast<std::ptrdiff_t>(lastIndex));
  }
  laidTo_ = text.size();
}

std::size_t LineLayout::LineEnd(std::wstring_view text, std::size_t line) const {
  const std::size_t start = starts_[line];
  std::size_t end = line + 1 < starts_.size() ? starts_[line + 1] : laidTo_;
  if (end > start && text[end - 1] == L'\n') {
    --end;
    if (end > start && text[end - 1] == L'\r') --end;
  } else if (end > start && text[end - 1] == L'\r') {
    --end;
  }
  return end;
}

std::size_t LineLayout::LineOf(std::size_t pos) const {
  const auto after = std::upper_bound(starts_.begin(), starts_.end(), pos);
  return after == starts_.begin() ? 0 : static_cast<std::size_t>(after - starts_.begin()) - 1;
}

LineX XOf(std::wstring_view text, std::size_t lineStart, std::size_t pos, CharAdvances& advances,
          int tabWidth) {
  tabWidth = std::max(1, tabWidth);
  LineX x = 0;
  for (std::size_t i = lineStart; i < pos; ++i) x += AdvanceAt(advances, text[i], x, tabWidth);
  return x;
}

std::size_t PosAtX(std::wstring_view text, std::size_t lineStart, std::size_t lineEnd, LineX x,
                   CharAdvances& advances, int tabWidth) {
  tabWidth = std::max(1, tabWidth);
  LineX left = 0;
  for (std::size_t i = lineStart; i < lineEnd; ++i) {
    const int advance = AdvanceAt(advances, text[i], left, tabWidth);
    // Past the middle of a character, the caret goes after it.
    if (x < left + (advance + 1) / 2) return i;
    left += advance;
  }
  return lineEnd;
}

}  // namespace pravex::text
