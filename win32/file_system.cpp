#include "win32/file_system.h"

#include <windows.h>

#include <memory>
#include <string>
#include <string_view>

#include "common/errors.h"
#include "win32/handles.h"
#include "win32/host_errors.h"
#include "win32/private_file.h"
#include "win32/text_codec.h"

namespace pravex::win32 {

namespace {

// The temporary file's name: "pvx" and four hex digits, ".tmp", as
// GetTempFileNameW makes them.
constexpr wchar_t kTemporaryPrefix[] = L"pvx";
constexpr std::size_t kTemporaryNameLength = 12;
constexpr DWORD kSettableAttributes = FILE_ATTRIBUTE_READONLY | FILE_ATTRIBUTE_HIDDEN |
                                      FILE_ATTRIBUTE_SYSTEM | FILE_ATTRIBUTE_ARCHIVE |
                                      FILE_ATTRIBUTE_NOT_CONTENT_INDEXED | FILE_ATTRIBUTE_OFFLINE;

void WriteAll(HANDLE file, std::string_view bytes) {
  std::size_t written = 0;
  while (written < bytes.size()) {
    const DWORD piece = static_cast<DWORD>(std::min<std::size_t>(bytes.size() - written, 1u << 24));
    DWORD done = 0;
    if (!::WriteFile(file, bytes.data() + written, piece, &done, nullptr)) RaiseLastFileError();
    if (done == 0) RaiseFileError(ERROR_DISK_FULL);
    written += done;
  }
}

void MoveTo(HANDLE file, std::uint64_t offset) {
  LARGE_INTEGER position;
  position.QuadPart = static_cast<LONGLONG>(offset);
  if (!::SetFilePointerEx(file, position, nullptr, FILE_BEGIN)) RaiseLastFileError();
}

bool AlreadyThere(DWORD error) {
  return error == ERROR_FILE_EXISTS || error == ERROR_ALREADY_EXISTS;
}

// A new file, with the right to remove it again where the folder grants it:
// a folder may let files be made that it does not let be deleted.
UniqueFile CreateNew(const std::wstring& path) {
  for (const DWORD access : {DWORD{GENERIC_WRITE | DELETE}, DWORD{GENERIC_WRITE}}) {
    UniqueFile file(::CreateFileW(path.c_str(), access, FILE_SHARE_READ, nullptr, CREATE_NEW,
                                  FILE_ATTRIBUTE_NORMAL, nullptr));
    if (file || ::GetLastError() != ERROR_ACCESS_DENIED) return file;
  }
  return UniqueFile();
}

// Save as...'s file, held open from its opening to the end of the save.
class Win32SaveFile final : public ISaveFile {
 public:
  Win32SaveFile(UniqueFile file, std::wstring path, bool created)
      : file_(std::move(file)), path_(std::move(path)), created_(created) {}

  const std::wstring& Path() const override { return path_; }
  bool Created() const override { return created_; }
  std::uint64_t Size() override {
    LARGE_INTEGER size{};
    if (!::GetFileSizeEx(file_.get(), &size)) RaiseLastFileError();
    return static_cast<std::uint64_t>(size.QuadPart);
  }
  void WriteAt(std::uint64_t offset, std::string_view bytes) override {
    MoveTo(file_.get(), offset);
    WriteAll(file_.get(), bytes);
  }
  void EndAt(std::uint64_t length) override {
    MoveTo(file_.get(), length);
    if (!::SetEndOfFile(file_.get())) RaiseLastFileError();
  }
  void Flush() override {
    if (!::FlushFileBuffers(file_.get())) RaiseLastFileError();
  }
  // Through the handle, which alone had the file from its making: nothing
  // put in its place under the same name meanwhile can be hit.
  void Discard() override {
    FILE_DISPOSITION_INFO disposition{};
    disposition.DeleteFile = TRUE;
    if (!::SetFileInformationByHandle(file_.get(), FileDispositionInfo, &disposition,
                                      sizeof disposition)) {
      RaiseLastFileError();
    }
  }

 private:
  UniqueFile file_;
  std::wstring path_;
  bool created_;
};

UniqueFile OpenForWriting(const std::wstring& path, DWORD access, DWORD disposition) {
  UniqueFile file(::CreateFileW(path.c_str(), access, FILE_SHARE_READ, nullptr, disposition,
                                FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) RaiseLastFileError();
  return file;
}

// Writes the whole file, then cuts off what is left of the old one: opened,
// not created anew, the file keeps its attributes, permissions and streams.
void WriteInPlace(const std::wstring& path, std::string_view bytes) {
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
  if (mode == OpenMode::kNewPrivate) {
    const UniqueFile file = CreatePrivateFile(path);
    WriteAll(file.get(), bytes);
    return;
  }
  if (mode == OpenMode::kAppend) {
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

std::string Win32FileSystem::FileBytes(std::wstring_view text) {
  return WideToAnsi(text);
}

std::unique_ptr<ISaveFile> Win32FileSystem::OpenToWrite(std::wstring_view pathView) {
  const std::wstring path(pathView);
  RefuseReadOnly(path);
  // A file that is there is opened as it is, so that it keeps its
  // attributes, permissions and streams, and a link is written through.
  UniqueFile created = CreateNew(path);
  if (created) return std::make_unique<Win32SaveFile>(std::move(created), path, true);
  if (!AlreadyThere(::GetLastError())) RaiseLastFileError();
  return std::make_unique<Win32SaveFile>(OpenForWriting(path, GENERIC_WRITE, OPEN_EXISTING), path,
                                         false);
}

std::unique_ptr<ISaveFile> Win32FileSystem::CreateBeside(std::wstring_view path) {
  const std::wstring folder = FolderOf(std::wstring(path));
  // GetTempFileNameW's own search, but the file is created here and kept
  // open, so that no one can put another in its place before it is written.
  const UINT start = ::GetTickCount();
  for (UINT step = 0; step <= 0xFFFF; ++step) {
    const UINT unique = (start + step) & 0xFFFF;
    if (unique == 0) continue;  // would have GetTempFileNameW create a file itself
    wchar_t name[MAX_PATH] = {};
    if (!::GetTempFileNameW(folder.c_str(), kTemporaryPrefix, unique, name)) return nullptr;
    UniqueFile file = CreateNew(name);
    if (file) return std::make_unique<Win32SaveFile>(std::move(file), name, true);
    if (!AlreadyThere(::GetLastError())) return nullptr;  // no new file may be made here
  }
  return nullptr;
}

bool Win32FileSystem::Replace(std::wstring_view pathView, std::wstring_view replacementView) {
  const std::wstring path(pathView);
  const std::wstring replacement(replacementView);
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  if (!::ReplaceFileW(path.c_str(), replacement.c_str(), nullptr, REPLACEFILE_IGNORE_MERGE_ERRORS,
                      nullptr, nullptr)) {
    return false;
  }
  // Windows carries the attributes over; Wine 8 does not.
  if (attributes != INVALID_FILE_ATTRIBUTES && ::GetFileAttributesW(path.c_str()) != attributes) {
    ::SetFileAttributesW(path.c_str(), attributes & kSettableAttributes);
  }
  return true;
}

void Win32FileSystem::Rename(std::wstring_view from, std::wstring_view to) {
  if (!::MoveFileExW(std::wstring(from).c_str(), std::wstring(to).c_str(),
                     MOVEFILE_WRITE_THROUGH)) {
    RaiseLastFileError();
  }
}

void Win32FileSystem::Kill(std::wstring_view path) {
  if (!::DeleteFileW(std::wstring(path).c_str())) RaiseLastFileError();
}

}  // namespace pravex::win32
