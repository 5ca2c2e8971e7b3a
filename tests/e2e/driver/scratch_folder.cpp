#include "tests/e2e/driver/scratch_folder.h"

#include <windows.h>

#include <stdexcept>

#include "tests/e2e/driver/wide_text.h"
#include "win32/handles.h"

namespace pravex::e2e {

namespace {

struct FindTraits {
  static HANDLE Invalid() { return INVALID_HANDLE_VALUE; }
  static bool IsValid(HANDLE h) { return h != INVALID_HANDLE_VALUE; }
  static void Close(HANDLE h) { ::FindClose(h); }
};
using UniqueFind = win32::UniqueHandle<HANDLE, FindTraits>;

void Fail(std::string_view action, const std::wstring& path) {
  throw std::runtime_error("cannot " + std::string(action) + " " + Quoted(path) + " (error " +
                           std::to_string(::GetLastError()) + ")");
}

}  // namespace

void RemoveFolderTree(const std::wstring& path) {
  WIN32_FIND_DATAW data{};
  {
    const UniqueFind find(::FindFirstFileW((path + L"\\*").c_str(), &data));
    if (!find) {
      const DWORD error = ::GetLastError();
      if (error == ERROR_PATH_NOT_FOUND || error == ERROR_FILE_NOT_FOUND) return;
      Fail("list", path);
    }
    do {
      const std::wstring name(data.cFileName);
      if (name == L"." || name == L"..") continue;
      const std::wstring entry = path + L"\\" + name;
      if (data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY) {
        RemoveFolderTree(entry);
        continue;
      }
      if (data.dwFileAttributes & FILE_ATTRIBUTE_READONLY) {
        ::SetFileAttributesW(entry.c_str(), FILE_ATTRIBUTE_NORMAL);
      }
      if (!::DeleteFileW(entry.c_str())) Fail("delete", entry);
    } while (::FindNextFileW(find.get(), &data));
  }
  if (!::RemoveDirectoryW(path.c_str())) Fail("remove the folder", path);
}

ScratchFolder::ScratchFolder(std::wstring path) : path_(std::move(path)) {
  RemoveFolderTree(path_);
  if (!::CreateDirectoryW(path_.c_str(), nullptr)) Fail("create the folder", path_);
}

ScratchFolder::~ScratchFolder() {
  try {
    RemoveFolderTree(path_);
  } catch (const std::exception&) {
    // The next test's scratch folder starts by trying again.
  }
}

std::wstring ScratchFolder::operator/(const std::wstring& name) const {
  return path_ + L"\\" + name;
}

}  // namespace pravex::e2e
