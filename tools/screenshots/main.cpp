// screenshots.exe: drives Pravex through each of its windows and saves a
// picture of each as a BMP file; scripts/screenshots.sh runs it under Wine.
//   screenshots.exe --pravex=PATH --statustool-dir=PATH --cmdshim=PATH
//                   [--ftp-root=PATH --ftp-mode-file=PATH] FOLDER
// With the test FTP drop's mode file it pictures the send's boxes too.
#include <windows.h>

#include <cstdio>
#include <exception>
#include <string>

#include "tests/e2e/driver/options.h"
#include "tools/screenshots/tour.h"

int wmain(int argc, wchar_t** argv) {
  // Pictures in real pixels, whatever the display scaling.
  ::SetProcessDPIAware();
  std::string error;
  if (!pravex::e2e::ReadOptions(argc, argv, error)) {
    std::fprintf(stderr, "screenshots: %s\n", error.c_str());
    return 2;
  }
  if (argc != 2 || pravex::e2e::StatusToolFolder().empty() || pravex::e2e::CmdShimPath().empty()) {
    std::fprintf(stderr,
                 "usage: screenshots.exe --pravex=PATH --statustool-dir=PATH --cmdshim=PATH "
                 "[--ftp-root=PATH --ftp-mode-file=PATH] FOLDER\n");
    return 2;
  }
  try {
    for (const std::string& note : pravex::screenshots::TakeTour(argv[1])) {
      std::fprintf(stderr, "screenshots: %s\n", note.c_str());
    }
  } catch (const std::exception& e) {
    std::fprintf(stderr, "screenshots: %s\n", e.what());
    return 1;
  }
  return 0;
}
