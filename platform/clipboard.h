#pragma once

#include <string_view>

namespace pravex {

class IClipboard {
 public:
  virtual ~IClipboard() = default;
  // Empties the clipboard and puts `text` on it as plain (Unicode) text, in
  // one opening of the clipboard: when that fails, the clipboard keeps what
  // it held. Throws HostError.
  virtual void SetText(std::wstring_view text) = 0;
};

}  // namespace pravex
