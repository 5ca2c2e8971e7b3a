#include "win32/text_codec.h"

#include <windows.h>

#include <limits>

#include "common/errors.h"

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

// In a single-byte code page each byte is one character, and the system is
// asked only once.
void AppendDecoded(std::string_view bytes, bool singleByte, std::wstring& out) {
  if (bytes.empty()) return;
  const int inLength = static_cast<int>(bytes.size());
  const int needed =
      singleByte ? inLength : ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), inLength, nullptr, 0);
  if (needed <= 0) Raise(error::kOutOfMemory);
  const std::size_t at = out.size();
  out.resize(at + static_cast<std::size_t>(needed));
  const int written =
      ::MultiByteToWideChar(CP_ACP, 0, bytes.data(), inLength, out.data() + at, needed);
  if (written <= 0) Raise(error::kOutOfMemory);
  out.resize(at + static_cast<std::size_t>(written));
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
  AppendDecoded(bytes.substr(0, complete), maxCharSize_ <= 1, out);
  std::string rest(bytes.substr(complete));
  pending_ = std::move(rest);
}

void AnsiStreamDecoder::Finish(std::wstring& out) {
  AppendDecoded(pending_, maxCharSize_ <= 1, out);
  pending_.clear();
}

}  // namespace pravex::win32
