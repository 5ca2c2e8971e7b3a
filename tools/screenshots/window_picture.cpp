#include "tools/screenshots/window_picture.h"

#include <cstdint>
#include <stdexcept>
#include <string>
#include <vector>

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

struct Picture {
  int width = 0;
  int height = 0;
  std::vector<std::uint8_t> rows;  // bottom-up BGR, each row padded to 4 bytes
  friend bool operator==(const Picture&, const Picture&) = default;
};

BOOL CALLBACK FindUnpainted(HWND child, LPARAM lParam) {
  if (::GetUpdateRect(child, nullptr, FALSE)) {
    *reinterpret_cast<bool*>(lParam) = true;
    return FALSE;
  }
  return TRUE;
}

bool FullyPainted(HWND window) {
  if (::GetUpdateRect(window, nullptr, FALSE)) return false;
  bool unpainted = false;
  ::EnumChildWindows(window, &FindUnpainted, reinterpret_cast<LPARAM>(&unpainted));
  return !unpainted;
}

Picture Grab(HWND window) {
  RECT bounds{};
  if (!::GetWindowRect(window, &bounds)) throw std::runtime_error("the window has gone");
  Picture picture{bounds.right - bounds.left, bounds.bottom - bounds.top, {}};
  if (picture.width <= 0 || picture.height <= 0) throw std::runtime_error("the window is empty");

  BITMAPINFO info{};
  info.bmiHeader.biSize = sizeof(info.bmiHeader);
  info.bmiHeader.biWidth = picture.width;
  info.bmiHeader.biHeight = picture.height;  // bottom-up, as BMP files store it
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
    ::BitBlt(memory.get(), 0, 0, picture.width, picture.height, screen.get(), bounds.left,
             bounds.top, SRCCOPY);
    ::GdiFlush();
  }
  const std::size_t stride = (static_cast<std::size_t>(picture.width) * 3 + 3) / 4 * 4;
  const auto* first = static_cast<const std::uint8_t*>(bits);
  picture.rows.assign(first, first + stride * static_cast<std::size_t>(picture.height));
  return picture;
}

void WriteBmp(const Picture& picture, const std::wstring& path) {
  BITMAPINFOHEADER header{};
  header.biSize = sizeof(header);
  header.biWidth = picture.width;
  header.biHeight = picture.height;
  header.biPlanes = 1;
  header.biBitCount = 24;
  header.biCompression = BI_RGB;
  header.biSizeImage = static_cast<DWORD>(picture.rows.size());
  BITMAPFILEHEADER file{};
  file.bfType = 0x4D42;  // "BM"
  file.bfOffBits = sizeof(file) + sizeof(header);
  file.bfSize = file.bfOffBits + header.biSizeImage;

  std::string bytes(reinterpret_cast<const char*>(&file), sizeof(file));
  bytes.append(reinterpret_cast<const char*>(&header), sizeof(header));
  bytes.append(picture.rows.begin(), picture.rows.end());
  e2e::WriteFileBytes(path, bytes);
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
  Picture previous = Grab(window);
  for (int tries = 0; tries < kSteadyTries; ++tries) {
    e2e::PumpMessagesFor(kSteadyInterval);
    Picture next = Grab(window);
    if (next == previous) {
      WriteBmp(next, bmpPath);
      return;
    }
    previous = std::move(next);
  }
  throw std::runtime_error("the window to be saved as " + e2e::Quoted(bmpPath) +
                           " never showed the same twice");
}

}  // namespace pravex::screenshots
