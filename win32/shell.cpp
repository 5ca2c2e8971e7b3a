#include "win32/shell.h"

#include <windows.h>

#include <cstdlib>
#include <string>

#include "win32/handles.h"
#include "win32/host_errors.h"
#include "win32/scripting.h"
#include "win32/system_library.h"
#include "win32/window_system.h"

namespace pravex::win32 {

namespace {

// The interpreter and everything it starts, in one job, so that the whole
// tree can be stopped when the user gives up waiting for it. The job sets no
// limits: what the tool leaves running on purpose (a service helper it
// restarted, a viewer it opened) outlives the run and the job.
class ProcessTree {
 public:
  ProcessTree() : job_(::CreateJobObjectW(nullptr, nullptr)) {}

  // Without a job (the system refused one) only the interpreter is stopped.
  void Adopt(HANDLE process) { adopted_ = job_ && ::AssignProcessToJobObject(job_.get(), process); }

  void Stop(HANDLE process) {
    if (adopted_)
      ::TerminateJobObject(job_.get(), 1);
    else
      ::TerminateProcess(process, 1);
  }

 private:
  UniqueHandleObject job_;
  bool adopted_ = false;
};

// The child inherits the error mode: a status tool that crashes must not
// wait on a crash dialog that nobody sees behind the hidden window.
class QuietChildErrors {
 public:
  QuietChildErrors()
      : previous_(::SetErrorMode(SEM_FAILCRITICALERRORS | SEM_NOGPFAULTERRORBOX |
                                 SEM_NOOPENFILEERRORBOX)) {}
  QuietChildErrors(const QuietChildErrors&) = delete;
  QuietChildErrors& operator=(const QuietChildErrors&) = delete;
  ~QuietChildErrors() { ::SetErrorMode(previous_); }

 private:
  UINT previous_;
};

// The interpreter looks for a bare command name in its current folder before
// the search path. Started in Pravex's own current folder (a Downloads folder,
// say), it would run a "qvstatus.bat" lying there with administrator rights;
// the system folder is one that only administrators can write. Systems that
// honour it are also told not to look in the current folder at all.
std::wstring InterpreterFolder() {
  ::SetEnvironmentVariableW(L"NoDefaultCurrentDirectoryInExePath", L"1");
  std::wstring folder = SystemFolder();
  if (folder.empty()) RaiseLastFileError();
  return folder;
}

}  // namespace

std::optional<std::wstring> Win32Shell::Environment(std::wstring_view name) {
  const std::wstring variable(name);
  std::wstring value(64, L'\0');
  for (;;) {
    ::SetLastError(ERROR_SUCCESS);
    const DWORD length =
        ::GetEnvironmentVariableW(variable.c_str(), value.data(), static_cast<DWORD>(value.size()));
    if (length == 0) {
      if (::GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
      return std::wstring();
    }
    if (length < value.size()) {
      value.resize(length);
      return value;
    }
    value.resize(length);
  }
}

int Win32Shell::Run(std::wstring_view commandLine, int windowStyle, bool wait,
                    const WaitCheck& check) {
  std::wstring command = ExpandEnvironment(commandLine);
  const std::wstring folder = InterpreterFolder();
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(windowStyle);  // 0 is SW_HIDE
  PROCESS_INFORMATION info{};
  ProcessTree tree;
  {
    QuietChildErrors quiet;
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                          nullptr, folder.c_str(), &startup, &info)) {
      RaiseLastFileError();
    }
  }
  UniqueHandleObject process(info.hProcess);
  UniqueHandleObject thread(info.hThread);
  tree.Adopt(process.get());
  ::ResumeThread(thread.get());
  if (!wait) return 0;

  const bool asks = check.every.count() > 0 && check.keepWaiting;
  const std::chrono::milliseconds interval =
      asks ? std::chrono::milliseconds(check.every) : std::chrono::milliseconds(INFINITE);
  std::chrono::seconds waited{0};
  while (!windows_.WaitKeepingWindowsPainted(process.get(), interval)) {
    if (!asks) continue;
    waited += check.every;
    if (!check.keepWaiting(waited)) {
      tree.Stop(process.get());
      windows_.WaitKeepingWindowsPainted(process.get(), std::chrono::seconds(10));
      break;
    }
  }
  DWORD exitCode = 0;
  ::GetExitCodeProcess(process.get(), &exitCode);
  return static_cast<int>(exitCode);
}

}  // namespace pravex::win32
