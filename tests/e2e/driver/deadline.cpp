#include "tests/e2e/driver/deadline.h"

#include <windows.h>

#include <algorithm>

namespace pravex::e2e {

Deadline::Deadline(Milliseconds limit) : end_(std::chrono::steady_clock::now() + limit) {}

bool Deadline::Passed() const {
  return std::chrono::steady_clock::now() >= end_;
}

Milliseconds Deadline::Remaining() const {
  const auto left =
      std::chrono::duration_cast<Milliseconds>(end_ - std::chrono::steady_clock::now());
  return std::max(left, Milliseconds{1});
}

void PumpMessagesFor(Milliseconds interval) {
  const Deadline deadline(interval);
  do {
    ::MsgWaitForMultipleObjectsEx(0, nullptr, static_cast<DWORD>(deadline.Remaining().count()),
                                  QS_ALLINPUT, MWMO_INPUTAVAILABLE);
    MSG msg{};
    while (::PeekMessageW(&msg, nullptr, 0, 0, PM_REMOVE)) {
      ::TranslateMessage(&msg);
      ::DispatchMessageW(&msg);
    }
  } while (!deadline.Passed());
}

bool PollUntil(const std::function<bool()>& condition, Milliseconds limit, Milliseconds interval) {
  const Deadline deadline(limit);
  for (;;) {
    if (condition()) return true;
    if (deadline.Passed()) return false;
    PumpMessagesFor(std::min(interval, deadline.Remaining()));
  }
}

std::string TimeoutMessage(std::string_view what, Milliseconds limit) {
  return "Gave up waiting for " + std::string(what) + " after " + std::to_string(limit.count()) +
         " ms";
}

void WaitUntil(const std::function<bool()>& condition, Milliseconds limit, std::string_view what,
               Milliseconds interval) {
  if (!PollUntil(condition, limit, interval)) throw WaitTimeout(TimeoutMessage(what, limit));
}

}  // namespace pravex::e2e
