// The system clipboard's text, shared with the program under test.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pravex::e2e {

// The clipboard's CF_UNICODETEXT, or nothing when it holds no text. Throws
// std::runtime_error when the clipboard stays busy.
std::optional<std::wstring> ClipboardText();

// Replaces the clipboard's contents with this text, so that a later check
// cannot be passed by what happened to be there.
void SetClipboardText(std::wstring_view text);

}  // namespace pravex::e2e
