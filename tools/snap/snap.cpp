// snap.exe: waits for a window of ours, saves a picture of it as a BMP file
// and, if asked, closes it. Used to take the README's screenshots under Wine.
//
//   snap.exe <window class> <out.bmp> [--close] [--timeout-ms N]
#include <windows.h>

#include <cstdio>
#include <cstdlib>
#include <string>
#include <vector>

namespace {

struct Options {
  std::wstring windowClass;
  std::wstring output;
  bool close = false;
  DWORD timeoutMs = 30000;
};

bool ParseOptions(int argc, wchar_t** argv, Options& options) {
  if (argc < 3) return false;
  options.windowClass = argv[1];
  options.output = argv[2];
  for (int i = 3; i < argc; ++i) {
    const std::wstring arg = argv[i];
    if (arg == L"--close") {
      options.close = true;
    } else if (arg == L"--timeout-ms" && i + 1 < argc) {
      options.timeoutMs = static_cast<DWORD>(std::wcstoul(argv[++i], nullptr, 10));
    } else {
      return false;
    }
  }
  return true;
}

HWND WaitForVisibleWindow(const std::wstring& windowClass, DWORD timeoutMs) {
  const ULONGLONG deadline = ::GetTickCount64() + timeoutMs;
  while (::GetTickCount64() < deadline) {
    const HWND hwnd = ::FindWindowW(windowClass.c_str(), nullptr);
    if (hwnd && ::IsWindowVisible(hwnd)) return hwnd;
    ::Sleep(50);
  }
  return nullptr;
}

// Returns once the window's thread has handled what is queued for it, so
// that the picture shows a painted window.
void WaitUntilIdle(HWND hwnd) {
  DWORD_PTR ignored = 0;
  ::RedrawWindow(hwnd, nullptr, nullptr, RDW_INVALIDATE | RDW_ALLCHILDREN | RDW_UPDATENOW);
  ::SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &ignored);
  ::Sleep(200);
  ::SendMessageTimeoutW(hwnd, WM_NULL, 0, 0, SMTO_BLOCK, 5000, &ignored);
}

bool SaveBitmap(HWND hwnd, const std::wstring& path) {
  RECT r{};
  ::GetWindowRect(hwnd, &r);
  const int width = r.right - r.left;
  const int height = r.bottom - r.top;
  if (width <= 0 || height <= 0) return false;

  const HDC screen = ::GetDC(nullptr);
  const HDC memory = ::CreateCompatibleDC(screen);
  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, as BMP files store it
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  void* bits = nullptr;
  const HBITMAP bitmap = ::CreateDIBSection(screen, &info, DIB_RGB_COLORS, &bits, nullptr, 0);
  bool saved = false;
  if (bitmap && bits) {
    const HGDIOBJ old = ::SelectObject(memory, bitmap);
    ::BitBlt(memory, 0, 0, width, height, screen, r.left, r.top, SRCCOPY);
    ::GdiFlush();
    ::SelectObject(memory, old);

    const DWORD stride = ((static_cast<DWORD>(width) * 3 + 3) / 4) * 4;
    const DWORD imageSize = stride * static_cast<DWORD>(height);
    BITMAPFILEHEADER file{};
    file.bfType = 0x4D42;  // "BM"
    file.bfOffBits = sizeof(file) + sizeof(info.bmiHeader);
    file.bfSize = file.bfOffBits + imageSize;
    info.bmiHeader.biSizeImage = imageSize;
    if (FILE* out = ::_wfopen(path.c_str(), L"wb")) {
      saved = std::fwrite(&file, sizeof(file), 1, out) == 1 &&
              std::fwrite(&info.bmiHeader, sizeof(info.bmiHeader), 1, out) == 1 &&
              std::fwrite(bits, 1, imageSize, out) == imageSize;
      saved = std::fclose(out) == 0 && saved;
    }
  }
  if (bitmap) ::DeleteObject(bitmap);
  ::DeleteDC(memory);
  ::ReleaseDC(nullptr, screen);
  return saved;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  Options options;
  if (!ParseOptions(argc, argv, options)) {
    std::fwprintf(stderr, L"usage: snap.exe <window class> <out.bmp> [--close] [--timeout-ms N]\n");
    return 2;
  }
  const HWND hwnd = WaitForVisibleWindow(options.windowClass, options.timeoutMs);
  if (!hwnd) {
    std::fwprintf(stderr, L"snap: no visible %ls window within %lu ms\n",
                  options.windowClass.c_str(), options.timeoutMs);
    return 1;
  }
  ::SetForegroundWindow(hwnd);
  WaitUntilIdle(hwnd);
  const bool saved = SaveBitmap(hwnd, options.output);
  if (!saved) std::fwprintf(stderr, L"snap: could not write %ls\n", options.output.c_str());
  if (options.close) ::PostMessageW(hwnd, WM_CLOSE, 0, 0);
  return saved ? 0 : 1;
}
