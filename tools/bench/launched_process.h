// A program the benchmark starts. The object owns the process handle: the
// process is ended through it when the object goes, whichever way a
// measurement ends, so no run leaves a process behind.
#pragma once

#include <windows.h>

#include <cstddef>
#include <string>

#include "tools/bench/bounded_wait.h"
#include "win32/handles.h"

namespace pravex::bench {

struct LaunchRequest {
  std::wstring exe;                 // Windows path
  std::wstring arguments;           // what follows the quoted exe on the command line
  const std::wstring* environment;  // a CREATE_UNICODE_ENVIRONMENT block
  bool hidden = false;              // SW_HIDE, as a program starts a helper it does not show
  bool ownConsole = false;          // a console of its own, as a windowed parent gives it
};

class LaunchedProcess {
 public:
  // Throws std::runtime_error when the program cannot be started.
  explicit LaunchedProcess(const LaunchRequest& request);
  LaunchedProcess(const LaunchedProcess&) = delete;
  LaunchedProcess& operator=(const LaunchedProcess&) = delete;
  ~LaunchedProcess();

  DWORD Id() const { return id_; }
  // Time since just before CreateProcessW.
  double MillisecondsSinceLaunch() const { return sinceLaunch_.ElapsedMs(); }
  HANDLE Handle() const { return process_.get(); }
  bool IsRunning() const;

  // Throws BenchTimeout when the process is still running after `limit`.
  void WaitForExit(Milliseconds limit) const;

  // The most memory the process has had in RAM so far.
  std::size_t PeakWorkingSetBytes() const;

  // Ends the process through its handle unless it has ended, and waits a
  // bounded time for it to be gone.
  void End();

 private:
  win32::UniqueHandleObject process_;
  DWORD id_ = 0;
  std::wstring exe_;
  Stopwatch sinceLaunch_;
};

}  // namespace pravex::bench
