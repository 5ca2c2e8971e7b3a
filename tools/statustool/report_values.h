// The values a report template refers to, as the bytes the report holds,
// and the filling in of a template.
#pragma once

#include <array>
#include <optional>
#include <string>
#include <string_view>

namespace pravex::statustool {

struct ReportValues {
  std::string validity;             // {validity}
  std::string product;              // {product}
  std::string version;              // {version}
  std::array<std::string, 6> rows;  // {row1} .. {row6}; {row1-othercase} is row 1 recased
};

enum class LineEnd { kCrLf, kLf };

// The configured markers in the ANSI code page (the code page Pravex reads
// the report back with) and the product the argument names; nothing for an
// argument that names none. Arguments match exactly, so a caller passing
// anything else than the configured text shows up at once.
std::optional<ReportValues> ConfiguredValues(std::wstring_view productArgument);

// Unknown "{name}"s stay as they are.
std::string Fill(std::string_view text, const ReportValues& values, LineEnd lineEnd);

}  // namespace pravex::statustool
