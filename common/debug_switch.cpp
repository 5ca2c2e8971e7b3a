#include "common/debug_switch.h"

#include <cwctype>

#include "common/errors.h"
#include "common/module1.h"

namespace pravex {

namespace {

bool EqualsIgnoringCase(std::wstring_view text, std::wstring_view word) {
  if (text.size() != word.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    if (std::towlower(text[i]) != std::towlower(word[i])) return false;
  }
  return true;
}

bool IsBlank(wchar_t c) {
  return c == L' ' || c == L'\t';
}
bool IsDecimalDigit(wchar_t c) {
  return c >= L'0' && c <= L'9';
}
bool IsOctalDigit(wchar_t c) {
  return c >= L'0' && c <= L'7';
}
bool IsHexDigit(wchar_t c) {
  return IsDecimalDigit(c) || (c >= L'a' && c <= L'f') || (c >= L'A' && c <= L'F');
}

// Reads a run of digits; reports whether any was not zero.
template <class IsDigit>
std::size_t ScanDigits(std::wstring_view text, std::size_t at, IsDigit isDigit, bool& nonZero) {
  while (at < text.size() && isDigit(text[at])) {
    if (text[at] != L'0') nonZero = true;
    ++at;
  }
  return at;
}

// Whether `text` is a number, and if so whether it is zero.
bool ParseNumber(std::wstring_view text, bool& nonZero) {
  std::size_t begin = 0;
  std::size_t end = text.size();
  while (begin < end && IsBlank(text[begin])) ++begin;
  while (end > begin && IsBlank(text[end - 1])) --end;
  text = text.substr(begin, end - begin);

  std::size_t at = 0;
  if (at < text.size() && (text[at] == L'+' || text[at] == L'-')) ++at;

  nonZero = false;
  if (at < text.size() && text[at] == L'&') {
    ++at;
    if (at < text.size() && (text[at] == L'H' || text[at] == L'h')) {
      const std::size_t digits = at + 1;
      at = ScanDigits(text, digits, IsHexDigit, nonZero);
      return at > digits && at == text.size();
    }
    if (at < text.size() && (text[at] == L'O' || text[at] == L'o')) ++at;
    const std::size_t digits = at;
    at = ScanDigits(text, digits, IsOctalDigit, nonZero);
    return at > digits && at == text.size();
  }

  const std::size_t integerStart = at;
  at = ScanDigits(text, at, IsDecimalDigit, nonZero);
  std::size_t mantissaDigits = at - integerStart;
  if (at < text.size() && text[at] == L'.') {
    const std::size_t fractionStart = ++at;
    at = ScanDigits(text, at, IsDecimalDigit, nonZero);
    mantissaDigits += at - fractionStart;
  }
  if (mantissaDigits == 0) return false;

  if (at < text.size() &&
      (text[at] == L'e' || text[at] == L'E' || text[at] == L'd' || text[at] == L'D')) {
    ++at;
    if (at < text.size() && (text[at] == L'+' || text[at] == L'-')) ++at;
    const std::size_t exponentStart = at;
    bool ignored = false;
    at = ScanDigits(text, at, IsDecimalDigit, ignored);
    if (at == exponentStart) return false;
  }
  return at == text.size();
}

}  // namespace

bool TextToBoolean(std::wstring_view text) {
  if (EqualsIgnoringCase(text, L"True")) return true;
  if (EqualsIgnoringCase(text, L"False")) return false;
  bool nonZero = false;
  if (!ParseNumber(text, nonZero)) Raise(error::kTypeMismatch);
  return nonZero;
}

void ReadDebugSwitch(Module1& module) {
  const std::wstring stored = module.GetSetting(L"DebugMode", L"False");
  module.bDebugMode = TextToBoolean(stored);
  if (!module.bDebugMode) {
    module.SaveSetting(L"DebugMode", L"False");
    return;
  }
  module.MsgBox(L"The tool will run in Debug Mode");
  module.StartTrace(L"Form_Load() 1: Starting app");
}

}  // namespace pravex
