#include "tools/bench/windows_path.h"

#include <gtest/gtest.h>

namespace pravex::bench {
namespace {

TEST(WindowsPathOfTest, AHostPathBecomesADrivePath) {
  const std::wstring path = WindowsPathOf(L"/tmp/Pravex.exe");
  EXPECT_EQ(path.substr(1, 2), L":\\") << path;
  EXPECT_TRUE(path.ends_with(L"\\tmp\\Pravex.exe")) << path;
}

TEST(WindowsPathOfTest, AWindowsPathStaysAsItIs) {
  EXPECT_EQ(WindowsPathOf(L"C:\\windows\\notepad.exe"), L"C:\\windows\\notepad.exe");
}

}  // namespace
}  // namespace pravex::bench
