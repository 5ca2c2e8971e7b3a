// The stored debug switch: any text either converts or is a type mismatch,
// and blanks around a number never change its value.
#include <cwctype>
#include <optional>

#include "common/debug_switch.h"
#include "common/errors.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

std::optional<bool> Convert(const std::wstring& text) {
  try {
    return pravex::TextToBoolean(text);
  } catch (const pravex::HostError& e) {
    pravex::fuzz::Check(e.Number() == 13);
    return std::nullopt;
  }
}

bool IsBooleanWord(const std::wstring& text) {
  std::wstring lower;
  for (wchar_t c : text) lower.push_back(static_cast<wchar_t>(std::towlower(c)));
  return lower == L"true" || lower == L"false";
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  const std::wstring text = pravex::fuzz::WideFrom(data, size);
  const std::optional<bool> value = Convert(text);
  const std::optional<bool> padded = Convert(L" " + text + L" ");
  // Numbers may carry blanks; the words may not.
  if (!IsBooleanWord(text)) pravex::fuzz::Check(padded == value);
  return 0;
}
