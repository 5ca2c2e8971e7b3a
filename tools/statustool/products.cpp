#include "tools/statustool/products.h"

#include "pravex_config.h"

namespace pravex::statustool {

namespace {

constexpr Product kProducts[] = {
    {config::kArgVastrel, "Vastrel", "Vastrel 7.4.2 (build 3310)"},
    {config::kArgZpx, "ZPX tool", "ZPX tool 5.8.1 (build 1207)"},
};

}  // namespace

const Product* FindProduct(std::wstring_view argument) {
  for (const Product& product : kProducts) {
    if (product.argument == argument) return &product;
  }
  return nullptr;
}

}  // namespace pravex::statustool
