// Win32 error codes in the host's error numbers and texts.
#pragma once

#include <windows.h>

namespace pravex::win32 {

// The host's number for a failed file operation with this system error.
int FileErrorNumber(DWORD systemError);

// Throws the HostError for GetLastError() after a failed file operation.
[[noreturn]] void RaiseLastFileError();
[[noreturn]] void RaiseFileError(DWORD systemError);

}  // namespace pravex::win32
