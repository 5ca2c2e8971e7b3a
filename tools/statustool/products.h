// The products the status tool can examine, by the argument that names them.
#pragma once

#include <string_view>

namespace pravex::statustool {

struct Product {
  std::wstring_view argument;
  std::string_view name;  // as the report shows it
  std::string_view version;
};

// Null for an argument that names no product; arguments match exactly, so a
// caller passing anything else than the configured text shows up at once.
const Product* FindProduct(std::wstring_view argument);

}  // namespace pravex::statustool
