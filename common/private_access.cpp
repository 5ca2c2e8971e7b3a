#include "common/private_access.h"

#include "common/errors.h"

namespace pravex {

namespace {

// "S-1-" and one or more numbers joined by "-".
bool IsSid(std::wstring_view text) {
  constexpr std::wstring_view kStart = L"S-1-";
  if (!text.starts_with(kStart)) return false;
  bool digitBefore = false;
  for (const wchar_t c : text.substr(kStart.size())) {
    if (c >= L'0' && c <= L'9') {
      digitBefore = true;
    } else if (c == L'-' && digitBefore) {
      digitBefore = false;
    } else {
      return false;
    }
  }
  return digitBefore;
}

}  // namespace

std::wstring PrivateFileDescriptor(std::wstring_view userSid) {
  if (!IsSid(userSid)) Raise(error::kInvalidProcedureCall);
  // P: protected; A;;FA: allow all file access; SY: SYSTEM; BA: Administrators.
  return L"D:P(A;;FA;;;" + std::wstring(userSid) + L")(A;;FA;;;SY)(A;;FA;;;BA)";
}

}  // namespace pravex
