#include "tests/e2e/driver/wide_text.h"

#include <windows.h>

namespace pravex::e2e {

std::string Utf8(std::wstring_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int bytes =
      ::WideCharToMultiByte(CP_UTF8, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  if (bytes <= 0) return "<unconvertible text>";
  std::string result(static_cast<std::size_t>(bytes), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text.data(), length, result.data(), bytes, nullptr, nullptr);
  return result;
}

std::string Quoted(std::wstring_view text) {
  return '"' + Utf8(text) + '"';
}

}  // namespace pravex::e2e
