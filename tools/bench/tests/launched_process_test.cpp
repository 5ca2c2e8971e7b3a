#include "tools/bench/launched_process.h"

#include <gtest/gtest.h>

#include <stdexcept>

#include "tests/e2e/driver/environment_block.h"

namespace pravex::bench {
namespace {

std::wstring Interpreter() {
  wchar_t folder[MAX_PATH] = {};
  ::GetSystemDirectoryW(folder, MAX_PATH);
  return std::wstring(folder) + L"\\cmd.exe";
}

const std::wstring& Environment() {
  static const std::wstring block = e2e::EnvironmentBlock::Current().Block();
  return block;
}

TEST(LaunchedProcessTest, WaitsForAProgramThatEnds) {
  LaunchedProcess process(
      {.exe = Interpreter(), .arguments = L"/c exit 0", .environment = &Environment()});
  EXPECT_NE(process.Id(), 0u);
  process.WaitForExit(Milliseconds(15000));
  EXPECT_FALSE(process.IsRunning());
  EXPECT_GT(process.MillisecondsSinceLaunch(), 0.0);
}

TEST(LaunchedProcessTest, ABoundedWaitForAProgramThatGoesOnThrows) {
  LaunchedProcess process(
      {.exe = Interpreter(), .environment = &Environment(), .hidden = true, .ownConsole = true});
  EXPECT_THROW(process.WaitForExit(Milliseconds(50)), BenchTimeout);
  EXPECT_TRUE(process.IsRunning());
}

TEST(LaunchedProcessTest, GoingOutOfScopeEndsTheProcess) {
  HANDLE kept = nullptr;
  {
    LaunchedProcess process(
        {.exe = Interpreter(), .environment = &Environment(), .hidden = true, .ownConsole = true});
    ASSERT_TRUE(::DuplicateHandle(::GetCurrentProcess(), process.Handle(), ::GetCurrentProcess(),
                                  &kept, SYNCHRONIZE, FALSE, 0));
  }
  const win32::UniqueHandleObject copy(kept);
  EXPECT_EQ(::WaitForSingleObject(copy.get(), 0), WAIT_OBJECT_0);
}

TEST(LaunchedProcessTest, ReadsAnotherProcesssPeakWorkingSet) {
  LaunchedProcess process(
      {.exe = Interpreter(), .environment = &Environment(), .hidden = true, .ownConsole = true});
  EXPECT_GT(process.PeakWorkingSetBytes(), 0u);
}

TEST(LaunchedProcessTest, AProgramThatIsNotThereCannotBeStarted) {
  EXPECT_THROW(
      LaunchedProcess({.exe = L"C:\\no\\such\\program.exe", .environment = &Environment()}),
      std::runtime_error);
}

}  // namespace
}  // namespace pravex::bench
