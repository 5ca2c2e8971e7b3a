#include "tools/bench/bounded_wait.h"

#include <gtest/gtest.h>

#include <string>

namespace pravex::bench {
namespace {

TEST(PollUntilTest, ReturnsOnceTheConditionHolds) {
  int looks = 0;
  PollUntil([&] { return ++looks == 3; }, Milliseconds(1000), "the third look");
  EXPECT_EQ(looks, 3);
}

TEST(PollUntilTest, RunningOutSaysWhatWasAwaitedAndHowLong) {
  try {
    PollUntil([] { return false; }, Milliseconds(20), "a window that never comes");
    FAIL() << "no timeout";
  } catch (const BenchTimeout& timeout) {
    EXPECT_EQ(std::string(timeout.what()),
              "gave up waiting for a window that never comes after 20 ms");
  }
}

TEST(PollUntilTest, WaitsAtLeastItsLimitBeforeGivingUp) {
  const Stopwatch clock;
  EXPECT_THROW(PollUntil([] { return false; }, Milliseconds(30), "nothing"), BenchTimeout);
  EXPECT_GE(clock.ElapsedMs(), 30.0);
}

TEST(PollForTest, GivesTheFirstValueFound) {
  int looks = 0;
  const int found = PollFor<int>(
      [&]() -> std::optional<int> {
        ++looks;
        return looks < 2 ? std::nullopt : std::optional<int>(looks * 10);
      },
      Milliseconds(1000), "a value");
  EXPECT_EQ(found, 20);
}

TEST(DeadlineTest, RemainingNeverDropsBelowOneMillisecond) {
  const Deadline deadline(Milliseconds(0));
  EXPECT_TRUE(deadline.Passed());
  EXPECT_EQ(deadline.Remaining(), Milliseconds(1));
}

}  // namespace
}  // namespace pravex::bench
