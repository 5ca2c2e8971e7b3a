// A program started for a test or a measurement. It is ended when the
// object goes, so that no run leaves a process behind, whichever way it ends.
#pragma once

#include <windows.h>

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "tests/e2e/driver/deadline.h"
#include "tests/e2e/driver/environment_block.h"
#include "tests/e2e/driver/top_windows.h"
#include "win32/handles.h"

namespace pravex::e2e {

// How a program is started: as a test starts it, or hidden and with a
// console of its own, as a windowed program starts a helper it does not show.
enum class StartStyle { kNormal, kHiddenOwnConsole };

struct WorkingSet {
  std::size_t bytes = 0;
  std::size_t peakBytes = 0;  // the most the process has had in RAM so far
};

// The working set of the process behind the handle (the current one's too);
// throws std::runtime_error when it cannot be read.
WorkingSet WorkingSetOf(HANDLE process);

class AppProcess {
 public:
  // The exit code a process ended by the driver has.
  static constexpr DWORD kKilledExitCode = 0xDEAD;

  // Starts `exe` (a Windows path) with exactly the given environment and
  // the arguments as they go on the command line after the quoted `exe`, in
  // `currentFolder` (empty: the driver's own); throws std::runtime_error when
  // it cannot be started.
  AppProcess(const std::wstring& exe, const EnvironmentBlock& environment,
             std::wstring_view arguments = {}, StartStyle style = StartStyle::kNormal,
             const std::wstring& currentFolder = {});
  AppProcess(const AppProcess&) = delete;
  AppProcess& operator=(const AppProcess&) = delete;
  ~AppProcess();

  DWORD Id() const { return id_; }
  bool IsRunning() const;
  // Time since just before CreateProcessW.
  double MillisecondsSinceLaunch() const { return sinceLaunch_.ElapsedMs(); }
  WorkingSet Memory() const { return WorkingSetOf(process_.get()); }

  // The exit code once the process has ended, or nothing if it is still
  // running after `limit`.
  std::optional<DWORD> WaitForExit(Milliseconds limit) const;
  // The same, but a process still running after `limit` throws WaitTimeout.
  DWORD ExpectExit(Milliseconds limit) const;

  // Ends the process now unless it has ended already, and waits until it has.
  void Kill();

  // The process's topmost window matching `query` once there is one; throws
  // WaitTimeout after `limit`, and std::runtime_error as soon as the process
  // shows a message box or ends instead, so a wait never outlasts a failure.
  HWND WaitForWindow(const WindowQuery& query, Milliseconds limit,
                     Milliseconds interval = kPollInterval) const;

  // Asks `window` to close as its close box would and waits up to `limit`
  // for the process to end, ending it if it has not; whether it ended by
  // itself.
  bool CloseAndWaitForExit(HWND window, Milliseconds limit);

 private:
  win32::UniqueHandleObject process_;
  DWORD id_ = 0;
  std::wstring exe_;
  Stopwatch sinceLaunch_;
};

}  // namespace pravex::e2e
