// Made-up character widths for laying text out in the text tests.
#pragma once

#include "text/line_layout.h"

namespace pravex::text {

// Made-up widths: 10 pixels a character, 'i' 5 and 'W' 20.
inline void TestWidths(char16_t first, CharAdvances::Block& widths) {
  for (std::size_t i = 0; i < widths.size(); ++i) {
    const auto c = static_cast<wchar_t>(first + i);
    widths[i] = c == L'i' ? 5 : c == L'W' ? 20 : 10;
  }
}

inline CharAdvances TestAdvances() {
  return CharAdvances(TestWidths);
}

}  // namespace pravex::text
