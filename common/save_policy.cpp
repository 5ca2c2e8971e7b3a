#include "common/save_policy.h"

#include <algorithm>
#include <memory>

namespace pravex {

namespace {

std::wstring FileMayBeIncomplete(std::wstring_view path) {
  return L"The text was not saved to " + std::wstring(path) +
         L", which may now be incomplete; the text is still in this window.";
}

std::wstring TextInTemporaryFile(std::wstring_view path, std::wstring_view temporary) {
  return L"The old " + std::wstring(path) + L" was removed, but the new one could not take " +
         L"its name: the text is in " + std::wstring(temporary) + L".";
}

[[noreturn]] void FailLeaving(std::wstring whereTheTextIs) {
  throw SaveError(CurrentErrorInfo(), std::move(whereTheTextIs));
}

bool Discarded(ISaveFile& file) {
  try {
    file.Discard();
    return true;
  } catch (...) {
    return false;
  }
}

// Writes `bytes` over the open file from its start. What lies beyond the
// file's end goes first: it takes the room the text needs, so that a full
// disk or quota fails before any byte the file held changes, and the file is
// then cut back to its old length. Then the rest of the bytes, then the
// end. When it throws, `changed` tells whether the old bytes may be gone.
void WriteOver(ISaveFile& file, std::string_view bytes, bool& changed) {
  changed = false;
  const std::uint64_t oldSize = file.Size();
  const std::size_t kept = static_cast<std::size_t>(std::min<std::uint64_t>(oldSize, bytes.size()));
  if (kept < bytes.size()) {
    try {
      file.WriteAt(kept, bytes.substr(kept));
    } catch (...) {
      try {
        file.EndAt(oldSize);
      } catch (...) {
        changed = true;
      }
      throw;
    }
  }
  changed = true;
  if (kept > 0) file.WriteAt(0, bytes.substr(0, kept));
  file.EndAt(bytes.size());
  file.Flush();
}

void WriteInPlace(IFileSystem& files, std::wstring_view path, std::string_view bytes) {
  const std::unique_ptr<ISaveFile> file = files.OpenToWrite(path);
  bool changed = false;
  try {
    WriteOver(*file, bytes, changed);
  } catch (...) {
    // A file this save made goes again, half-written as it is.
    if (file->Created()) changed = !Discarded(*file);
    FailLeaving(changed ? FileMayBeIncomplete(path) : TextStillInWindow(path));
  }
}

// False, with the file at `path` as it was, when the folder takes no new file
// or the system cannot make the swap.
bool ReplaceFromTemporary(IFileSystem& files, std::wstring_view path, std::string_view bytes) {
  std::wstring temporary;
  {
    const std::unique_ptr<ISaveFile> file = files.CreateBeside(path);
    if (!file) return false;
    temporary = file->Path();
    try {
      bool changed = false;
      WriteOver(*file, bytes, changed);
    } catch (...) {
      Discarded(*file);  // the file at `path` has not been touched
      throw;
    }
  }
  if (files.Replace(path, temporary)) return true;
  if (files.InspectSaveTarget(path).exists) {
    try {
      files.Kill(temporary);
    } catch (...) {
      // A stray temporary file does not keep the text from being saved.
    }
    return false;
  }
  // The old file is gone and the text is only in the temporary file, which
  // takes the old name now.
  try {
    files.Rename(temporary, path);
  } catch (...) {
    FailLeaving(TextInTemporaryFile(path, temporary));
  }
  return true;
}

void WriteByMethod(IFileSystem& files, std::wstring_view path, std::wstring_view text) {
  const SaveMethod method = ChooseSaveMethod(files.InspectSaveTarget(path));
  if (method == SaveMethod::kRefuse) Raise(error::kPathFileAccessError);
  const std::string bytes = files.FileBytes(text);
  // No new file may be made in the folder, or no swap: the file itself may
  // still be written.
  if (method == SaveMethod::kReplaceFromTemporary && ReplaceFromTemporary(files, path, bytes)) {
    return;
  }
  WriteInPlace(files, path, bytes);
}

}  // namespace

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

std::wstring TextStillInWindow(std::wstring_view path) {
  return L"The text was not saved to " + std::wstring(path) + L"; it is still in this window.";
}

void SaveText(IFileSystem& files, std::wstring_view path, std::wstring_view text) {
  try {
    WriteByMethod(files, path, text);
  } catch (const SaveError&) {
    throw;
  } catch (...) {
    FailLeaving(TextStillInWindow(path));  // nothing of the file has changed
  }
}

}  // namespace pravex
