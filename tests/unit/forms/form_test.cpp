#include <gtest/gtest.h>

#include <iterator>

#include "forms/form.h"

namespace pravex {
namespace {

TEST(FittedTextSize, SubtractsTheMarginsAndStopsAtZero) {
  struct Case {
    TwipsSize outer;
    TwipsSize expected;
  };
  const Case cases[] = {
      {{11115, 7485}, {10815, 6685}}, {{300, 800}, {0, 0}}, {{299, 799}, {0, 0}},
      {{2400, 420}, {2100, 0}},       {{0, 0}, {0, 0}},     {{-100, 5000}, {0, 4200}},
  };
  for (std::size_t row = 0; row < std::size(cases); ++row) {
    EXPECT_EQ(FittedTextSize(cases[row].outer, 300, 800), cases[row].expected) << "row " << row;
  }
}

}  // namespace
}  // namespace pravex
