#include "win32/text_view/window_label.h"

#include <cwchar>

namespace pravex::win32 {

std::optional<std::wstring> LabelBefore(HWND window) {
  for (HWND previous = ::GetWindow(window, GW_HWNDPREV); previous;
       previous = ::GetWindow(previous, GW_HWNDPREV)) {
    if (!::IsWindowVisible(previous)) continue;
    wchar_t className[16] = {};
    ::GetClassNameW(previous, className, static_cast<int>(std::size(className)));
    if (_wcsicmp(className, L"Static") != 0) return std::nullopt;
    std::wstring caption(static_cast<std::size_t>(::GetWindowTextLengthW(previous)) + 1, L'\0');
    caption.resize(static_cast<std::size_t>(
        ::GetWindowTextW(previous, caption.data(), static_cast<int>(caption.size()))));
    // "&&" shows one &, a lone & underlines the next character.
    std::wstring name;
    for (std::size_t i = 0; i < caption.size(); ++i) {
      if (caption[i] == L'&' && ++i == caption.size()) break;
      name += caption[i];
    }
    return name;
  }
  return std::nullopt;
}

}  // namespace pravex::win32
