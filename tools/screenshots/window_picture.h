// A picture of a window as the screen shows it, borders and caption
// included, taken once the window has painted everything.
#pragma once

#include <windows.h>

#include <string>

namespace pravex::screenshots {

// Brings the window to the front, waits until it has painted and the
// screen shows it steadily, and saves it as a 24-bit BMP file. Throws
// std::runtime_error when it cannot.
void SaveWindowPicture(HWND window, const std::wstring& bmpPath);

}  // namespace pravex::screenshots
