// The values a report template refers to, as the bytes the report holds,
// and the filling in of a template.
#pragma once

#include <array>
#include <string>
#include <string_view>

#include "tools/statustool/products.h"

namespace pravex::statustool {

struct ReportValues {
  std::string validity;             // {validity}
  std::string product;              // {product}
  std::string version;              // {version}
  std::array<std::string, 6> rows;  // {row1} .. {row6}; {row1-othercase} is row 1 recased
};

enum class LineEnd { kCrLf, kLf };

// The configured markers in the ANSI code page: the code page Pravex reads
// the report back with.
ReportValues ConfiguredValues(const Product& product);

// Unknown "{name}"s stay as they are.
std::string Fill(std::string_view text, const ReportValues& values, LineEnd lineEnd);

}  // namespace pravex::statustool
