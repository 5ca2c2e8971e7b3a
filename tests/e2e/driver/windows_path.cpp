#include "tests/e2e/driver/windows_path.h"

#include <windows.h>

#include "tests/e2e/driver/wide_text.h"

namespace pravex::e2e {

std::wstring WindowsPathOf(const std::wstring& path) {
  if (path.empty() || path.front() != L'/') return path;
  // Wine's kernel32 has the mapping; Windows itself has no host paths.
  using ToDosName = wchar_t*(CDECL*)(const char*);
  const auto toDosName = reinterpret_cast<ToDosName>(reinterpret_cast<void*>(
      ::GetProcAddress(::GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name")));
  if (!toDosName) return path;
  wchar_t* converted = toDosName(Utf8(path).c_str());
  if (!converted) return path;
  std::wstring result(converted);
  ::HeapFree(::GetProcessHeap(), 0, converted);
  return result;
}

}  // namespace pravex::e2e
