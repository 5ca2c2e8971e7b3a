#include "net/remote_name.h"

#include <algorithm>

#include "diagnosis/report_name.h"

namespace pravex {

namespace {

// The report's name without its folder: the remote name starts the same way.
constexpr std::wstring_view kRemotePrefix = kReportPrefix.substr(kReportPrefix.rfind(L'\\') + 1);

bool IsControl(wchar_t c) {
  return c < 0x20 || c == 0x7F;
}

// What is left of `text` after its first `count` characters.
std::wstring_view After(std::wstring_view text, std::size_t count) {
  return count < text.size() ? text.substr(count) : std::wstring_view{};
}

}  // namespace

std::wstring WithoutControlCharacters(std::wstring_view text, wchar_t replacement) {
  std::wstring clean(text);
  std::replace_if(clean.begin(), clean.end(), IsControl, replacement);
  return clean;
}

std::wstring RemoteFileName(std::wstring_view resultFile, std::wstring_view name,
                            std::wstring_view company) {
  const std::wstring_view tail = After(resultFile, kReportPrefix.size());
  std::wstring remote(kRemotePrefix);
  remote += name;
  remote += L'_';
  remote += company;
  remote += L'_';
  remote += tail;
  std::replace(remote.begin(), remote.end(), L' ', L'_');
  return WithoutControlCharacters(remote, L'_');
}

}  // namespace pravex
