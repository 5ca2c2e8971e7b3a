#include "diagnosis/status_tool_wait.h"

#include <cwctype>

#include "common/module1.h"

namespace pravex {

namespace {

constexpr long long kMostSeconds = 24LL * 60 * 60;

}  // namespace

std::chrono::seconds PatienceFrom(const std::optional<std::wstring>& setting) {
  if (!setting || setting->empty()) return kDefaultPatience;
  long long seconds = 0;
  for (const wchar_t c : *setting) {
    if (!std::iswdigit(c)) return kDefaultPatience;
    seconds = seconds * 10 + (c - L'0');
    if (seconds > kMostSeconds) return kDefaultPatience;
  }
  return seconds > 0 ? std::chrono::seconds(seconds) : kDefaultPatience;
}

std::wstring KeepWaitingPrompt(std::chrono::seconds waited) {
  const long long minutes = waited.count() / 60;
  const std::wstring howLong = minutes >= 2   ? std::to_wstring(minutes) + L" minutes"
                               : minutes == 1 ? L"1 minute"
                                              : std::to_wstring(waited.count()) + L" seconds";
  return L"The status tool has been running for " + howLong +
         L" and has not finished.\r\n\r\nKeep waiting for it? Choose No to stop it; the diagnosis "
         L"then goes on with what the tool has written so far.";
}

WaitCheck StatusToolWaitCheck(Module1& m) {
  return {.every = PatienceFrom(m.oShell->Environment(L"PRAVEX_STATUS_PATIENCE_SECONDS")),
          .keepWaiting = [&m](std::chrono::seconds waited) {
            return m.MsgBox(KeepWaitingPrompt(waited), mb::kQuestion | mb::kYesNo) ==
                   mb::kAnswerYes;
          }};
}

}  // namespace pravex
