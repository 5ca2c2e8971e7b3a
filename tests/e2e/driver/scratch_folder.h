// A folder of the test's own, made empty at the start and removed with
// everything in it at the end.
#pragma once

#include <string>

namespace pravex::e2e {

class ScratchFolder {
 public:
  // `path` must name a folder the test may wipe; one left by an earlier run
  // is emptied first.
  explicit ScratchFolder(std::wstring path);
  ScratchFolder(const ScratchFolder&) = delete;
  ScratchFolder& operator=(const ScratchFolder&) = delete;
  ~ScratchFolder();

  const std::wstring& Path() const { return path_; }
  // Path() + "\" + name.
  std::wstring operator/(const std::wstring& name) const;

 private:
  std::wstring path_;
};

// Removes the folder with its files and subfolders, read-only ones too; a
// missing folder is fine. Throws std::runtime_error if something stays.
void RemoveFolderTree(const std::wstring& path);

}  // namespace pravex::e2e
