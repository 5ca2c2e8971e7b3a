// Dots per inch and the twips arithmetic. The per-monitor calls are looked up
// at run time, so the program also runs where they are missing (older
// Windows, Wine), then with the system's DPI.
#pragma once

#include <windows.h>

namespace pravex::win32 {

inline constexpr int kTwipsPerInch = 1440;

inline int TwipsToPixels(int twips, UINT dpi) {
  return ::MulDiv(twips, static_cast<int>(dpi), kTwipsPerInch);
}
inline int PixelsToTwips(int pixels, UINT dpi) {
  return ::MulDiv(pixels, kTwipsPerInch, static_cast<int>(dpi));
}

UINT SystemDpi();
UINT DpiForWindow(HWND window);

// A system metric (an icon's size, say) at the given DPI.
int SystemMetricForDpi(int index, UINT dpi);

// The outer rectangle of a window with the given client rectangle.
RECT AdjustWindowRectForDpi(RECT client, DWORD style, bool hasMenu, DWORD exStyle, UINT dpi);

}  // namespace pravex::win32
