// Waiting with a time limit. Every wait in the driver polls a condition until
// it holds or its limit has passed; a wait that runs out says what it was
// waiting for and for how long.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace pravex::e2e {

using Milliseconds = std::chrono::milliseconds;

class WaitTimeout : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Deadline {
 public:
  explicit Deadline(Milliseconds limit);
  bool Passed() const;
  Milliseconds Remaining() const;

 private:
  std::chrono::steady_clock::time_point end_;
};

// Handles this thread's own messages for `interval`. The driver owns no
// windows, but anything the system sends it must not be kept waiting.
void PumpMessagesFor(Milliseconds interval);

// Polls until `condition` holds or `limit` has passed; whether it held.
bool PollUntil(const std::function<bool()>& condition, Milliseconds limit);

// "Gave up waiting for <what> after <limit> ms".
std::string TimeoutMessage(std::string_view what, Milliseconds limit);

// Like PollUntil, but running out throws WaitTimeout naming `what`.
void WaitUntil(const std::function<bool()>& condition, Milliseconds limit, std::string_view what);

// Polls `probe` until it yields a value; running out throws WaitTimeout.
template <class T>
T WaitFor(const std::function<std::optional<T>()>& probe, Milliseconds limit,
          std::string_view what) {
  std::optional<T> result;
  WaitUntil(
      [&] {
        result = probe();
        return result.has_value();
      },
      limit, what);
  return *result;
}

}  // namespace pravex::e2e
