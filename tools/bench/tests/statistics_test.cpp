#include "tools/bench/statistics.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace pravex::bench {
namespace {

TEST(MedianTest, OddCountGivesTheMiddleValue) {
  EXPECT_DOUBLE_EQ(Median({5, 1, 3}), 3);
}

TEST(MedianTest, EvenCountGivesTheMeanOfTheMiddleTwo) {
  EXPECT_DOUBLE_EQ(Median({4, 1, 3, 2}), 2.5);
}

TEST(MedianTest, OneSlowRunDoesNotMoveIt) {
  EXPECT_DOUBLE_EQ(Median({300, 310, 305, 9000, 302}), 305);
}

TEST(MedianTest, OneValueIsItsOwnMedian) {
  EXPECT_DOUBLE_EQ(Median({42}), 42);
}

TEST(MedianTest, NoValuesThrow) {
  EXPECT_THROW(Median({}), std::invalid_argument);
}

}  // namespace
}  // namespace pravex::bench
