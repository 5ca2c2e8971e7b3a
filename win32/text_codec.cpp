#include "win32/text_codec.h"

#include <windows.h>

#include <limits>

#include "app/errors.h"

namespace pravex::win32 {

namespace {

// The conversion calls take int lengths; longer texts go in pieces.
constexpr std::size_t kChunk = 1u << 28;

}  // namespace

std::string WideToAnsi(std::wstring_view text) {
  std::string out;
  while (!text.empty()) {
    std::size_t take = std::min(text.size(), kChunk);
    // Never split a surrogate pair between two pieces.
    if (take < text.size() && IS_HIGH_SURROGATE(text[take - 1])) --take;
    const int inLength = static_cast<int>(take);
    const int needed =
        ::WideCharToMultiByte(CP_ACP, 0, text.data(), inLength, nullptr, 0, nullptr, nullptr);
    if (needed <= 0) Raise(error::kOutOfMemory);
    const std::size_t at = out.size();
    out.resize(at + static_cast<std::size_t>(needed));
    ::WideCharToMultiByte(CP_ACP, 0, text.data(), inLength, out.data() + at, needed, nullptr,
                          nullptr);
    text.remove_prefix(take);
  }
  return out;
}

std::wstring AnsiToWide(std::string_view bytes) {
  std::wstring out;
  while (!bytes.empty()) {
    std::size_t take = std::min(bytes.size(), kChunk);
    // In a double-byte code page a lead byte must stay with its trail byte.
    if (take < bytes.size() && ::IsDBCSLeadByte(static_cast<BYTE>(bytes[take - 1]))) --take;
    const int inLength = static_cast<int>(take);
    const int needed = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), inLength, nullptr, 0);
    if (needed <= 0) Raise(error::kOutOfMemory);
    const std::size_t at = out.size();
    out.resize(at + static_cast<std::size_t>(needed));
    ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), inLength, out.data() + at, needed);
    bytes.remove_prefix(take);
  }
  return out;
}

}  // namespace pravex::win32
