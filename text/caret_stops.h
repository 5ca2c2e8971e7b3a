// Where the caret may stand: between any two characters but the halves of
// a UTF-16 surrogate pair and the CR and LF of a line break. Every caret
// move, selection end and deletion goes from stop to stop, so no edit ever
// leaves half a character or half a line break behind. Portable.
#pragma once

#include <cstddef>
#include <string_view>

namespace pravex::text {

inline bool IsHighSurrogate(wchar_t c) {
  return c >= 0xD800 && c <= 0xDBFF;
}
inline bool IsLowSurrogate(wchar_t c) {
  return c >= 0xDC00 && c <= 0xDFFF;
}

// Whether `pos` (at most the text's size) is a caret stop.
bool IsCaretStop(std::wstring_view text, std::size_t pos);
// The stop at `pos`, or the one just before it; past the end, the end.
std::size_t CaretStopAtOrBefore(std::wstring_view text, std::size_t pos);
// The next stop after `pos`, or the end.
std::size_t NextCaretStop(std::wstring_view text, std::size_t pos);
// The stop before `pos`, or 0.
std::size_t PreviousCaretStop(std::wstring_view text, std::size_t pos);

}  // namespace pravex::text
