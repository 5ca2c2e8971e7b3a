#include "tests/e2e/driver/window_probe.h"

#include <algorithm>
#include <cstdint>
#include <sstream>
#include <stdexcept>
#include <vector>

namespace pravex::e2e {

namespace {

// A program that is not busy answers at once; a box it shows does not stop
// it from answering.
constexpr UINT kAnswerLimitMs = 5000;

bool SendWithin(HWND window, UINT message, WPARAM wParam, LPARAM lParam, DWORD_PTR& result) {
  return ::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                               kAnswerLimitMs, &result) != 0;
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const PixelSize& size) {
  return out << size.width << " x " << size.height;
}

std::ostream& operator<<(std::ostream& out, const PixelRect& rect) {
  return out << "(" << rect.left << ", " << rect.top << ") " << rect.width << " x " << rect.height;
}

std::string WindowName(HWND window) {
  std::ostringstream name;
  name << "window 0x" << std::hex << std::uppercase << reinterpret_cast<std::uintptr_t>(window);
  return name.str();
}

std::wstring ClassNameOf(HWND window) {
  wchar_t name[256] = {};
  const int length = ::GetClassNameW(window, name, static_cast<int>(std::size(name)));
  return std::wstring(name, length > 0 ? static_cast<std::size_t>(length) : 0);
}

std::optional<std::wstring> TryTextOf(HWND window) {
  DWORD_PTR length = 0;
  if (!SendWithin(window, WM_GETTEXTLENGTH, 0, 0, length)) return std::nullopt;
  // The length may be larger than the text (it may count bytes); the copy
  // says how much it copied.
  std::vector<wchar_t> buffer(length + 1, L'\0');
  DWORD_PTR copied = 0;
  if (!SendWithin(window, WM_GETTEXT, buffer.size(), reinterpret_cast<LPARAM>(buffer.data()),
                  copied)) {
    return std::nullopt;
  }
  return std::wstring(buffer.data(), std::min<std::size_t>(copied, length));
}

std::wstring TextOf(HWND window) {
  std::optional<std::wstring> text = TryTextOf(window);
  if (!text) {
    throw std::runtime_error(WindowName(window) + " did not answer WM_GETTEXT within " +
                             std::to_string(kAnswerLimitMs) + " ms (gone or hung)");
  }
  return *std::move(text);
}

std::optional<std::size_t> TextLengthWithin(HWND window, Milliseconds limit) {
  DWORD_PTR length = 0;
  if (!::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_BLOCK,
                             static_cast<UINT>(limit.count()), &length)) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(length);
}

HWND ChildById(HWND parent, int controlId) {
  const HWND child = ::GetDlgItem(parent, controlId);
  if (!child) {
    throw std::runtime_error(WindowName(parent) + " has no child with control ID " +
                             std::to_string(controlId));
  }
  return child;
}

bool IsChecked(HWND button) {
  DWORD_PTR state = 0;
  if (!SendWithin(button, BM_GETCHECK, 0, 0, state)) {
    throw std::runtime_error(WindowName(button) + " did not answer BM_GETCHECK");
  }
  return state == BST_CHECKED;
}

PixelRect RectInParent(HWND child) {
  RECT r{};
  if (!::GetWindowRect(child, &r)) {
    throw std::runtime_error("GetWindowRect failed for " + WindowName(child));
  }
  ::MapWindowPoints(HWND_DESKTOP, ::GetParent(child), reinterpret_cast<POINT*>(&r), 2);
  return {r.left, r.top, r.right - r.left, r.bottom - r.top};
}

PixelSize OuterSize(HWND window) {
  RECT r{};
  if (!::GetWindowRect(window, &r)) {
    throw std::runtime_error("GetWindowRect failed for " + WindowName(window));
  }
  return {r.right - r.left, r.bottom - r.top};
}

PixelSize ClientSize(HWND window) {
  RECT r{};
  if (!::GetClientRect(window, &r)) {
    throw std::runtime_error("GetClientRect failed for " + WindowName(window));
  }
  return {r.right - r.left, r.bottom - r.top};
}

int ScreenDpi() {
  const HDC screen = ::GetDC(nullptr);
  const int dpi = ::GetDeviceCaps(screen, LOGPIXELSX);
  ::ReleaseDC(nullptr, screen);
  return dpi;
}

LRESULT Ask(HWND window, UINT message, WPARAM wParam, LPARAM lParam) {
  DWORD_PTR answer = 0;
  if (!::SendMessageTimeoutW(window, message, wParam, lParam, SMTO_ABORTIFHUNG | SMTO_BLOCK, 5000,
                             &answer)) {
    throw std::runtime_error(WindowName(window) + " did not answer");
  }
  return static_cast<LRESULT>(answer);
}

std::wstring TextOnceItIs(HWND window, const std::wstring& expected, Milliseconds limit) {
  std::wstring text;
  PollUntil(
      [&] {
        text = TextOf(window);
        return text == expected;
      },
      limit);
  return text;
}

}  // namespace pravex::e2e
