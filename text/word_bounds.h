// Word boundaries for Ctrl+Left/Right and double-click. Portable.
//
// A word is a run of letters and digits, or a run of punctuation; blanks
// separate words and a line break (CR LF counts as one) stands alone.
#pragma once

#include <cstddef>
#include <string_view>

#include "text/span.h"

namespace pravex::text {

// Where Ctrl+Right goes from `pos`: the start of the next word.
std::size_t NextWordStart(std::wstring_view text, std::size_t pos);
// Where Ctrl+Left goes from `pos`: the start of this or the previous word.
std::size_t PreviousWordStart(std::wstring_view text, std::size_t pos);

// What a double-click at `pos` selects: the word there with the blanks after
// it, or the run of blanks there.
Span WordAt(std::wstring_view text, std::size_t pos);

}  // namespace pravex::text
