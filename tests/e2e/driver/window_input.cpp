#include "tests/e2e/driver/window_input.h"

#include <stdexcept>
#include <string>
#include <vector>

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

void PostChars(HWND window, std::wstring_view chars) {
  for (const wchar_t c : chars) Post(window, WM_CHAR, c, 1, "WM_CHAR");
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

INPUT KeyInput(UINT key, bool up) {
  INPUT input{};
  input.type = INPUT_KEYBOARD;
  input.ki.wVk = static_cast<WORD>(key);
  input.ki.wScan = static_cast<WORD>(::MapVirtualKeyW(key, MAPVK_VK_TO_VSC));
  input.ki.dwFlags = up ? KEYEVENTF_KEYUP : 0;
  return input;
}

void SendInputs(std::vector<INPUT> inputs) {
  if (::SendInput(static_cast<UINT>(inputs.size()), inputs.data(), sizeof(INPUT)) !=
      inputs.size()) {
    throw std::runtime_error("SendInput failed (error " + std::to_string(::GetLastError()) + ")");
  }
}

void BringToFront(HWND window) {
  ::SetForegroundWindow(window);
  if (!PollUntil([&] { return ::GetForegroundWindow() == window; }, Milliseconds(kAnswerLimitMs))) {
    throw std::runtime_error(WindowName(window) + " did not come to the foreground");
  }
}

void TypeKeys(HWND window, const std::vector<Keystroke>& keys) {
  BringToFront(window);
  for (const Keystroke& stroke : keys) {
    std::vector<INPUT> inputs;
    if (stroke.shift) inputs.push_back(KeyInput(VK_SHIFT, false));
    if (stroke.alt) inputs.push_back(KeyInput(VK_MENU, false));
    inputs.push_back(KeyInput(stroke.key, false));
    inputs.push_back(KeyInput(stroke.key, true));
    if (stroke.alt) inputs.push_back(KeyInput(VK_MENU, true));
    if (stroke.shift) inputs.push_back(KeyInput(VK_SHIFT, true));
    SendInputs(inputs);
  }
}

void ClickWithMouse(HWND control) {
  RECT rect{};
  ::GetWindowRect(control, &rect);
  const POINT middle{(rect.left + rect.right) / 2, (rect.top + rect.bottom) / 2};
  DragWithMouse(control, middle, middle);
}

INPUT MouseMoveInput(POINT screen) {
  INPUT input{};
  input.type = INPUT_MOUSE;
  // Absolute mouse positions run from 0 to 65535 across the primary screen.
  input.mi.dx = ::MulDiv(screen.x, 65535, ::GetSystemMetrics(SM_CXSCREEN) - 1);
  input.mi.dy = ::MulDiv(screen.y, 65535, ::GetSystemMetrics(SM_CYSCREEN) - 1);
  input.mi.dwFlags = MOUSEEVENTF_MOVE | MOUSEEVENTF_ABSOLUTE;
  return input;
}

void DragWithMouse(HWND window, POINT from, POINT to) {
  BringToFront(::GetAncestor(window, GA_ROOT));
  std::vector<INPUT> inputs(4);
  inputs[0] = MouseMoveInput(from);
  inputs[1].type = INPUT_MOUSE;
  inputs[1].mi.dwFlags = MOUSEEVENTF_LEFTDOWN;
  inputs[2] = MouseMoveInput(to);
  inputs[3].type = INPUT_MOUSE;
  inputs[3].mi.dwFlags = MOUSEEVENTF_LEFTUP;
  if (from.x == to.x && from.y == to.y) inputs.erase(inputs.begin() + 2);
  SendInputs(inputs);
}

bool WaitForFocus(HWND window, HWND control, Milliseconds limit) {
  return PollUntil([&] { return FocusedControl(window) == control; }, limit);
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
