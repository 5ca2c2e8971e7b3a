#include "tests/e2e/driver/windows_path.h"

#include <windows.h>

#include "tests/e2e/driver/wide_text.h"
#include "win32/bind_as.h"

// Wine's kernel32 maps a host path to a Windows one; declared as Wine
// declares it. Windows itself has no host paths and no such function.
extern "C" WCHAR* CDECL wine_get_dos_file_name(LPCSTR path);

namespace pravex::e2e {

std::wstring WindowsPathOf(const std::wstring& path) {
  if (path.empty() || path.front() != L'/') return path;
  // Taken at run time: only Wine's kernel32 has it.
  const auto toDosName = win32::BindAs<decltype(::wine_get_dos_file_name)>(
      ::GetModuleHandleW(L"kernel32.dll"), "wine_get_dos_file_name");
  if (!toDosName) return path;
  wchar_t* converted = toDosName(Utf8(path).c_str());
  if (!converted) return path;
  std::wstring result(converted);
  ::HeapFree(::GetProcessHeap(), 0, converted);
  return result;
}

}  // namespace pravex::e2e
