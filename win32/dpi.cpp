#include "win32/dpi.h"

#include "win32/bind_as.h"

namespace pravex::win32 {

namespace {

template <class Declared>
Declared* User32Function(const char* name) {
  static const HMODULE user32 = ::GetModuleHandleW(L"user32.dll");
  return BindAs<Declared>(user32, name);
}

}  // namespace

UINT SystemDpi() {
  static const auto getDpiForSystem =
      User32Function<decltype(::GetDpiForSystem)>("GetDpiForSystem");
  if (getDpiForSystem) {
    if (const UINT dpi = getDpiForSystem()) return dpi;
  }
  const HDC screen = ::GetDC(nullptr);
  const int dpi = screen ? ::GetDeviceCaps(screen, LOGPIXELSX) : USER_DEFAULT_SCREEN_DPI;
  if (screen) ::ReleaseDC(nullptr, screen);
  return dpi > 0 ? static_cast<UINT>(dpi) : USER_DEFAULT_SCREEN_DPI;
}

UINT DpiForWindow(HWND window) {
  static const auto getDpiForWindow =
      User32Function<decltype(::GetDpiForWindow)>("GetDpiForWindow");
  if (getDpiForWindow && window) {
    if (const UINT dpi = getDpiForWindow(window)) return dpi;
  }
  return SystemDpi();
}

int SystemMetricForDpi(int index, UINT dpi) {
  static const auto forDpi =
      User32Function<decltype(::GetSystemMetricsForDpi)>("GetSystemMetricsForDpi");
  if (forDpi) {
    if (const int value = forDpi(index, dpi); value > 0) return value;
  }
  return ::MulDiv(::GetSystemMetrics(index), static_cast<int>(dpi), static_cast<int>(SystemDpi()));
}

RECT AdjustWindowRectForDpi(RECT client, DWORD style, bool hasMenu, DWORD exStyle, UINT dpi) {
  static const auto adjustForDpi =
      User32Function<decltype(::AdjustWindowRectExForDpi)>("AdjustWindowRectExForDpi");
  RECT outer = client;
  if (!adjustForDpi || !adjustForDpi(&outer, style, hasMenu, exStyle, dpi)) {
    outer = client;
    ::AdjustWindowRectEx(&outer, style, hasMenu, exStyle);
  }
  return outer;
}

}  // namespace pravex::win32
