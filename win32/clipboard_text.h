// The program's only traffic with the clipboard: Unicode text, for Copy to
// Clipboard and for the text view's Ctrl+C, Ctrl+X and Ctrl+V. Another
// program may hold the clipboard for a moment: opening it is tried a few
// times before it counts as busy.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

namespace pravex::win32 {

enum class ClipboardOutcome { kDone, kBusy, kOutOfMemory };

// Replaces whatever the clipboard holds with the text. Clipboard text ends
// at its first NUL, so NULs go as the blanks they are shown as.
ClipboardOutcome PutClipboardText(HWND owner, std::wstring_view text);
// The clipboard's text; false when it holds none or is busy.
bool GetClipboardText(HWND owner, std::wstring& text);

}  // namespace pravex::win32
