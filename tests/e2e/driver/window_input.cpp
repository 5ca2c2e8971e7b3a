#include "tests/e2e/driver/window_input.h"

#include <stdexcept>
#include <string>

namespace pravex::e2e {

namespace {

constexpr UINT kAnswerLimitMs = 5000;

void Post(HWND window, UINT message, WPARAM wParam, LPARAM lParam, const char* what) {
  if (!::PostMessageW(window, message, wParam, lParam)) {
    throw std::runtime_error(std::string("could not post ") + what + " to " + WindowName(window) +
                             " (error " + std::to_string(::GetLastError()) + ")");
  }
}

bool IsPushed(HWND button) {
  DWORD_PTR state = 0;
  if (!::SendMessageTimeoutW(button, BM_GETSTATE, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                             kAnswerLimitMs, &state)) {
    throw std::runtime_error(WindowName(button) + " did not answer BM_GETSTATE");
  }
  return (state & BST_PUSHED) != 0;
}

}  // namespace

void PressButton(HWND button) {
  Post(button, BM_CLICK, 0, 0, "BM_CLICK");
}

void ChooseMenuItem(HWND window, int itemId) {
  Post(window, WM_COMMAND, MAKEWPARAM(itemId, 0), 0, "WM_COMMAND");
}

void RequestClose(HWND window) {
  Post(window, WM_CLOSE, 0, 0, "WM_CLOSE");
}

void PressKey(HWND window, UINT virtualKey) {
  const LPARAM scanCode = static_cast<LPARAM>(::MapVirtualKeyW(virtualKey, MAPVK_VK_TO_VSC)) << 16;
  const LPARAM repeatOnce = 1;
  const LPARAM released = (LPARAM{1} << 30) | (LPARAM{1} << 31);
  Post(window, WM_KEYDOWN, virtualKey, scanCode | repeatOnce, "WM_KEYDOWN");
  Post(window, WM_KEYUP, virtualKey, scanCode | repeatOnce | released, "WM_KEYUP");
}

HWND FocusedControl(HWND window) {
  GUITHREADINFO info{};
  info.cbSize = sizeof(info);
  if (!::GetGUIThreadInfo(::GetWindowThreadProcessId(window, nullptr), &info)) return nullptr;
  return info.hwndFocus && ::IsChild(window, info.hwndFocus) ? info.hwndFocus : nullptr;
}

void ReplaceText(HWND window, std::wstring_view text) {
  const std::wstring copy(text);
  DWORD_PTR done = 0;
  if (!::SendMessageTimeoutW(window, WM_SETTEXT, 0, reinterpret_cast<LPARAM>(copy.c_str()),
                             SMTO_ABORTIFHUNG | SMTO_BLOCK, kAnswerLimitMs, &done) ||
      !done) {
    throw std::runtime_error(WindowName(window) + " did not handle WM_SETTEXT within " +
                             std::to_string(kAnswerLimitMs) + " ms");
  }
}

void ResizeOuter(HWND window, PixelSize size) {
  if (!::SetWindowPos(window, nullptr, 0, 0, size.width, size.height,
                      SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE)) {
    throw std::runtime_error("SetWindowPos failed for " + WindowName(window) + " (error " +
                             std::to_string(::GetLastError()) + ")");
  }
}

void WaitUntilPostedMessagesHandled(HWND button, Milliseconds limit) {
  const Deadline deadline(limit);
  Post(button, BM_SETSTATE, TRUE, 0, "BM_SETSTATE");
  WaitUntil([&] { return IsPushed(button); }, deadline.Remaining(),
            "the program to handle the messages posted to it");
  Post(button, BM_SETSTATE, FALSE, 0, "BM_SETSTATE");
  WaitUntil([&] { return !IsPushed(button); }, deadline.Remaining(),
            "the program to handle the messages posted to it");
}

}  // namespace pravex::e2e
