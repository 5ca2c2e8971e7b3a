// snap.exe: waits for a window of ours, saves a picture of it as a BMP file
// and, if asked, closes it. Used to take the README's screenshots under Wine.
//
//   snap.exe <window class> <out.bmp> [--close] [--timeout-ms N]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <exception>
#include <string>

#include "tests/e2e/driver/deadline.h"
#include "tools/screenshots/window_picture.h"

int wmain(int argc, wchar_t** argv) {
  bool close = false;
  unsigned long timeoutMs = 30000;
  bool understood = argc >= 3;
  for (int i = 3; understood && i < argc; ++i) {
    const std::wstring argument = argv[i];
    if (argument == L"--close") {
      close = true;
    } else if (argument == L"--timeout-ms" && i + 1 < argc) {
      timeoutMs = std::wcstoul(argv[++i], nullptr, 10);
    } else {
      understood = false;
    }
  }
  if (!understood) {
    std::fwprintf(stderr, L"usage: snap.exe <window class> <out.bmp> [--close] [--timeout-ms N]\n");
    return 2;
  }
  HWND window = nullptr;
  const auto visible = [&] {
    window = ::FindWindowW(argv[1], nullptr);
    return window && ::IsWindowVisible(window);
  };
  if (!pravex::e2e::PollUntil(visible, pravex::e2e::Milliseconds(timeoutMs))) {
    std::fwprintf(stderr, L"snap: no visible %ls window within %lu ms\n", argv[1], timeoutMs);
    return 1;
  }
  int status = 0;
  try {
    pravex::screenshots::SaveWindowPicture(window, argv[2]);
  } catch (const std::exception& error) {
    std::fprintf(stderr, "snap: %s\n", error.what());
    status = 1;
  }
  if (close) ::PostMessageW(window, WM_CLOSE, 0, 0);
  return status;
}
