#include "text/caret_stops.h"

#include <algorithm>

namespace pravex::text {

bool IsCaretStop(std::wstring_view text, std::size_t pos) {
  if (pos == 0 || pos >= text.size()) return pos <= text.size();
  const wchar_t before = text[pos - 1];
  const wchar_t at = text[pos];
  return !(IsHighSurrogate(before) && IsLowSurrogate(at)) && !(before == L'\r' && at == L'\n');
}

std::size_t CaretStopAtOrBefore(std::wstring_view text, std::size_t pos) {
  pos = std::min(pos, text.size());
  // Neither pairs nor CR LF overlap, so one step back always lands on a stop.
  return IsCaretStop(text, pos) ? pos : pos - 1;
}

std::size_t NextCaretStop(std::wstring_view text, std::size_t pos) {
  if (pos >= text.size()) return text.size();
  ++pos;
  return IsCaretStop(text, pos) ? pos : pos + 1;
}

std::size_t PreviousCaretStop(std::wstring_view text, std::size_t pos) {
  pos = std::min(pos, text.size());
  if (pos == 0) return 0;
  --pos;
  return IsCaretStop(text, pos) ? pos : pos - 1;
}

}  // namespace pravex::text
