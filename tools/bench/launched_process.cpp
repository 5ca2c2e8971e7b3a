#include "tools/bench/launched_process.h"

#include <psapi.h>

#include <stdexcept>

#include "tests/e2e/driver/wide_text.h"

namespace pravex::bench {

namespace {

// Ending a process takes Wine a moment; it has never taken this long.
constexpr DWORD kEndLimitMs = 10000;
constexpr UINT kEndedByBenchmark = 0xBE7C;

}  // namespace

LaunchedProcess::LaunchedProcess(const LaunchRequest& request) : exe_(request.exe) {
  std::wstring commandLine = L"\"" + request.exe + L"\"";
  if (!request.arguments.empty()) commandLine += L" " + request.arguments;
  std::wstring environment = *request.environment;
  STARTUPINFOW startup{};
  startup.cb = sizeof(startup);
  if (request.hidden) {
    startup.dwFlags = STARTF_USESHOWWINDOW;
    startup.wShowWindow = SW_HIDE;
  }
  DWORD flags = CREATE_UNICODE_ENVIRONMENT;
  if (request.ownConsole) flags |= CREATE_NEW_CONSOLE;
  PROCESS_INFORMATION info{};
  sinceLaunch_ = Stopwatch();
  if (!::CreateProcessW(request.exe.c_str(), commandLine.data(), nullptr, nullptr, FALSE, flags,
                        environment.data(), nullptr, &startup, &info)) {
    throw std::runtime_error("cannot start " + e2e::Quoted(request.exe) + " (error " +
                             std::to_string(::GetLastError()) + ")");
  }
  ::CloseHandle(info.hThread);
  process_.reset(info.hProcess);
  id_ = info.dwProcessId;
}

LaunchedProcess::~LaunchedProcess() {
  End();
}

bool LaunchedProcess::IsRunning() const {
  return process_ && ::WaitForSingleObject(process_.get(), 0) == WAIT_TIMEOUT;
}

void LaunchedProcess::WaitForExit(Milliseconds limit) const {
  if (::WaitForSingleObject(process_.get(), static_cast<DWORD>(limit.count())) != WAIT_OBJECT_0) {
    throw BenchTimeout(
        TimeoutMessage(e2e::Utf8(exe_) + " (process " + std::to_string(id_) + ") to exit", limit));
  }
}

std::size_t LaunchedProcess::PeakWorkingSetBytes() const {
  PROCESS_MEMORY_COUNTERS counters{};
  counters.cb = sizeof(counters);
  if (!::GetProcessMemoryInfo(process_.get(), &counters, sizeof(counters))) {
    throw std::runtime_error("GetProcessMemoryInfo failed for process " + std::to_string(id_) +
                             " (error " + std::to_string(::GetLastError()) + ")");
  }
  return counters.PeakWorkingSetSize;
}

void LaunchedProcess::End() {
  if (!IsRunning()) return;
  ::TerminateProcess(process_.get(), kEndedByBenchmark);
  ::WaitForSingleObject(process_.get(), kEndLimitMs);
}

}  // namespace pravex::bench
