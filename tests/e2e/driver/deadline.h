// Waiting with a time limit, and timing. Every wait in the driver polls a
// condition until it holds or its limit has passed; a wait that runs out says
// what it was waiting for and for how long.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace pravex::e2e {

using Milliseconds = std::chrono::milliseconds;

// Short enough not to slow the tests down, long enough not to hog the CPU
// that the program under test needs. A wait that times something looks
// more often.
inline constexpr Milliseconds kPollInterval{10};

class WaitTimeout : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class Stopwatch {
 public:
  Stopwatch() : start_(std::chrono::steady_clock::now()) {}
  double ElapsedMs() const {
    return std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start_)
        .count();
  }

 private:
  std::chrono::steady_clock::time_point start_;
};

class Deadline {
 public:
  explicit Deadline(Milliseconds limit);
  bool Passed() const;
  // What is left, at least 1 ms so that a last look is still possible.
  Milliseconds Remaining() const;

 private:
  std::chrono::steady_clock::time_point end_;
};

// Handles this thread's own messages for `interval`. The driver owns no
// windows, but anything the system sends it must not be kept waiting.
void PumpMessagesFor(Milliseconds interval);

// Polls until `condition` holds or `limit` has passed; whether it held.
bool PollUntil(const std::function<bool()>& condition, Milliseconds limit,
               Milliseconds interval = kPollInterval);

// "Gave up waiting for <what> after <limit> ms".
std::string TimeoutMessage(std::string_view what, Milliseconds limit);

// Like PollUntil, but running out throws WaitTimeout naming `what`.
void WaitUntil(const std::function<bool()>& condition, Milliseconds limit, std::string_view what,
               Milliseconds interval = kPollInterval);

// Polls `probe` until it yields a value; running out throws WaitTimeout.
template <class T>
T WaitFor(const std::function<std::optional<T>()>& probe, Milliseconds limit, std::string_view what,
          Milliseconds interval = kPollInterval) {
  std::optional<T> result;
  WaitUntil(
      [&] {
        result = probe();
        return result.has_value();
      },
      limit, what, interval);
  return *result;
}

}  // namespace pravex::e2e
