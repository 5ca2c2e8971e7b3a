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

namespace {

void AppendConverted(std::string_view bytes, std::wstring& out) {
  if (bytes.empty()) return;
  const int inLength = static_cast<int>(bytes.size());
  const int needed = ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), inLength, nullptr, 0);
  if (needed <= 0) Raise(error::kOutOfMemory);
  const std::size_t at = out.size();
  out.resize(at + static_cast<std::size_t>(needed));
  ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), inLength, out.data() + at, needed);
}

bool IsAscii(char byte) {
  return static_cast<unsigned char>(byte) < 0x80;
}

// ASCII, nearly all of a report, means the same in every single-byte code
// page and in UTF-8, where no byte of another character is below 0x80: it is
// widened here, and only the runs of other bytes go through the system's
// conversion. (In a double-byte code page a character's second byte may be
// ASCII, so there everything is converted by the system.)
void AppendWidened(std::string_view bytes, std::wstring& out) {
  std::size_t at = 0;
  while (at < bytes.size()) {
    std::size_t end = at;
    while (end < bytes.size() && IsAscii(bytes[end])) ++end;
    if (end > at) {
      const std::size_t start = out.size();
      out.resize(start + (end - at));
      wchar_t* target = out.data() + start;
      for (std::size_t i = at; i < end; ++i) *target++ = static_cast<unsigned char>(bytes[i]);
      at = end;
    }
    while (end < bytes.size() && !IsAscii(bytes[end])) ++end;
    AppendConverted(bytes.substr(at, end - at), out);
    at = end;
  }
}

}  // namespace

AnsiStreamDecoder::AnsiStreamDecoder() : codePage_(::GetACP()), maxCharSize_(1) {
  CPINFO info{};
  if (::GetCPInfo(codePage_, &info)) maxCharSize_ = info.MaxCharSize;
}

std::size_t AnsiStreamDecoder::CompleteLength(std::string_view bytes) const {
  if (maxCharSize_ <= 1) return bytes.size();
  if (codePage_ == CP_UTF8) {
    // Step back over continuation bytes to the last lead byte, then check
    // that its sequence is whole.
    std::size_t lead = bytes.size();
    int continuation = 0;
    while (lead > 0 && continuation < 4 &&
           (static_cast<unsigned char>(bytes[lead - 1]) & 0xC0) == 0x80) {
      --lead;
      ++continuation;
    }
    if (lead == 0) return bytes.size();
    const auto first = static_cast<unsigned char>(bytes[lead - 1]);
    const int length = first >= 0xF0 ? 4 : first >= 0xE0 ? 3 : first >= 0xC0 ? 2 : 1;
    return continuation + 1 < length ? lead - 1 : bytes.size();
  }
  // Double-byte code pages: walk forward, a lead byte takes the next byte.
  std::size_t at = 0;
  while (at < bytes.size()) {
    if (::IsDBCSLeadByteEx(codePage_, static_cast<BYTE>(bytes[at]))) {
      if (at + 1 >= bytes.size()) return at;
      at += 2;
    } else {
      ++at;
    }
  }
  return bytes.size();
}

void AnsiStreamDecoder::Decode(std::string_view piece, std::wstring& out) {
  std::string_view bytes = piece;
  if (!pending_.empty()) {
    pending_.append(piece);
    bytes = pending_;
  }
  const std::size_t complete = CompleteLength(bytes);
  Append(bytes.substr(0, complete), out);
  std::string rest(bytes.substr(complete));
  pending_ = std::move(rest);
}

void AnsiStreamDecoder::Append(std::string_view bytes, std::wstring& out) const {
  if (maxCharSize_ <= 1 || codePage_ == CP_UTF8) {
    AppendWidened(bytes, out);
  } else {
    AppendConverted(bytes, out);
  }
}

void AnsiStreamDecoder::Finish(std::wstring& out) {
  Append(pending_, out);
  pending_.clear();
}

}  // namespace pravex::win32
