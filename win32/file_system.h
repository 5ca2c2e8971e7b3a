#pragma once

#include "platform/file_system.h"

namespace pravex::win32 {

class Win32FileSystem final : public IFileSystem {
 public:
  // Output goes to a new file beside the target, which then replaces the
  // target in one step: a write that fails half-way (a full disk) leaves an
  // existing file as it was.
  void WriteText(std::wstring_view path, OpenMode mode, std::wstring_view text) override;
  void Kill(std::wstring_view path) override;
};

}  // namespace pravex::win32
