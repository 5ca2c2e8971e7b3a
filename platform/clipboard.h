#pragma once

#include <string_view>

namespace pravex {

class IClipboard {
 public:
  virtual ~IClipboard() = default;
  virtual void Clear() = 0;
  // Puts `text` on the clipboard as plain (Unicode) text. Throws HostError.
  virtual void SetText(std::wstring_view text) = 0;
};

}  // namespace pravex
