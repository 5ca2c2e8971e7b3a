// The processes running from a given executable, whoever started them: a
// test checks that none of the program's processes outlives it; and whether
// a process has started another that still runs.
#pragma once

#include <windows.h>

#include <optional>
#include <string_view>
#include <vector>

#include "tests/e2e/driver/deadline.h"
#include "win32/handles.h"

namespace pravex::e2e {

// Ids of the running processes whose executable has this file name
// ("Pravex.exe"), compared without regard to case.
std::vector<DWORD> ProcessIdsNamed(std::wstring_view exeName);

// Whether a running process has `parentId` as its parent.
bool HasChildProcess(DWORD parentId);
// The id of a process that `parentId` started and that still runs.
std::optional<DWORD> ChildProcessId(DWORD parentId);
// A process that `parentId` starts, once it runs, looked for every
// `interval` up to `limit`; empty when none came.
win32::UniqueHandleObject OpenChildProcess(DWORD parentId, Milliseconds limit,
                                           Milliseconds interval);
// From the process's start to its end, by its own times; nothing while it runs.
std::optional<double> LifetimeMs(HANDLE process);

// Ends the process with this id and waits up to `limit` until it has ended;
// whether it is gone.
bool EndProcess(DWORD processId, Milliseconds limit);

}  // namespace pravex::e2e
