// Which result window a report calls for: the validity marker first, then
// the six marker rows in order; the first row whose marker occurs decides.
#pragma once

#include <array>
#include <string_view>

#include "diagnosis/guidance.h"

namespace pravex {

struct MarkerRow {
  std::wstring_view marker;
  std::wstring_view label;
};

struct ClassificationTable {
  std::wstring_view validityMarker;
  std::array<MarkerRow, 6> rows;
};

// The table the build was configured with.
const ClassificationTable& ConfiguredTable();

struct Verdict {
  bool valid = false;  // the validity marker occurs
  int row = 0;         // 1 to 6; 0 when no row matched
};

// Markers are found as exact, case-sensitive pieces anywhere in the report.
Verdict Classify(std::wstring_view report, const ClassificationTable& table);

// The window for a valid report's verdict.
ResultKind WindowFor(const Verdict& verdict);

}  // namespace pravex
