// How Save as... writes the user's copy. A file that is there already stays
// what it was (its permissions, attributes, other streams and other names):
// it is replaced from a new file written beside it, which the system swaps
// in keeping all of that, so that a save failing half-way leaves it intact.
// Where a replacement would lose something or cannot work, the file is
// written in place; a read-only file is refused.
#pragma once

#include <string_view>

#include "platform/file_system.h"

namespace pravex {

enum class SaveMethod {
  kWriteInPlace,          // create the file, or empty it and write it
  kReplaceFromTemporary,  // write a new file beside it and swap it in
  kRefuse,                // a read-only file stays as it is
};

SaveMethod ChooseSaveMethod(const SaveTarget& target);

// Writes `text` to `path` by the method its target calls for. Throws
// HostError as IFileSystem does.
void SaveText(IFileSystem& files, std::wstring_view path, std::wstring_view text);

}  // namespace pravex
