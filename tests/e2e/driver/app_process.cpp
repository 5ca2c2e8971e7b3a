#include "tests/e2e/driver/app_process.h"

#include <psapi.h>

#include <stdexcept>

#include "tests/e2e/driver/message_box.h"
#include "tests/e2e/driver/wide_text.h"
#include "tests/e2e/driver/window_input.h"

namespace pravex::e2e {

namespace {

// Ending a process takes Wine a moment; it has never taken this long.
constexpr Milliseconds kKillLimit{10000};

// ERROR_ELEVATION_REQUIRED, which MinGW's headers lack.
constexpr DWORD kElevationRequired = 740;

std::string LaunchFailure(const std::wstring& exe, DWORD error) {
  std::string message =
      "CreateProcessW(" + Quoted(exe) + ") failed with error " + std::to_string(error);
  if (error == kElevationRequired) {
    message += ": the program asks for administrator rights; run the tests elevated";
  }
  return message;
}

}  // namespace

WorkingSet WorkingSetOf(HANDLE process) {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  if (!::GetProcessMemoryInfo(process, &counters, sizeof(counters))) {
    throw std::runtime_error("GetProcessMemoryInfo failed for process " +
                             std::to_string(::GetProcessId(process)) + " (error " +
                             std::to_string(::GetLastError()) + ")");
  }
  return {counters.WorkingSetSize, counters.PeakWorkingSetSize};
}

AppProcess::AppProcess(const std::wstring& exe, const EnvironmentBlock& environment,
                       std::wstring_view arguments, StartStyle style,
                       const std::wstring& currentFolder)
    : exe_(exe) {
  std::wstring commandLine = L"\"" + exe + L"\"";
  if (!arguments.empty()) commandLine += L" " + std::wstring(arguments);
  std::wstring block = environment.Block();
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  DWORD flags = CREATE_UNICODE_ENVIRONMENT;
  if (style == StartStyle::kHiddenOwnConsole) {
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
    flags |= CREATE_NEW_CONSOLE;
  }
  PROCESS_INFORMATION info{};
  sinceLaunch_ = Stopwatch();
  if (!::CreateProcessW(exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, flags,
                        block.data(), currentFolder.empty() ? nullptr : currentFolder.c_str(),
                        &startup, &info)) {
    throw std::runtime_error(LaunchFailure(exe, ::GetLastError()));
  }
  ::CloseHandle(info.hThread);
  process_.reset(info.hProcess);
  id_ = info.dwProcessId;
}

AppProcess::~AppProcess() {
  Kill();
}

bool AppProcess::IsRunning() const {
  return process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

std::optional<DWORD> AppProcess::WaitForExit(Milliseconds limit) const {
  if (::WaitForSingleObject(process_.get(), static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0) {
    return std::nullopt;
  }
  DWORD code = 0;
  if (!::GetExitCodeProcess(process_.get(), &code)) {
    throw std::runtime_error("GetExitCodeProcess failed for process " + std::to_string(id_));
  }
  return code;
}

DWORD AppProcess::ExpectExit(Milliseconds limit) const {
  const std::optional<DWORD> code = WaitForExit(limit);
  if (!code) {
    throw WaitTimeout(
        TimeoutMessage("process " + std::to_string(id_) + " (" + Utf8(exe_) + ") to exit", limit));
  }
  return *code;
}

void AppProcess::Kill() {
  if (!IsRunning()) return;
  ::TerminateProcess(process_.get(), kKilledExitCode);
  ::WaitForSingleObject(process_.get(), static_cast<DWORD>(kKillLimit.count()));
}

HWND AppProcess::WaitForWindow(const WindowQuery& query, Milliseconds limit,
                               Milliseconds interval) const {
  const std::string awaited = Describe(query, id_);
  return WaitFor<HWND>(
      [&]() -> std::optional<HWND> {
        const std::vector<HWND> windows = FindTopWindows(id_, query);
        if (!windows.empty()) return windows.front();
        const std::vector<HWND> boxes = FindMessageBoxes(id_);
        if (!boxes.empty()) {
          throw std::runtime_error(awaited + " never came: the process showed a message box, " +
                                   Quoted(ReadMessageBox(boxes.front()).text));
        }
        if (!IsRunning()) throw std::runtime_error(awaited + " never came: the process ended");
        return std::nullopt;
      },
      limit, awaited, interval);
}

bool AppProcess::CloseAndWaitForExit(HWND window, Milliseconds limit) {
  RequestClose(window);
  if (WaitForExit(limit)) return true;
  Kill();
  return false;
}

}  // namespace pravex::e2e
