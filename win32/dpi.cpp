#include "win32/dpi.h"

namespace pravex::win32 {

namespace {

template <class Function>
Function User32Function(const char* name) {
  static const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
  return user32
             ? reinterpret_cast<Function>(reinterpret_cast<void*>(::GetProcAddress(user32, name)))
             : nullptr;
}

using GetDpiForWindowFn = UINT(WINAPI*)(HWND);
using GetDpiForSystemFn = UINT(WINAPI*)();
using AdjustWindowRectExForDpiFn = BOOL(WINAPI*)(LPRECT, DWORD, BOOL, DWORD, UINT);
using GetSystemMetricsForDpiFn = int(WINAPI*)(int, UINT);

}  // namespace

UINT SystemDpi() {
  static const auto getDpiForSystem = User32Function<GetDpiForSystemFn>("GetDpiForSystem");
  if (getDpiForSystem) {
    if (const UINT dpi = getDpiForSystem()) return dpi;
  }
  const HDC screen = ::GetDC(nullptr);
  const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : USER_DEFAULT_SCREEN_DPI;
  if (screen) ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

UINT DpiForWindow(HWND window) {
  static const auto getDpiForWindow = User32Function<GetDpiForWindowFn>("GetDpiForWindow");
  if (getDpiForWindow && window) {
    if (const UINT dpi = getDpiForWindow(window)) return dpi;
  }
  return SystemDpi();
}

int SystemMetricForDpi(int index, UINT dpi) {
  static const auto forDpi = User32Function<GetSystemMetricsForDpiFn>("GetSystemMetricsForDpi");
  if (forDpi) {
    if (const int value = forDpi(index, dpi); value > 0) return value;
  }
  return ::MulDiv(::GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(SystemDpi()));
}

RECT AdjustWindowRectForDpi(RECT client, DWORD style, bool hasMenu, DWORD exStyle, UINT dpi) {
  static const auto adjustForDpi =
      User32Function<AdjustWindowRectExForDpiFn>("AdjustWindowRectExForDpi");
  RECT outer = client;
  if (!adjustForDpi || !adjustForDpi(&outer, style, hasMenu, exStyle, dpi)) {
    outer = client;
    ::AdjustWindowRectEx(&outer, style, hasMenu, exStyle);
  }
  return outer;
}

}  // namespace pravex::win32
