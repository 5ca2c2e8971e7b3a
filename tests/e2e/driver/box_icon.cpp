#include "tests/e2e/driver/box_icon.h"

#include <cstdint>
#include <stdexcept>

#include "tests/e2e/driver/message_box.h"
#include "win32/handles.h"

namespace pravex::e2e {

namespace {

struct Candidate {
  BoxIcon icon;
  LPCWSTR resource;
};

const Candidate kCandidates[] = {
    {BoxIcon::kInformation, IDI_ASTERISK},
    {BoxIcon::kExclamation, IDI_EXCLAMATION},
    {BoxIcon::kCritical, IDI_HAND},
    {BoxIcon::kQuestion, IDI_QUESTION},
};

// Anti-aliased edges may come out a shade apart; the icons differ in far
// more pixels than this.
constexpr double kMostDifferingShare = 0.02;

struct DcTraits {
  static HDC Invalid() { return nullptr; }
  static bool IsValid(HDC h) { return h != nullptr; }
  static void Close(HDC h) { ::DeleteDC(h); }
};

struct BitmapTraits {
  static HBITMAP Invalid() { return nullptr; }
  static bool IsValid(HBITMAP h) { return h != nullptr; }
  static void Close(HBITMAP h) { ::DeleteObject(h); }
};

class ScreenDc {
 public:
  ScreenDc() : dc_(::GetDC(nullptr)) {
    if (!dc_) throw std::runtime_error("GetDC(screen) failed");
  }
  ScreenDc(const ScreenDc&) = delete;
  ScreenDc& operator=(const ScreenDc&) = delete;
  ~ScreenDc() { ::ReleaseDC(nullptr, dc_); }
  HDC get() const { return dc_; }

 private:
  HDC dc_;
};

// A 32-bit top-down bitmap with a memory DC drawing into it.
class Canvas {
 public:
  Canvas(int width, int height) : width_(width), height_(height) {
    BITMAPINFO info{};
    info.bmiHeader.biSize = sizeof(info.bmiHeader);
    info.bmiHeader.biWidth = width;
    info.bmiHeader.biHeight = -height;
    info.bmiHeader.biPlanes = 1;
    info.bmiHeader.biBitCount = 32;
    info.bmiHeader.biCompression = BI_RGB;
    const ScreenDc screen;
    dc_ = win32::UniqueHandle<HDC, DcTraits>(::CreateCompatibleDC(screen.get()));
    bitmap_ = win32::UniqueHandle<HBITMAP, BitmapTraits>(
        ::CreateDIBSection(screen.get(), &info, DIB_RGB_COLORS, &bits_, nullptr, 0));
    if (!dc_ || !bitmap_) throw std::runtime_error("cannot make a bitmap to compare icons in");
    previous_ = ::SelectObject(dc_.get(), bitmap_.get());
  }
  Canvas(const Canvas&) = delete;
  Canvas& operator=(const Canvas&) = delete;
  ~Canvas() { ::SelectObject(dc_.get(), previous_); }

  HDC dc() const { return dc_.get(); }
  // The colour as 0xRRGGBB; call GdiFlush() after drawing and before reading.
  std::uint32_t Pixel(int x, int y) const {
    return static_cast<const std::uint32_t*>(bits_)[y * width_ + x] & 0xFFFFFF;
  }
  int Width() const { return width_; }
  int Height() const { return height_; }

 private:
  int width_;
  int height_;
  void* bits_ = nullptr;
  win32::UniqueHandle<HDC, DcTraits> dc_;
  win32::UniqueHandle<HBITMAP, BitmapTraits> bitmap_;
  HGDIOBJ previous_ = nullptr;
};

int DifferingPixels(const Canvas& a, const Canvas& b) {
  ::GdiFlush();
  int differing = 0;
  for (int y = 0; y < a.Height(); ++y) {
    for (int x = 0; x < a.Width(); ++x) {
      if (a.Pixel(x, y) != b.Pixel(x, y)) ++differing;
    }
  }
  return differing;
}

// The icon as the static control draws it: over its background, stretched
// to its client area.
void DrawStandardIcon(const Canvas& canvas, LPCWSTR resource, std::uint32_t background) {
  const COLORREF color =
      RGB((background >> 16) & 0xFF, (background >> 8) & 0xFF, background & 0xFF);
  const HBRUSH brush = ::CreateSolidBrush(color);
  const RECT all{0, 0, canvas.Width(), canvas.Height()};
  ::FillRect(canvas.dc(), &all, brush);
  ::DeleteObject(brush);
  ::DrawIconEx(canvas.dc(), 0, 0, ::LoadIconW(nullptr, resource), canvas.Width(), canvas.Height(),
               0, nullptr, DI_NORMAL);
}

BoxIcon RecogniseOnce(HWND box) {
  const HWND control = ShownIconControl(box);
  if (!control) return BoxIcon::kNone;
  RECT client{};
  ::GetClientRect(control, &client);
  POINT origin{0, 0};
  ::ClientToScreen(control, &origin);
  const int width = client.right;
  const int height = client.bottom;
  if (width <= 0 || height <= 0) return BoxIcon::kUnrecognised;

  const Canvas shown(width, height);
  {
    const ScreenDc screen;
    ::BitBlt(shown.dc(), 0, 0, width, height, screen.get(), origin.x, origin.y, SRCCOPY);
  }
  // The standard icons leave their corners clear: the corner shows the
  // background the control filled in.
  ::GdiFlush();
  const std::uint32_t background = shown.Pixel(0, 0);
  const Canvas drawn(width, height);
  BoxIcon best = BoxIcon::kUnrecognised;
  int fewest = static_cast<int>(kMostDifferingShare * width * height);
  for (const Candidate& candidate : kCandidates) {
    DrawStandardIcon(drawn, candidate.resource, background);
    const int differing = DifferingPixels(shown, drawn);
    if (differing <= fewest) {
      fewest = differing;
      best = candidate.icon;
    }
  }
  return best;
}

}  // namespace

std::ostream& operator<<(std::ostream& out, BoxIcon icon) {
  switch (icon) {
    case BoxIcon::kNone:
      return out << "no icon";
    case BoxIcon::kInformation:
      return out << "the information icon";
    case BoxIcon::kExclamation:
      return out << "the exclamation icon";
    case BoxIcon::kCritical:
      return out << "the critical icon";
    case BoxIcon::kQuestion:
      return out << "the question icon";
    case BoxIcon::kUnrecognised:
      break;
  }
  return out << "an icon that is none of the standard ones";
}

BoxIcon ShownIcon(HWND box, Milliseconds limit) {
  BoxIcon icon = BoxIcon::kUnrecognised;
  PollUntil(
      [&] {
        icon = RecogniseOnce(box);
        return icon != BoxIcon::kUnrecognised;
      },
      limit);
  return icon;
}

}  // namespace pravex::e2e
