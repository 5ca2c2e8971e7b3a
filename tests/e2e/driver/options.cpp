#include "tests/e2e/driver/options.h"

#include <windows.h>

#include <string_view>
#include <vector>

#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/wide_text.h"

namespace pravex::e2e {

namespace {

constexpr std::wstring_view kPravexFlag = L"--pravex=";

std::wstring& StoredPravexPath() {
  static std::wstring path;
  return path;
}

std::wstring EnvironmentVariable(const wchar_t* name) {
  const DWORD size = ::GetEnvironmentVariableW(name, nullptr, 0);
  if (size == 0) return {};
  std::wstring value(size, L'\0');
  value.resize(::GetEnvironmentVariableW(name, value.data(), size));
  return value;
}

// Wine's kernel32 maps a host path to the Windows path of the same file;
// on Windows the function does not exist and a path is already a Windows one.
std::wstring WindowsPathOf(const std::wstring& path) {
  if (path.empty() || path.front() != L'/') return path;
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

}  // namespace

bool ReadOptions(int& argc, wchar_t** argv, std::string& error) {
  std::wstring path = EnvironmentVariable(L"PRAVEX_EXE");
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    const std::wstring_view argument(argv[i]);
    if (argument.starts_with(kPravexFlag)) {
      path = argument.substr(kPravexFlag.size());
    } else {
      argv[kept++] = argv[i];
    }
  }
  argc = kept;
  argv[argc] = nullptr;

  if (path.empty()) {
    error = "Pass the program under test as --pravex=PATH or in PRAVEX_EXE.";
    return false;
  }
  StoredPravexPath() = WindowsPathOf(path);
  if (!FileExists(StoredPravexPath())) {
    error = "The program under test " + Quoted(StoredPravexPath()) + " does not exist.";
    return false;
  }
  return true;
}

const std::wstring& PravexExePath() {
  return StoredPravexPath();
}

}  // namespace pravex::e2e
