#pragma once

#include "platform/file_system.h"

namespace pravex::win32 {

class Win32FileSystem final : public IFileSystem {
 public:
  void WriteText(std::wstring_view path, OpenMode mode, std::wstring_view text) override;
  SaveTarget InspectSaveTarget(std::wstring_view path) override;
  std::string FileBytes(std::wstring_view text) override;
  std::unique_ptr<ISaveFile> OpenToWrite(std::wstring_view path) override;
  std::unique_ptr<ISaveFile> CreateBeside(std::wstring_view path) override;
  // ReplaceFileW.
  bool Replace(std::wstring_view path, std::wstring_view replacement) override;
  void Rename(std::wstring_view from, std::wstring_view to) override;
  void Kill(std::wstring_view path) override;
};

}  // namespace pravex::win32
