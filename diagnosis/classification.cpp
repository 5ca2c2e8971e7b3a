#include "diagnosis/classification.h"

#include <algorithm>
#include <array>

#include "pravex_config.h"

namespace pravex {

const ClassificationTable& ConfiguredTable() {
  static const ClassificationTable table{
      config::kValidityMarker,
      {{
          {config::kRows[0].marker, config::kRows[0].label},
          {config::kRows[1].marker, config::kRows[1].label},
          {config::kRows[2].marker, config::kRows[2].label},
          {config::kRows[3].marker, config::kRows[3].label},
          {config::kRows[4].marker, config::kRows[4].label},
          {config::kRows[5].marker, config::kRows[5].label},
      }},
  };
  return table;
}

namespace {

// Boyer-Moore-Horspool: looks at about one character in every pattern's
// length. A report of many megabytes holds none of most markers, so a
// search usually reads it to its end.
class Search {
 public:
  explicit Search(std::wstring_view pattern) : pattern_(pattern) {
    // Shifts by the low byte of the character: characters that share it
    // take the smaller shift, which is always safe.
    shift_.fill(pattern.size());
    for (std::size_t i = 0; i + 1 < pattern.size(); ++i) {
      shift_[pattern[i] & 0xFF] = pattern.size() - 1 - i;
    }
  }

  // Where the pattern next occurs at or after `from`, or npos.
  std::size_t Next(std::wstring_view text, std::size_t from) const {
    const std::size_t m = pattern_.size();
    if (m == 0) return from <= text.size() ? from : std::wstring_view::npos;
    if (text.size() < m || from > text.size() - m) return std::wstring_view::npos;
    const wchar_t last = pattern_[m - 1];
    for (std::size_t end = from + m - 1; end < text.size(); end += shift_[text[end] & 0xFF]) {
      if (text[end] == last && text.compare(end + 1 - m, m, pattern_) == 0) return end + 1 - m;
    }
    return std::wstring_view::npos;
  }

 private:
  std::wstring_view pattern_;
  std::array<std::size_t, 256> shift_;
};

std::size_t CommonPrefixLength(std::wstring_view a, std::wstring_view b) {
  std::size_t n = 0;
  while (n < a.size() && n < b.size() && a[n] == b[n]) ++n;
  return n;
}

}  // namespace

Verdict Classify(std::wstring_view report, const ClassificationTable& table) {
  if (Search(table.validityMarker).Next(report, 0) == std::wstring_view::npos) return {};
  // Rows whose markers begin alike (a family) are looked for together: one
  // search for their leading text, and where it occurs, which of them
  // stands there. The first family with a marker present decides.
  const auto& rows = table.rows;
  for (std::size_t first = 0; first < rows.size();) {
    std::size_t end = first + 1;
    std::size_t lead = rows[first].marker.size();
    while (end < rows.size() && CommonPrefixLength(rows[first].marker, rows[end].marker) > 0) {
      lead = std::min(lead, CommonPrefixLength(rows[first].marker, rows[end].marker));
      ++end;
    }
    const std::wstring_view leadingText = rows[first].marker.substr(0, lead);
    const Search search(leadingText);
    std::size_t found = end;  // the family's first row present
    for (std::size_t at = search.Next(report, 0); at != std::wstring_view::npos && found > first;
         at = search.Next(report, at + 1)) {
      for (std::size_t row = first; row < found; ++row) {
        if (report.compare(at, rows[row].marker.size(), rows[row].marker) == 0) found = row;
      }
    }
    if (found < end) return {true, static_cast<int>(found) + 1};
    first = end;
  }
  return {true, 0};
}

ResultKind WindowFor(const Verdict& verdict) {
  switch (verdict.row) {
    case 1:
      return ResultKind::kIssueA;
    case 2:
    case 3:
      return ResultKind::kIssueB;
    case 4:
    case 5:
      return ResultKind::kIssueC;
    case 6:
      return ResultKind::kIssueD;
    default:
      return ResultKind::kResult;
  }
}

}  // namespace pravex
