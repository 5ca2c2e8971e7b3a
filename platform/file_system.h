// The host's plain file operations. Each WriteText opens the file, writes the
// text as 8-bit characters of the system's ANSI code page and closes it
// again; only Save as... holds a file open across calls, for one save.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>

namespace pravex {

enum class OpenMode {
  kOutput,  // create, or empty an existing file
  kAppend,  // add at the end, creating the file when it is missing
  // Create anew for the user running the program alone (see
  // common/private_access.h): whatever had the name goes first, a link itself
  // and never what it points to.
  kNewPrivate,
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

// A file that Save as... holds open for writing; closed when destroyed.
class ISaveFile {
 public:
  virtual ~ISaveFile() = default;
  virtual const std::wstring& Path() const = 0;
  virtual bool Created() const = 0;  // this save made the file
  virtual std::uint64_t Size() = 0;
  virtual void WriteAt(std::uint64_t offset, std::string_view bytes) = 0;
  virtual void EndAt(std::uint64_t length) = 0;  // cuts or extends the file
  virtual void Flush() = 0;                      // to the disk, so that a late write error shows
  // Removes a file this save created as it is closed.
  virtual void Discard() = 0;
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

  // Save as...'s steps; common/save_policy.cpp puts them in order. Each throws
  // HostError when it fails.

  // The bytes a text file of this program holds for `text`: the system's
  // ANSI code page.
  virtual std::string FileBytes(std::wstring_view text) = 0;
  // Opens the file at `path` to be written in place, creating it when it is
  // missing.
  virtual std::unique_ptr<ISaveFile> OpenToWrite(std::wstring_view path) = 0;
  // Creates a new file of its own name ("pvx", four hex digits, ".tmp")
  // beside `path`; null when no new file may be made in that folder.
  virtual std::unique_ptr<ISaveFile> CreateBeside(std::wstring_view path) = 0;
  // Swaps the closed file `replacement` in for the file at `path`, which
  // keeps its permissions, attributes and streams. False when the swap
  // cannot be made; the file at `path` may then be gone.
  virtual bool Replace(std::wstring_view path, std::wstring_view replacement) = 0;
  // Gives the file at `from` the name `to`, where no file is.
  virtual void Rename(std::wstring_view from, std::wstring_view to) = 0;

  // Deletes one file by path. Throws HostError (53 when it is missing).
  virtual void Kill(std::wstring_view path) = 0;
};

}  // namespace pravex
