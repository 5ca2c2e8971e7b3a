// cmdshim.exe: stands in for %ComSpec% in the end-to-end tests under Wine.
// It runs the real cmd.exe with its own command line, the trailing "2<&1"
// turned into "2>&1", and ends with the interpreter's exit code.
#include <windows.h>

#include <cstdio>
#include <string>

#include "tools/statustool/redirection_fix.h"
#include "win32/handles.h"

namespace {

std::wstring ModulePath() {
  std::wstring path(32768, L'\0');  // the longest path there is
  path.resize(::GetModuleFileNameW(nullptr, path.data(), static_cast<DWORD>(path.size())));
  return path;
}

// The real interpreter, %SystemRoot%\system32\cmd.exe, found without the
// environment the shim was started with.
std::wstring InterpreterPath() {
  wchar_t directory[MAX_PATH] = {};
  const UINT length = ::GetSystemDirectoryW(directory, MAX_PATH);
  return std::wstring(directory, length < MAX_PATH ? length : 0) + L"\\cmd.exe";
}

}  // namespace

int wmain() {
  const std::wstring interpreter = InterpreterPath();
  std::wstring commandLine =
      pravex::cmdshim::InterpreterCommandLine(::GetCommandLineW(), ModulePath(), interpreter);

  // The interpreter opens the same kind of window the shim was asked for.
  STARTUPINFOW own{};
  own.cb = sizeof(own);
  ::GetStartupInfoW(&own);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = own.dwFlags & STARTF_USESHOWWINDOW;
  startup.wShowWindow = own.wShowWindow;

  PROCESS_INFORMATION info{};
  if (!::CreateProcessW(interpreter.c_str(), commandLine.data(), nullptr, nullptr, TRUE, 0, nullptr,
                        nullptr, &startup, &info)) {
    std::fwprintf(stderr, L"cmdshim: cannot start %ls (error %lu)\n", interpreter.c_str(),
                  ::GetLastError());
    return 1;
  }
  const pravex::win32::UniqueHandleObject process(info.hProcess);
  const pravex::win32::UniqueHandleObject thread(info.hThread);
  ::WaitForSingleObject(process.get(), INFINITE);
  DWORD exitCode = 1;
  ::GetExitCodeProcess(process.get(), &exitCode);
  return static_cast<int>(exitCode);
}
