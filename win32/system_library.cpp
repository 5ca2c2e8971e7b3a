#include "win32/system_library.h"

#include <string>

namespace pravex::win32 {

namespace {

// Where LOAD_LIBRARY_SEARCH_SYSTEM32 is unknown (an old system), the full
// path of the library in the system folder does the same.
UniqueModule LoadByFullPath(const wchar_t* name) {
  const std::wstring folder = SystemFolder();
  if (folder.empty()) return UniqueModule();
  const std::wstring path = folder + L"\\" + name;
  return UniqueModule(::LoadLibraryExW(path.c_str(), nullptr, LOAD_WITH_ALTERED_SEARCH_PATH));
}

}  // namespace

std::wstring SystemFolder() {
  wchar_t folder[MAX_PATH] = {};
  const UINT length = ::GetSystemDirectoryW(folder, MAX_PATH);
  if (length == 0 || length >= MAX_PATH) return std::wstring();
  return std::wstring(folder, length);
}

void SearchLibrariesOnlyInTheSystemFolder() {
  const auto setDefault = BindAs<decltype(::SetDefaultDllDirectories)>(
      ::GetModuleHandleW(L"kernel32.dll"), "SetDefaultDllDirectories");
  if (setDefault && setDefault(LOAD_LIBRARY_SEARCH_SYSTEM32)) return;
  // At least the current folder leaves the search.
  ::SetDllDirectoryW(L"");
}

UniqueModule LoadSystemLibrary(const wchar_t* name) {
  UniqueModule library(::LoadLibraryExW(name, nullptr, LOAD_LIBRARY_SEARCH_SYSTEM32));
  if (!library && ::GetLastError() == ERROR_INVALID_PARAMETER) return LoadByFullPath(name);
  return library;
}

}  // namespace pravex::win32
