#pragma once

#include "platform/file_system.h"

namespace pravex::win32 {

class Win32FileSystem final : public IFileSystem {
 public:
  void WriteText(std::wstring_view path, OpenMode mode, std::wstring_view text) override;
  SaveTarget InspectSaveTarget(std::wstring_view path) override;
  // ReplaceFileW, from a file made by GetTempFileNameW in the same folder.
  bool ReplaceWithText(std::wstring_view path, std::wstring_view text) override;
  void Kill(std::wstring_view path) override;
};

}  // namespace pravex::win32
