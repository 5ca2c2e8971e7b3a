// The name a text box goes by for assistive technology, found as the
// system finds its edit controls' names: the caption of the label just
// before it in window order, without its & marks.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace pravex::win32 {

// Nothing when no visible label comes just before the window.
std::optional<std::wstring> LabelBefore(HWND window);

}  // namespace pravex::win32
