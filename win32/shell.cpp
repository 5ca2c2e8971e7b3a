#include "win32/shell.h"

#include <windows.h>

#include <cstdlib>
#include <string>

#include "win32/handles.h"
#include "win32/host_errors.h"
#include "win32/scripting.h"
#include "win32/window_system.h"

namespace pravex::win32 {

namespace {

constexpr int kAnswerYes = 6;
constexpr int kQuestionYesNo = 32 | 4;  // question icon, Yes and No

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

}  // namespace

std::chrono::seconds PatienceFromEnvironment() {
  wchar_t value[32] = {};
  const DWORD length = ::GetEnvironmentVariableW(L"PRAVEX_STATUS_PATIENCE_SECONDS", value, 32);
  if (length == 0 || length >= 32) return kDefaultPatience;
  wchar_t* end = nullptr;
  const long seconds = std::wcstol(value, &end, 10);
  if (*end != L'\0' || seconds <= 0) return kDefaultPatience;
  return std::chrono::seconds(seconds);
}

int Win32Shell::Run(std::wstring_view commandLine, int windowStyle, bool wait) {
  std::wstring command = ExpandEnvironment(commandLine);
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  startup.dwFlags = STARTF_USESHOWWINDOW;
  startup.wShowWindow = static_cast<WORD>(windowStyle);  // 0 is SW_HIDE
  PROCESS_INFORMATION info{};
  ProcessTree tree;
  {
    QuietChildErrors quiet;
    if (!::CreateProcessW(nullptr, command.data(), nullptr, nullptr, FALSE, CREATE_SUSPENDED,
                          nullptr, nullptr, &startup, &info)) {
      RaiseLastFileError();
    }
  }
  UniqueHandleObject process(info.hProcess);
  UniqueHandleObject thread(info.hThread);
  tree.Adopt(process.get());
  ::ResumeThread(thread.get());
  if (!wait) return 0;

  std::chrono::seconds waited{0};
  while (!windows_.WaitKeepingWindowsPainted(process.get(), patience_)) {
    waited += patience_;
    if (!KeepWaiting(waited)) {
      tree.Stop(process.get());
      windows_.WaitKeepingWindowsPainted(process.get(), std::chrono::seconds(10));
      break;
    }
  }
  DWORD exitCode = 0;
  ::GetExitCodeProcess(process.get(), &exitCode);
  return static_cast<int>(exitCode);
}

bool Win32Shell::KeepWaiting(std::chrono::seconds waited) {
  const long long minutes = waited.count() / 60;
  const std::wstring howLong = minutes >= 2   ? std::to_wstring(minutes) + L" minutes"
                               : minutes == 1 ? L"1 minute"
                                              : std::to_wstring(waited.count()) + L" seconds";
  const std::wstring prompt =
      L"The status tool has been running for " + howLong +
      L" and has not finished.\r\n\r\nKeep waiting for it? Choose No to stop it; the diagnosis "
      L"then goes on with what the tool has written so far.";
  return messageBoxes_.Show(prompt, kQuestionYesNo, L"Pravex") == kAnswerYes;
}

}  // namespace pravex::win32
