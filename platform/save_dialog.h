#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace pravex {

// The system's Save dialog, shown with no filter, default extension, initial
// folder, title or flags.
class ISaveDialog {
 public:
  virtual ~ISaveDialog() = default;
  // The chosen path, or nothing when the user cancelled. Throws HostError.
  virtual std::optional<std::wstring> ShowSave(std::wstring_view fileName) = 0;
};

}  // namespace pravex
