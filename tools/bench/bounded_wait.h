// Timing and bounded waiting. Every wait has a limit, and running out of it
// throws BenchTimeout saying what was awaited; the figure is then reported
// as not measured instead of hanging the benchmark.
#pragma once

#include <chrono>
#include <functional>
#include <optional>
#include <stdexcept>
#include <string>
#include <string_view>

namespace pravex::bench {

using Milliseconds = std::chrono::milliseconds;

class BenchTimeout : public std::runtime_error {
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
  explicit Deadline(Milliseconds limit) : limit_(limit) {}
  bool Passed() const { return clock_.ElapsedMs() >= static_cast<double>(limit_.count()); }
  // What is left, at least 1 ms so that a last look is still possible.
  Milliseconds Remaining() const;
  Milliseconds Limit() const { return limit_; }

 private:
  Milliseconds limit_;
  Stopwatch clock_;
};

// "gave up waiting for <what> after <limit> ms"
std::string TimeoutMessage(std::string_view what, Milliseconds limit);

// Looks every millisecond until `condition` holds: a coarser poll would blur
// figures of a few hundred milliseconds.
void PollUntil(const std::function<bool()>& condition, Milliseconds limit, std::string_view what);

template <class T>
T PollFor(const std::function<std::optional<T>()>& probe, Milliseconds limit,
          std::string_view what) {
  std::optional<T> found;
  PollUntil(
      [&] {
        found = probe();
        return found.has_value();
      },
      limit, what);
  return *found;
}

}  // namespace pravex::bench
