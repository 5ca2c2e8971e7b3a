// The host's plain file operations. Each write opens the file, writes the
// text as 8-bit characters of the system's ANSI code page and closes it
// again, so no file is ever held open between two calls.
#pragma once

#include <string_view>

namespace pravex {

enum class OpenMode {
  Output,  // create, or empty an existing file
  Append,  // add at the end, creating the file when it is missing
};

class IFileSystem {
 public:
  virtual ~IFileSystem() = default;

  // Throws HostError: 76 when the folder does not exist, 70 or 75 when the
  // file cannot be opened, 61 when the disk is full.
  virtual void WriteText(std::wstring_view path, OpenMode mode, std::wstring_view text) = 0;

  // Deletes one file by path. Throws HostError (53 when it is missing).
  virtual void Kill(std::wstring_view path) = 0;
};

}  // namespace pravex
