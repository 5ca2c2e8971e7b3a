#include "tools/bench/timed_runs.h"

#include <gtest/gtest.h>

#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/user_registry.h"

namespace pravex::bench {
namespace {

TEST(RemoveLeftoversTest, RemovesReportsBaselineReportAndSettings) {
  const std::wstring report = L"C:\\QuorvelPravexResult_1-2-2024_10-00-00.txt";
  e2e::WriteFileBytes(report, "old report");
  e2e::WriteFileBytes(kBaselineReport, "old baseline");
  e2e::WriteUserString(L"Software\\QuorvelPravex\\Info", L"DebugMode", L"True");

  RemoveLeftovers();

  EXPECT_FALSE(e2e::FileExists(report));
  EXPECT_FALSE(e2e::FileExists(kBaselineReport));
  EXPECT_FALSE(e2e::ReadUserValue(L"Software\\QuorvelPravex\\Info", L"DebugMode"));
}

TEST(RemoveLeftoversTest, NothingToRemoveIsFine) {
  RemoveLeftovers();
  EXPECT_NO_THROW(RemoveLeftovers());
}

}  // namespace
}  // namespace pravex::bench
