// The host's plain file operations. Each write opens the file, writes the
// text as 8-bit characters of the system's ANSI code page and closes it
// again, so no file is ever held open between two calls.
#pragma once

#include <string_view>

namespace pravex {

enum class OpenMode {
  Output,  // create, or empty an existing file
  Append,  // add at the end, creating the file when it is missing
  // Create anew for the user running the program alone (see
  // app/private_access.h): whatever had the name goes first, a link itself
  // and never what it points to.
  NewPrivate,
};

// What Save as... needs to know of the file it writes.
struct SaveTarget {
  bool exists = false;
  bool readOnly = false;
  bool link = false;  // a symbolic link or another redirection to elsewhere
  int hardLinks = 1;  // the names the file has
  // Another program holds it open without letting it be deleted, so it
  // cannot be replaced.
  bool openWithoutDeleteSharing = false;
  // A temporary file's path beside it stays within the system's limit.
  bool roomForTemporary = true;
  friend bool operator==(const SaveTarget&, const SaveTarget&) = default;
};

class IFileSystem {
 public:
  virtual ~IFileSystem() = default;

  // Output creates the file or empties it in place, so that it keeps its
  // attributes, permissions and other names. Throws HostError: 76 when the
  // folder does not exist, 70 or 75 when the file cannot be opened (75 for
  // a read-only one), 61 when the disk is full.
  virtual void WriteText(std::wstring_view path, OpenMode mode, std::wstring_view text) = 0;

  virtual SaveTarget InspectSaveTarget(std::wstring_view path) = 0;

  // Writes the text to a new file beside `path` and swaps it in for the
  // file at `path`, which keeps its permissions, attributes and streams.
  // Returns false, having changed nothing, when no new file may be made in
  // the folder or the swap cannot be made; throws HostError when writing
  // fails (the file at `path` is then as it was).
  virtual bool ReplaceWithText(std::wstring_view path, std::wstring_view text) = 0;

  // Deletes one file by path. Throws HostError (53 when it is missing).
  virtual void Kill(std::wstring_view path) = 0;
};

}  // namespace pravex
