#include "text/word_bounds.h"

#include <algorithm>

#include "text/line_layout.h"

namespace pravex::text {

namespace {

enum class CharClass { kBlank, kBreak, kPunctuation, kWord };

CharClass ClassOf(wchar_t c) {
  if (IsBlank(c)) return CharClass::kBlank;
  if (IsLineBreak(c)) return CharClass::kBreak;
  const bool asciiPunctuation = (c >= L'!' && c <= L'/') || (c >= L':' && c <= L'@') ||
                                (c >= L'[' && c <= L'`' && c != L'_') || (c >= L'{' && c <= L'~');
  return asciiPunctuation ? CharClass::kPunctuation : CharClass::kWord;
}

std::size_t SkipForward(std::wstring_view text, std::size_t pos, CharClass kind) {
  while (pos < text.size() && ClassOf(text[pos]) == kind) ++pos;
  return pos;
}

std::size_t SkipBackward(std::wstring_view text, std::size_t pos, CharClass kind) {
  while (pos > 0 && ClassOf(text[pos - 1]) == kind) --pos;
  return pos;
}

}  // namespace

std::size_t NextWordStart(std::wstring_view text, std::size_t pos) {
  if (pos >= text.size()) return text.size();
  const CharClass kind = ClassOf(text[pos]);
  if (kind == CharClass::kBreak) return AfterBreak(text, pos);
  if (kind != CharClass::kBlank) pos = SkipForward(text, pos, kind);
  return SkipForward(text, pos, CharClass::kBlank);
}

std::size_t PreviousWordStart(std::wstring_view text, std::size_t pos) {
  pos = SkipBackward(text, std::min(pos, text.size()), CharClass::kBlank);
  if (pos == 0) return 0;
  const CharClass kind = ClassOf(text[pos - 1]);
  if (kind == CharClass::kBreak) {
    return pos >= 2 && text[pos - 1] == L'\n' && text[pos - 2] == L'\r' ? pos - 2 : pos - 1;
  }
  return SkipBackward(text, pos, kind);
}

Span WordAt(std::wstring_view text, std::size_t pos) {
  pos = std::min(pos, text.size());
  // At a line's end the word before the caret is meant; on an empty line
  // there is none.
  if (pos == text.size() || ClassOf(text[pos]) == CharClass::kBreak) {
    if (pos == 0 || ClassOf(text[pos - 1]) == CharClass::kBreak) return {pos, pos};
    --pos;
  }
  const CharClass kind = ClassOf(text[pos]);
  Span range{SkipBackward(text, pos, kind), SkipForward(text, pos, kind)};
  if (kind != CharClass::kBlank) range.end = SkipForward(text, range.end, CharClass::kBlank);
  return range;
}

}  // namespace pravex::text
