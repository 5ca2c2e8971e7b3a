// pravex_e2e.exe: drives Pravex.exe through its windows.
//   pravex_e2e.exe --pravex=PATH\Pravex.exe [--statustool-dir=PATH]
//                  [--cmdshim=PATH] [--ftp-root=PATH --ftp-mode-file=PATH]
//                  [GoogleTest flags]
// (see tests/e2e/driver/options.h).
#include <windows.h>

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "tests/e2e/driver/options.h"

int wmain(int argc, wchar_t** argv) {
  // Window sizes are read in real pixels, whatever the display scaling.
  ::SetProcessDPIAware();
  ::testing::InitGoogleTest(&argc, argv);
  std::string error;
  if (!pravex::e2e::ReadOptions(argc, argv, error)) {
    std::fprintf(stderr, "pravex_e2e: %s\n", error.c_str());
    return 2;
  }
  return RUN_ALL_TESTS();
}
