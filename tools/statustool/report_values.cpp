#include "tools/statustool/report_values.h"

#include <windows.h>

#include <algorithm>

#include "pravex_config.h"

namespace pravex::statustool {

namespace {

struct Product {
  std::wstring_view argument;
  std::string_view name;  // as the report shows it
  std::string_view version;
};

constexpr Product kProducts[] = {
    {config::kArgVastrel, "Vastrel", "Vastrel 7.4.2 (build 3310)"},
    {config::kArgZpx, "ZPX tool", "ZPX tool 5.8.1 (build 1207)"},
};

std::string ToAnsi(std::wstring_view text) {
  if (text.empty()) return {};
  const int length = static_cast<int>(text.size());
  const int needed =
      ::WideCharToMultiByte(CP_ACP, 0, text.data(), length, nullptr, 0, nullptr, nullptr);
  std::string bytes(static_cast<std::size_t>(std::max(needed, 0)), '\0');
  ::WideCharToMultiByte(CP_ACP, 0, text.data(), length, bytes.data(), needed, nullptr, nullptr);
  return bytes;
}

// Upper case, or lower case if the text is upper case already: either way a
// case-sensitive search no longer finds it.
std::string OtherCase(std::string text) {
  const auto upper = [](char c) { return (c >= 'a' && c <= 'z') ? static_cast<char>(c - 32) : c; };
  const auto lower = [](char c) { return (c >= 'A' && c <= 'Z') ? static_cast<char>(c + 32) : c; };
  std::string changed = text;
  std::transform(text.begin(), text.end(), changed.begin(), upper);
  if (changed == text) std::transform(text.begin(), text.end(), changed.begin(), lower);
  return changed;
}

const std::string* Lookup(std::string_view name, const ReportValues& values,
                          const std::string& row1OtherCase) {
  if (name == "validity") return &values.validity;
  if (name == "product") return &values.product;
  if (name == "version") return &values.version;
  if (name == "row1-othercase") return &row1OtherCase;
  if (name.size() == 4 && name.starts_with("row") && name[3] >= '1' && name[3] <= '6') {
    return &values.rows[static_cast<std::size_t>(name[3] - '1')];
  }
  return nullptr;
}

}  // namespace

std::optional<ReportValues> ConfiguredValues(std::wstring_view productArgument) {
  for (const Product& product : kProducts) {
    if (product.argument != productArgument) continue;
    ReportValues values{.validity = ToAnsi(config::kValidityMarker),
                        .product = std::string(product.name),
                        .version = std::string(product.version)};
    for (std::size_t row = 0; row < values.rows.size(); ++row) {
      values.rows[row] = ToAnsi(config::kRows[row].marker);
    }
    return values;
  }
  return std::nullopt;
}

std::string Fill(std::string_view text, const ReportValues& values, LineEnd lineEnd) {
  const std::string row1OtherCase = OtherCase(values.rows[0]);
  std::string filled;
  filled.reserve(text.size() + 256);
  for (std::size_t at = 0; at < text.size(); ++at) {
    const char c = text[at];
    if (c == '\n' && lineEnd == LineEnd::kCrLf) {
      filled += "\r\n";
      continue;
    }
    if (c == '{') {
      const std::size_t close = text.find('}', at);
      const std::string* value =
          close == std::string_view::npos
              ? nullptr
              : Lookup(text.substr(at + 1, close - at - 1), values, row1OtherCase);
      if (value) {
        filled += *value;
        at = close;
        continue;
      }
    }
    filled += c;
  }
  return filled;
}

}  // namespace pravex::statustool
