// How Save as... writes the user's copy. A file that is there already stays
// what it was (its permissions, attributes, other streams and other names):
// it is replaced from a new file written beside it, which the system swaps
// in keeping all of that, so that a save failing half-way leaves it intact.
// Where a replacement would lose something or cannot work, the file is
// written in place; a read-only file is refused. A failed save never leaves
// the text nowhere: it is still in the window, or in a named file.
#pragma once

#include <string>
#include <string_view>

#include "common/errors.h"
#include "platform/file_system.h"

namespace pravex {

enum class SaveMethod {
  kWriteInPlace,          // create the file, or write over it
  kReplaceFromTemporary,  // write a new file beside it and swap it in
  kRefuse,                // a read-only file stays as it is
};

SaveMethod ChooseSaveMethod(const SaveTarget& target);

// A save that failed, and where that leaves the text: the last line of the
// message that reports it.
class SaveError : public HostError {
 public:
  SaveError(const ErrorInfo& error, std::wstring whereTheTextIs)
      : HostError(error.number, error.description), whereTheTextIs_(std::move(whereTheTextIs)) {}
  const std::wstring& WhereTheTextIs() const noexcept { return whereTheTextIs_; }

 private:
  std::wstring whereTheTextIs_;
};

// What a failed save says when the file at `path` is as it was, or gone
// again when the save had made it.
std::wstring TextStillInWindow(std::wstring_view path);

// Writes `text` to `path` by the method its target calls for. Throws
// SaveError.
void SaveText(IFileSystem& files, std::wstring_view path, std::wstring_view text);

}  // namespace pravex
