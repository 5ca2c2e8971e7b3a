// The text view's own clipboard traffic (Ctrl+C, Ctrl+V...): Unicode text
// only. Both return false when the clipboard is busy or memory runs out.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace pravex::win32 {

// Clipboard text ends at its first NUL, so NULs go as the blanks shown.
bool PutClipboardText(HWND owner, std::wstring_view text);
bool GetClipboardText(HWND owner, std::wstring& text);

}  // namespace pravex::win32
