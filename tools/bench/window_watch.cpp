#include "tools/bench/window_watch.h"

#include <stdexcept>

#include "tests/e2e/driver/wide_text.h"
#include "tests/e2e/driver/window_probe.h"

namespace pravex::bench {

namespace {

constexpr wchar_t kMessageBoxClass[] = L"#32770";
constexpr int kPromptId = 0xFFFF;

DWORD OwnerOf(HWND window) {
  DWORD owner = 0;
  ::GetWindowThreadProcessId(window, &owner);
  return owner;
}

}  // namespace

HWND VisibleTopWindow(DWORD processId, const std::wstring& windowClass) {
  for (HWND window = ::FindWindowExW(nullptr, nullptr, windowClass.c_str(), nullptr); window;
       window = ::FindWindowExW(nullptr, window, windowClass.c_str(), nullptr)) {
    if (OwnerOf(window) == processId && ::IsWindowVisible(window)) return window;
  }
  return nullptr;
}

std::optional<std::wstring> MessageBoxText(DWORD processId) {
  const HWND box = VisibleTopWindow(processId, kMessageBoxClass);
  if (!box) return std::nullopt;
  const HWND prompt = ::GetDlgItem(box, kPromptId);
  return prompt ? e2e::TryTextOf(prompt).value_or(L"") : L"";
}

HWND WaitForVisibleTopWindow(HANDLE process, DWORD processId, const std::wstring& windowClass,
                             Milliseconds limit) {
  return PollFor<HWND>(
      [&]() -> std::optional<HWND> {
        if (const HWND window = VisibleTopWindow(processId, windowClass)) return window;
        if (const std::optional<std::wstring> box = MessageBoxText(processId)) {
          throw std::runtime_error("process " + std::to_string(processId) +
                                   " showed a message box instead: " + e2e::Quoted(*box));
        }
        if (::WaitForSingleObject(process, 0) == WAIT_OBJECT_0) {
          throw std::runtime_error("process " + std::to_string(processId) + " ended without a " +
                                   e2e::Quoted(windowClass) + " window");
        }
        return std::nullopt;
      },
      limit, "a visible " + e2e::Quoted(windowClass) + " window");
}

std::optional<std::size_t> TextLength(HWND window, Milliseconds limit) {
  DWORD_PTR length = 0;
  if (!::SendMessageTimeoutW(window, WM_GETTEXTLENGTH, 0, 0, SMTO_BLOCK,
                             static_cast<UINT>(limit.count()), &length)) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(length);
}

}  // namespace pravex::bench
