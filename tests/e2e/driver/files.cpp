#include "tests/e2e/driver/files.h"

#include <windows.h>

#include <stdexcept>
#include <vector>

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

std::wstring InFolder(const std::wstring& folder, const std::wstring& name) {
  if (!folder.empty() && folder.back() == L'\\') return folder + name;
  return folder + L"\\" + name;
}

}  // namespace

std::optional<std::string> ReadFileBytes(const std::wstring& path) {
  // Shared for writing too: the program may still hold the file open.
  const win32::UniqueFile file(::CreateFileW(
      path.c_str(), GENERIC_READ, FILE_SHARE_READ | FILE_SHARE_WRITE | FILE_SHARE_DELETE, nullptr,
      OPEN_EXISTING, FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    const DWORD error = ::GetLastError();
    if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return std::nullopt;
    throw std::runtime_error("cannot open " + Quoted(path) + " (error " + std::to_string(error) +
                             ")");
  }
  // A megabyte at a time into a string sized up front, as Pravex reads a
  // report back: reports of many megabytes are read in tests and probes.
  std::string bytes;
  LARGE_INTEGER size{};
  if (::GetFileSizeEx(file.get(), &size)) bytes.reserve(static_cast<std::size_t>(size.QuadPart));
  std::vector<char> chunk(1u << 20);
  DWORD read = 0;
  while (::ReadFile(file.get(), chunk.data(), static_cast<DWORD>(chunk.size()), &read, nullptr) &&
         read > 0) {
    bytes.append(chunk.data(), read);
  }
  return bytes;
}

void WriteFileBytes(const std::wstring& path, std::string_view bytes) {
  const win32::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) {
    throw std::runtime_error("cannot create " + Quoted(path) + " (error " +
                             std::to_string(::GetLastError()) + ")");
  }
  DWORD written = 0;
  if (!::WriteFile(file.get(), bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size()) {
    throw std::runtime_error("cannot write " + Quoted(path) + " (error " +
                             std::to_string(::GetLastError()) + ")");
  }
}

bool FileExists(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && !(attributes & FILE_ATTRIBUTE_DIRECTORY);
}

std::optional<std::uint64_t> FileSize(const std::wstring& path) {
  WIN32_FILE_ATTRIBUTE_DATA data{};
  if (!::GetFileAttributesExW(path.c_str(), GetFileExInfoStandard, &data)) return std::nullopt;
  return (std::uint64_t{data.nFileSizeHigh} << 32) | data.nFileSizeLow;
}

void SetReadOnly(const std::wstring& path, bool readOnly) {
  if (!::SetFileAttributesW(path.c_str(),
                            readOnly ? FILE_ATTRIBUTE_READONLY : FILE_ATTRIBUTE_NORMAL)) {
    throw std::runtime_error("cannot change the attributes of " + Quoted(path) + " (error " +
                             std::to_string(::GetLastError()) + ")");
  }
}

void DeleteFileIfPresent(const std::wstring& path) {
  if (::DeleteFileW(path.c_str())) return;
  const DWORD error = ::GetLastError();
  if (error == ERROR_FILE_NOT_FOUND || error == ERROR_PATH_NOT_FOUND) return;
  throw std::runtime_error("cannot delete " + Quoted(path) + " (error " + std::to_string(error) +
                           ")");
}

std::vector<std::wstring> FilesMatching(const std::wstring& folder, const std::wstring& pattern) {
  std::vector<std::wstring> paths;
  WIN32_FIND_DATAW data{};
  const UniqueFind find(::FindFirstFileW(InFolder(folder, pattern).c_str(), &data));
  if (!find) return paths;
  do {
    if (!(data.dwFileAttributes & FILE_ATTRIBUTE_DIRECTORY)) {
      paths.push_back(InFolder(folder, data.cFileName));
    }
  } while (::FindNextFileW(find.get(), &data));
  return paths;
}

}  // namespace pravex::e2e
