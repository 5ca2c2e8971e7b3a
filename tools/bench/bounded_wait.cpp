#include "tools/bench/bounded_wait.h"

#include <windows.h>

namespace pravex::bench {

namespace {

constexpr DWORD kPollIntervalMs = 1;

}  // namespace

Milliseconds Deadline::Remaining() const {
  const auto left = limit_.count() - static_cast<long long>(clock_.ElapsedMs());
  return Milliseconds(left > 1 ? left : 1);
}

std::string TimeoutMessage(std::string_view what, Milliseconds limit) {
  return "gave up waiting for " + std::string(what) + " after " + std::to_string(limit.count()) +
         " ms";
}

void PollUntil(const std::function<bool()>& condition, Milliseconds limit, std::string_view what) {
  const Deadline deadline(limit);
  for (;;) {
    if (condition()) return;
    if (deadline.Passed()) throw BenchTimeout(TimeoutMessage(what, limit));
    ::Sleep(kPollIntervalMs);
  }
}

}  // namespace pravex::bench
