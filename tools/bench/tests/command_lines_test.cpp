#include "tools/bench/command_lines.h"

#include <gtest/gtest.h>

namespace pravex::bench {
namespace {

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

}  // namespace
}  // namespace pravex::bench
