// Reading another process's windows: texts, button states and geometry.
// Texts are fetched with WM_GETTEXT under a time limit, so a hung program
// fails the test instead of hanging it.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <ostream>
#include <string>

#include "tests/e2e/driver/deadline.h"

namespace pravex::e2e {

struct PixelSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const PixelSize&, const PixelSize&) = default;
  friend std::ostream& operator<<(std::ostream& out, const PixelSize& size);
};

struct PixelRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const PixelRect&, const PixelRect&) = default;
  friend std::ostream& operator<<(std::ostream& out, const PixelRect& rect);
};

// "window 0x1A2B", for naming a window in messages.
std::string WindowName(HWND window);

std::wstring ClassNameOf(HWND window);

// The window's text; throws std::runtime_error if the window is gone or its
// thread does not answer in time.
std::wstring TextOf(HWND window);
// The same, or nothing where TextOf throws.
std::optional<std::wstring> TryTextOf(HWND window);

// WM_GETTEXTLENGTH, waiting up to `limit` for a busy window to answer (a
// text box taking in a large text is busy for a while); nothing if it does
// not answer.
std::optional<std::size_t> TextLengthWithin(HWND window, Milliseconds limit);

// The window's answer to a message that opens nothing (EM_GETSEL,
// EM_LINEINDEX...); throws std::runtime_error if it does not answer in time.
LRESULT Ask(HWND window, UINT message, WPARAM wParam = 0, LPARAM lParam = 0);

// The window's text once it reads `expected`, or as it was when `limit` ran out.
std::wstring TextOnceItIs(HWND window, const std::wstring& expected, Milliseconds limit);

// The child window with this control ID; throws std::runtime_error if none.
HWND ChildById(HWND parent, int controlId);

// BM_GETCHECK == BST_CHECKED.
bool IsChecked(HWND button);

// The window's place in its parent's client coordinates.
PixelRect RectInParent(HWND child);
// The whole window, borders, caption and menu bar included.
PixelSize OuterSize(HWND window);
PixelSize ClientSize(HWND window);

// Pixels per logical inch of the screen the tests run on.
int ScreenDpi();

}  // namespace pravex::e2e
