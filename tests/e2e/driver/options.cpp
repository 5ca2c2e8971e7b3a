#include "tests/e2e/driver/options.h"

#include <windows.h>

#include <string_view>

#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/wide_text.h"
#include "tests/e2e/driver/windows_path.h"

namespace pravex::e2e {

namespace {

struct Paths {
  std::wstring pravex;
  std::wstring statusToolFolder;
  std::wstring cmdShim;
  std::wstring ftpRoot;
  std::wstring ftpModeFile;
  std::wstring smallDisk;
};

Paths& StoredPaths() {
  static Paths paths;
  return paths;
}

struct Flag {
  std::wstring_view prefix;
  std::wstring Paths::*path;
};

constexpr Flag kFlags[] = {
    {L"--pravex=", &Paths::pravex},
    {L"--statustool-dir=", &Paths::statusToolFolder},
    {L"--cmdshim=", &Paths::cmdShim},
    {L"--ftp-root=", &Paths::ftpRoot},
    {L"--ftp-mode-file=", &Paths::ftpModeFile},
};

std::wstring EnvironmentVariable(const wchar_t* name) {
  const DWORD size = ::GetEnvironmentVariableW(name, nullptr, 0);
  if (size == 0) return {};
  std::wstring value(size, L'\0');
  value.resize(::GetEnvironmentVariableW(name, value.data(), size));
  return value;
}

bool IsFolder(const std::wstring& path) {
  const DWORD attributes = ::GetFileAttributesW(path.c_str());
  return attributes != INVALID_FILE_ATTRIBUTES && (attributes & FILE_ATTRIBUTE_DIRECTORY);
}

// Takes one of the driver's flags; false if the argument is none of them.
bool TakeFlag(std::wstring_view argument, Paths& paths) {
  for (const Flag& flag : kFlags) {
    if (argument.starts_with(flag.prefix)) {
      paths.*flag.path = WindowsPathOf(std::wstring(argument.substr(flag.prefix.size())));
      return true;
    }
  }
  return false;
}

}  // namespace

bool ReadOptions(int& argc, wchar_t** argv, std::string& error) {
  Paths& paths = StoredPaths();
  paths.pravex = WindowsPathOf(EnvironmentVariable(L"PRAVEX_EXE"));
  paths.smallDisk = WindowsPathOf(EnvironmentVariable(L"PRAVEX_E2E_SMALL_FOLDER"));
  if (!paths.smallDisk.empty() && !IsFolder(paths.smallDisk)) paths.smallDisk.clear();
  int kept = 1;
  for (int i = 1; i < argc; ++i) {
    if (!TakeFlag(argv[i], paths)) argv[kept++] = argv[i];
  }
  argc = kept;
  argv[argc] = nullptr;

  if (paths.pravex.empty()) {
    error = "Pass the program under test as --pravex=PATH or in PRAVEX_EXE.";
    return false;
  }
  if (!FileExists(paths.pravex)) {
    error = "The program under test " + Quoted(paths.pravex) + " does not exist.";
    return false;
  }
  if (!paths.statusToolFolder.empty() && !IsFolder(paths.statusToolFolder)) {
    error = "The status tool folder " + Quoted(paths.statusToolFolder) + " does not exist.";
    return false;
  }
  if (!paths.cmdShim.empty() && !FileExists(paths.cmdShim)) {
    error = "The interpreter stand-in " + Quoted(paths.cmdShim) + " does not exist.";
    return false;
  }
  if (!paths.ftpRoot.empty() && !IsFolder(paths.ftpRoot)) {
    error = "The FTP root " + Quoted(paths.ftpRoot) + " does not exist.";
    return false;
  }
  return true;
}

const std::wstring& PravexExePath() {
  return StoredPaths().pravex;
}
const std::wstring& StatusToolFolder() {
  return StoredPaths().statusToolFolder;
}
const std::wstring& CmdShimPath() {
  return StoredPaths().cmdShim;
}
const std::wstring& FtpRootFolder() {
  return StoredPaths().ftpRoot;
}
const std::wstring& FtpModeFilePath() {
  return StoredPaths().ftpModeFile;
}
const std::wstring& SmallDiskFolder() {
  return StoredPaths().smallDisk;
}

}  // namespace pravex::e2e
