#include "tests/e2e/driver/process_list.h"

#include <tlhelp32.h>

#include "win32/handles.h"

namespace pravex::e2e {

namespace {

// The running processes, one snapshot of them.
std::vector<PROCESSENTRY32W> RunningProcesses() {
  std::vector<PROCESSENTRY32W> processes;
  const win32::UniqueFile snapshot(::CreateToolhelp32Snapshot(TH32CS_SNAPPROCESS, 0));
  if (!snapshot) return processes;
  PROCESSENTRY32W entry{};
  entry.dwSize = sizeof(entry);
  for (BOOL more = ::Process32FirstW(snapshot.get(), &entry); more;
       more = ::Process32NextW(snapshot.get(), &entry)) {
    processes.push_back(entry);
  }
  return processes;
}

}  // namespace

std::vector<DWORD> ProcessIdsNamed(std::wstring_view exeName) {
  std::vector<DWORD> ids;
  for (const PROCESSENTRY32W& entry : RunningProcesses()) {
    const std::wstring_view name(entry.szExeFile);
    if (::CompareStringOrdinal(name.data(), static_cast<int>(name.size()), exeName.data(),
                               static_cast<int>(exeName.size()), TRUE) == CSTR_EQUAL) {
      ids.push_back(entry.th32ProcessID);
    }
  }
  return ids;
}

bool HasChildProcess(DWORD parentId) {
  return ChildProcessId(parentId).has_value();
}

std::optional<DWORD> ChildProcessId(DWORD parentId) {
  for (const PROCESSENTRY32W& entry : RunningProcesses()) {
    if (entry.th32ParentProcessID == parentId) return entry.th32ProcessID;
  }
  return std::nullopt;
}

win32::UniqueHandleObject OpenChildProcess(DWORD parentId, Milliseconds limit,
                                           Milliseconds interval) {
  std::optional<DWORD> child;
  PollUntil(
      [&] {
        child = ChildProcessId(parentId);
        return child.has_value();
      },
      limit, interval);
  if (!child) return {};
  return win32::UniqueHandleObject(
      ::OpenProcess(PROCESS_QUERY_LIMITED_INFORMATION | SYNCHRONIZE, FALSE, *child));
}

std::optional<double> LifetimeMs(HANDLE process) {
  FILETIME created{}, ended{}, kernel{}, user{};
  if (!process || ::WaitForSingleObject(process, 0) != WAIT_OBJECT_0 ||
      !::GetProcessTimes(process, &created, &ended, &kernel, &user)) {
    return std::nullopt;
  }
  auto ticks = [](const FILETIME& time) {
    return (static_cast<long long>(time.dwHighDateTime) << 32) | time.dwLowDateTime;
  };
  return static_cast<double>(ticks(ended) - ticks(created)) / 10'000.0;  // 100 ns ticks
}

bool EndProcess(DWORD processId, Milliseconds limit) {
  const win32::UniqueHandleObject process(
      ::OpenProcess(PROCESS_TERMINATE | SYNCHRONIZE, FALSE, processId));
  // A process that has ended already cannot be opened by its id any more.
  if (!process) return ::GetLastError() == ERROR_INVALID_PARAMETER;
  ::TerminateProcess(process.get(), 1);
  return ::WaitForSingleObject(process.get(), static_cast<DWORD>(limit.count())) == WAIT_OBJECT_0;
}

}  // namespace pravex::e2e
