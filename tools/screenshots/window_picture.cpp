#include "tools/screenshots/window_picture.h"

#include <stdexcept>
#include <string>

#include "tests/e2e/driver/deadline.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/wide_text.h"
#include "win32/handles.h"
#include "win32/text_view/gdi_scope.h"

namespace pravex::screenshots {

namespace {

using e2e::Milliseconds;

constexpr Milliseconds kPaintLimit{5000};
// The screen catches up with what was painted within a moment; a caret
// that blinks between two pictures only costs another try.
constexpr Milliseconds kSteadyInterval{150};
constexpr int kSteadyTries = 20;

bool FullyPainted(HWND window) {
  bool unpainted = ::GetUpdateRect(window, nullptr, FALSE) != FALSE;
  const auto findUnpainted = [](HWND child, LPARAM found) -> BOOL {
    *reinterpret_cast<bool*>(found) = ::GetUpdateRect(child, nullptr, FALSE) != FALSE;
    return !*reinterpret_cast<bool*>(found);
  };
  if (!unpainted) ::EnumChildWindows(window, findUnpainted, reinterpret_cast<LPARAM>(&unpainted));
  return !unpainted;
}

// The window as the screen shows it, as the bytes of a 24-bit BMP file.
std::string Grab(HWND window) {
  RECT bounds{};
  if (!::GetWindowRect(window, &bounds)) throw std::runtime_error("the window has gone");
  const int width = bounds.right - bounds.left;
  const int height = bounds.bottom - bounds.top;
  if (width <= 0 || height <= 0) throw std::runtime_error("the window is empty");

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = width;
  info.bmiHeader.biHeight = height;  // bottom-up, as BMP files store it
  info.bmiHeader.biPlanes = 1;
  info.bmiHeader.biBitCount = 24;
  info.bmiHeader.biCompression = BI_RGB;
  const win32::WindowDc screen(nullptr);
  const win32::UniqueMemoryDc memory(::CreateCompatibleDC(screen.get()));
  void* bits = nullptr;
  const win32::UniqueBitmap bitmap(
      ::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits, nullptr, 0));
  if (!memory || !bitmap || !bits) throw std::runtime_error("no bitmap for the picture");
  {
    const win32::SelectedObject selected(memory.get(), bitmap.get());
    ::BitBlt(memory.get(), 0, 0, width, height, screen.get(), bounds.left, bounds.top, SRCCOPY);
    ::GdiFlush();
  }
  // Each row padded to 4 bytes.
  info.bmiHeader.biSizeImage = static_cast<DWORD>((width * 3 + 3) / 4 * 4 * height);
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof(file) + sizeof(info.bmiHeader);
  file.bfSize = file.bfOffBits + info.bmiHeader.biSizeImage;
  std::string bmp(reinterpret_cast<const char*>(&file), sizeof(file));
  bmp.append(reinterpret_cast<const char*>(&info.bmiHeader), sizeof(info.bmiHeader));
  bmp.append(static_cast<const char*>(bits), info.bmiHeader.biSizeImage);
  return bmp;
}

}  // namespace

void SaveWindowPicture(HWND window, const std::wstring& bmpPath) {
  // An inactive caption would look like a window in the background.
  if (!e2e::PollUntil(
          [&] {
            ::SetForegroundWindow(window);
            return ::GetForegroundWindow() == window;
          },
          kPaintLimit)) {
    throw std::runtime_error("the window to be saved as " + e2e::Quoted(bmpPath) +
                             " did not come to the front");
  }
  ::RedrawWindow(window, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  if (!e2e::PollUntil([&] { return FullyPainted(window); }, kPaintLimit)) {
    throw std::runtime_error("the window to be saved as " + e2e::Quoted(bmpPath) +
                             " did not paint within " + std::to_string(kPaintLimit.count()) +
                             " ms");
  }
  std::string previous = Grab(window);
  for (int tries = 0; tries < kSteadyTries; ++tries) {
    e2e::PumpMessagesFor(kSteadyInterval);
    std::string next = Grab(window);
    if (next == previous) {
      e2e::WriteFileBytes(bmpPath, next);
      return;
    }
    previous = std::move(next);
  }
  throw std::runtime_error("the window to be saved as " + e2e::Quoted(bmpPath) +
                           " never showed the same twice");
}

}  // namespace pravex::screenshots
