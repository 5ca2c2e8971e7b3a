#include "win32/file_system.h"

#include <windows.h>

#include <string>

#include "app/errors.h"
#include "win32/handles.h"
#include "win32/host_errors.h"
#include "win32/private_file.h"
#include "win32/text_codec.h"

namespace pravex::win32 {

namespace {

// GetTempFileNameW's names: "pvx" and four hex digits, ".tmp".
constexpr std::size_t kTemporaryNameLength = 12;
constexpr DWORD kSettableAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                      FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                      FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_OFFLINE;

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

// Writes the whole file, then cuts off what is left of the old one: opened,
// not created anew, the file keeps its attributes, permissions and streams.
void WriteInPlace(const std::wstring& path, const std::string& bytes) {
  UniqueFile file = OpenForWriting(path, GENERIC_WRITE, OPEN_ALWAYS);
  WriteAll(file.get(), bytes);
  if (!::SetEndOfFile(file.get())) RaiseLastFileError();
}

std::wstring FolderOf(const std::wstring& path) {
  const std::size_t slash = path.find_last_of(L"\\/");
  return slash == std::wstring::npos ? L"." : path.substr(0, slash + 1);
}

void RefuseReadOnly(const std::wstring& path) {
  // A read-only file stays as it is, also for an administrator whose system
  // would let the write through.
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_READONLY)) {
    RaiseFileError(ERROR_ACCESS_DENIED);
  }
}

}  // namespace

void Win32FileSystem::WriteText(std::wstring_view pathView, OpenMode mode, std::wstring_view text) {
  const std::wstring path(pathView);
  const std::string bytes = WideToAnsi(text);
  RefuseReadOnly(path);
  if (mode == OpenMode::NewPrivate) {
    const UniqueFile file = CreatePrivateFile(path);
    WriteAll(file.get(), bytes);
    return;
  }
  if (mode == OpenMode::Append) {
    UniqueFile file = OpenForWriting(path, FILE_APPEND_DATA, OPEN_ALWAYS);
    WriteAll(file.get(), bytes);
    return;
  }
  WriteInPlace(path, bytes);
}

SaveTarget Win32FileSystem::InspectSaveTarget(std::wstring_view pathView) {
  const std::wstring path(pathView);
  SaveTarget target;
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (attributes == INVALID_FILE_ATTRIBUTES || (attributes & FILE_ATTRIBUTE_DIRECTORY)) {
    return target;  // writing it will say what is wrong
  }
  target.exists = true;
  target.readOnly = (attributes & FILE_ATTRIBUTE_READONLY) != 0;
  target.link = (attributes & FILE_ATTRIBUTE_REPARSE_POINT) != 0;
  target.roomForTemporary = FolderOf(path).size() + kTemporaryNameLength < MAX_PATH;

  const UniqueFile file(::CreateFileW(path.c_str(), FILE_READ_ATTRIBUTES,
                                      FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                                      nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  BY_HANDLE_FILE_INFORMATION information{};
  if (file && ::GetFileInformationByHandle(file.get(), &information)) {
    target.hardLinks = static_cast<int>(information.nNumberOfLinks);
  }
  // Whoever holds the file open without delete sharing keeps it from being
  // replaced; asking for the right to delete it tells.
  const UniqueFile probe(
      ::CreateFileW(path.c_str(), DELETE, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE,
                    nullptr, OPEN_EXISTING, FILE_FLAG_BACKUP_SEMANTICS, nullptr));
  target.openWithoutDeleteSharing = !probe && ::GetLastError() == ERROR_SHARING_VIOLATION;
  return target;
}

bool Win32FileSystem::ReplaceWithText(std::wstring_view pathView, std::wstring_view text) {
  const std::wstring path(pathView);
  const std::string bytes = WideToAnsi(text);
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  wchar_t temporary[MAX_PATH] = {};
  // Creates the file, with a name no other file in the folder has.
  if (!::GetTempFileNameW(FolderOf(path).c_str(), L"pvx", 0, temporary)) return false;
  bool swapped = false;
  ScopeExit removeTemporary([&] {
    if (!swapped) ::DeleteFileW(temporary);
  });
  {
    UniqueFile file = OpenForWriting(temporary, GENERIC_WRITE, TRUNCATE_EXISTING);
    WriteAll(file.get(), bytes);
    if (!::FlushFileBuffers(file.get())) RaiseLastFileError();
  }
  if (::ReplaceFileW(path.c_str(), temporary, nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS, nullptr,
                     nullptr)) {
    swapped = true;
    // Windows carries the attributes over; Wine 8 does not.
    if (attributes != INVALID_FILE_ATTRIBUTES && ::GetFileAttributesW(path.c_str()) != attributes) {
      ::SetFileAttributesW(path.c_str(), attributes & kSettableAttributes);
    }
    return true;
  }
  if (::GetLastError() == ERROR_UNABLE_TO_MOVE_REPLACEMENT &&
      ::GetFileAttributesW(path.c_str()) == INVALID_FILE_ATTRIBUTES) {
    // The old file is gone already and the new one still has its
    // temporary name: it takes the old name now, and is kept under the
    // temporary one should even that fail.
    swapped = true;
    if (!::MoveFileExW(temporary, path.c_str(), MOVEFILE_WRITE_THROUGH)) RaiseLastFileError();
    return true;
  }
  return false;  // nothing changed: the file is written in place instead
}

void Win32FileSystem::Kill(std::wstring_view path) {
  if (!::DeleteFileW(std::wstring(path).c_str())) RaiseLastFileError();
}

}  // namespace pravex::win32
