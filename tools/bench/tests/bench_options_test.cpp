#include "tools/bench/bench_options.h"

#include <gtest/gtest.h>

namespace pravex::bench {
namespace {

const std::vector<std::wstring> kPaths = {L"--pravex=/b/Pravex.exe", L"--empty-window=/b/e.exe",
                                          L"--tools=/b/tools"};

std::vector<std::wstring> With(std::wstring extra) {
  std::vector<std::wstring> arguments = kPaths;
  arguments.push_back(std::move(extra));
  return arguments;
}

TEST(ParseOptionsTest, TakesThePathsAndDefaultsTheRuns) {
  std::string error;
  const auto options = ParseOptions(kPaths, error);
  ASSERT_TRUE(options) << error;
  EXPECT_EQ(options->pravexExe, L"/b/Pravex.exe");
  EXPECT_EQ(options->emptyWindowExe, L"/b/e.exe");
  EXPECT_EQ(options->toolsFolder, L"/b/tools");
  EXPECT_EQ(options->runs, kDefaultRuns);
  EXPECT_FALSE(options->stages);
}

TEST(ParseOptionsTest, TakesTheStagesSwitch) {
  std::string error;
  const auto options = ParseOptions(With(L"--stages"), error);
  ASSERT_TRUE(options) << error;
  EXPECT_TRUE(options->stages);
  EXPECT_TRUE(options->figures);
}

TEST(ParseOptionsTest, StagesOnlyLeavesTheFiguresOut) {
  std::string error;
  const auto options = ParseOptions(With(L"--stages-only"), error);
  ASSERT_TRUE(options) << error;
  EXPECT_TRUE(options->stages);
  EXPECT_FALSE(options->figures);
}

TEST(ParseOptionsTest, TakesARunCount) {
  std::string error;
  const auto options = ParseOptions(With(L"--runs=9"), error);
  ASSERT_TRUE(options) << error;
  EXPECT_EQ(options->runs, 9);
}

TEST(ParseOptionsTest, RefusesTooFewRuns) {
  std::string error;
  EXPECT_FALSE(ParseOptions(With(L"--runs=4"), error));
  EXPECT_NE(error.find("--runs"), std::string::npos) << error;
}

TEST(ParseOptionsTest, RefusesARunCountThatIsNoNumber) {
  std::string error;
  EXPECT_FALSE(ParseOptions(With(L"--runs=7x"), error));
}

TEST(ParseOptionsTest, RefusesAnUnknownArgument) {
  std::string error;
  EXPECT_FALSE(ParseOptions(With(L"--fast"), error));
  EXPECT_NE(error.find("--fast"), std::string::npos) << error;
}

TEST(ParseOptionsTest, NeedsEveryPath) {
  std::string error;
  EXPECT_FALSE(ParseOptions({L"--pravex=/b/Pravex.exe"}, error));
}

}  // namespace
}  // namespace pravex::bench
