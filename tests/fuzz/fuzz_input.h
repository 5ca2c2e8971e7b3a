// Turns the fuzzer's bytes into the program's wide text: two bytes make one
// UTF-16 unit, so every character, NUL and lone surrogates included, occurs.
#pragma once

#include <cstddef>
#include <cstdint>
#include <cstdlib>
#include <string>
#include <utility>

namespace pravex::fuzz {

inline std::wstring WideFrom(const std::uint8_t* data, std::size_t size) {
  std::wstring text;
  text.reserve(size / 2);
  for (std::size_t i = 0; i + 1 < size; i += 2) {
    text.push_back(static_cast<wchar_t>(data[i] | (data[i + 1] << 8)));
  }
  return text;
}

// Splits the input at the first U+0001 into two texts.
inline std::pair<std::wstring, std::wstring> SplitOnce(const std::wstring& text) {
  const auto at = text.find(L'\x01');
  if (at == std::wstring::npos) return {text, {}};
  return {text.substr(0, at), text.substr(at + 1)};
}

// A broken property is a finding: stop right here so the input is kept.
inline void Check(bool property) {
  if (!property) std::abort();
}

}  // namespace pravex::fuzz
