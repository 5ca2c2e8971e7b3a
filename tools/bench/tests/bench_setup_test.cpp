#include "tools/bench/bench_setup.h"

#include <gtest/gtest.h>

#include <map>
#include <stdexcept>

namespace pravex::bench {
namespace {

// "NAME=value\0...\0\0" back into names and values.
std::map<std::wstring, std::wstring> Variables(const std::wstring& block) {
  std::map<std::wstring, std::wstring> variables;
  for (std::size_t at = 0; at < block.size() && block[at] != L'\0';) {
    const std::wstring entry(block.c_str() + at);
    const std::size_t equals = entry.find(L'=', 1);
    variables[entry.substr(0, equals)] = entry.substr(equals + 1);
    at += entry.size() + 1;
  }
  return variables;
}

BenchPaths Paths() {
  return {.pravexExe = L"Z:\\b\\Pravex.exe",
          .emptyWindowExe = L"Z:\\b\\empty_window.exe",
          .toolsFolder = L"Z:\\b\\tools",
          .shimExe = L"Z:\\b\\tools\\cmdshim.exe"};
}

TEST(DiagnosisEnvironmentTest, MakesTheShimTheInterpreterAndTheToolsFolderFirst) {
  const auto variables = Variables(DiagnosisEnvironment(Paths(), 1'000'000).Block());
  EXPECT_EQ(variables.at(L"ComSpec"), L"Z:\\b\\tools\\cmdshim.exe");
  EXPECT_TRUE(variables.at(L"PATH").starts_with(L"Z:\\b\\tools;")) << variables.at(L"PATH");
  EXPECT_EQ(variables.at(L"PRAVEX_SAMPLE"), L"big");
  EXPECT_EQ(variables.at(L"PRAVEX_SAMPLE_BYTES"), L"1000000");
}

TEST(DiagnosisEnvironmentTest, EndsWithTwoNuls) {
  const std::wstring block = DiagnosisEnvironment(Paths(), 1'000).Block();
  ASSERT_GE(block.size(), 2u);
  EXPECT_EQ(block[block.size() - 1], L'\0');
  EXPECT_EQ(block[block.size() - 2], L'\0');
}

TEST(ResolvePathsTest, NamesTheFileThatIsMissing) {
  BenchOptions options{.pravexExe = L"C:\\no\\Pravex.exe",
                       .emptyWindowExe = L"C:\\no\\empty_window.exe",
                       .toolsFolder = L"C:\\no"};
  try {
    ResolvePaths(options);
    FAIL() << "no error";
  } catch (const std::runtime_error& error) {
    EXPECT_NE(std::string(error.what()).find("Pravex.exe"), std::string::npos) << error.what();
  }
}

TEST(InterpreterArgumentsTest, AreTheOnesPravexGivesTheInterpreter) {
  EXPECT_EQ(InterpreterArguments(L"C:\\bench.txt"),
            L"/c qvstatus /product:vastrel>C:\\bench.txt 2<&1");
}

TEST(PathWithFolderFirstTest, PutsTheFolderBeforeTheRest) {
  EXPECT_EQ(PathWithFolderFirst(L"Z:\\tools", L"C:\\windows\\system32;C:\\windows"),
            L"Z:\\tools;C:\\windows\\system32;C:\\windows");
}

TEST(PathWithFolderFirstTest, AnEmptyPathLeavesTheFolderAlone) {
  EXPECT_EQ(PathWithFolderFirst(L"Z:\\tools", L""), L"Z:\\tools");
}

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
