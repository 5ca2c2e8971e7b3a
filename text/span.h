// A stretch of the text, [start, end): a selection, a word, a line, a range
// assistive technology holds. Portable.
#pragma once

#include <algorithm>
#include <cstddef>

namespace pravex::text {

// In the order and with the values UI Automation gives a range's ends.
enum class Endpoint { kStart = 0, kEnd = 1 };

struct Span {
  std::size_t start = 0;
  std::size_t end = 0;
  bool Empty() const { return start == end; }
  std::size_t At(Endpoint which) const { return which == Endpoint::kStart ? start : end; }
  friend bool operator==(const Span&, const Span&) = default;
};

// Sets one end; an end moved past the other takes the other along.
inline void SetEndpoint(Span& span, Endpoint which, std::size_t pos) {
  if (which == Endpoint::kStart) {
    span.start = pos;
    span.end = std::max(span.end, pos);
  } else {
    span.end = pos;
    span.start = std::min(span.start, pos);
  }
}

}  // namespace pravex::text
