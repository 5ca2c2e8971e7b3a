#include "win32/file_system.h"

#include <windows.h>

#include <string>

#include "app/errors.h"
#include "win32/handles.h"
#include "win32/host_errors.h"
#include "win32/text_codec.h"

namespace pravex::win32 {

namespace {

void WriteAll(HANDLE file, const std::string& bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1u << 24));
    DWORD done = 0;
    if (!::WriteFile(file, bytes.data() + written, piece, &done, nullptr)) RaiseLastFileError();
    if (done == 0) RaiseFileError(ERROR_DISK_FULL);
    written += done;
  }
}

UniqueFile OpenForWriting(const std::wstring& path, DWORD access, DWORD disposition) {
  UniqueFile file(::CreateFileW(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) RaiseLastFileError();
  return file;
}

void WriteDirectly(const std::wstring& path, const std::string& bytes) {
  UniqueFile file = OpenForWriting(path, GENERIC_WRITE, CREATE_ALWAYS);
  WriteAll(file.get(), bytes);
}

}  // namespace

void Win32FileSystem::WriteText(std::wstring_view pathView, OpenMode mode, std::wstring_view text) {
  const std::wstring path(pathView);
  const std::string bytes = WideToAnsi(text);

  // A read-only file stays as it is, also for an administrator whose system
  // would let the write through.
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    RaiseFileError(ERROR_ACCESS_DENIED);
  }

  if (mode == OpenMode::Append) {
    UniqueFile file = OpenForWriting(path, FILE_APPEND_DATA, OPEN_ALWAYS);
    WriteAll(file.get(), bytes);
    return;
  }

  const std::wstring temporary =
      path + L".pravex-" + std::to_wstring(::GetCurrentProcessId()) + L".tmp";
  UniqueFile file(::CreateFileW(temporary.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD failure = ::GetLastError();
    // A folder where no new file may be made can still hold a writable file.
    if (failure == ERROR_ACCESS_DENIED) {
      WriteDirectly(path, bytes);
      return;
    }
    RaiseFileError(failure);
  }
  bool replaced = false;
  ScopeExit removeTemporary([&] {
    if (!replaced) ::DeleteFileW(temporary.c_str());
  });
  WriteAll(file.get(), bytes);
  if (!::FlushFileBuffers(file.get())) RaiseLastFileError();
  file.reset();
  if (!::MoveFileExW(temporary.c_str(), path.c_str(),
                     MOVEFILE_REPLACE_EXISTING | MOVEFILE_WRITE_THROUGH)) {
    RaiseLastFileError();
  }
  replaced = true;
}

void Win32FileSystem::Kill(std::wstring_view path) {
  if (!::DeleteFileW(std::wstring(path).c_str())) RaiseLastFileError();
}

}  // namespace pravex::win32
