#include "app/save_policy.h"

#include "app/errors.h"

namespace pravex {

SaveMethod ChooseSaveMethod(const SaveTarget& target) {
  if (!target.exists) return SaveMethod::kWriteInPlace;  // nothing there to keep
  if (target.readOnly) return SaveMethod::kRefuse;
  // A replacement would replace the link itself, leave the file's other
  // names on the old text, fail on the other program's open handle, or
  // need a longer path than the system allows.
  if (target.link || target.hardLinks > 1 || target.openWithoutDeleteSharing ||
      !target.roomForTemporary) {
    return SaveMethod::kWriteInPlace;
  }
  return SaveMethod::kReplaceFromTemporary;
}

void SaveText(IFileSystem& files, std::wstring_view path, std::wstring_view text) {
  switch (ChooseSaveMethod(files.InspectSaveTarget(path))) {
    case SaveMethod::kRefuse:
      Raise(error::kPathFileAccessError);
    case SaveMethod::kReplaceFromTemporary:
      // No new file may be made in the folder: the file itself may still
      // be written.
      if (files.ReplaceWithText(path, text)) return;
      [[fallthrough]];
    case SaveMethod::kWriteInPlace:
      files.WriteText(path, OpenMode::Output, text);
      return;
  }
}

}  // namespace pravex
