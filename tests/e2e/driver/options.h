// The driver's own command-line options, next to GoogleTest's.
#pragma once

#include <string>

namespace pravex::e2e {

// Takes the driver's options out of the arguments:
//   --pravex=PATH          the program under test (or the PRAVEX_EXE variable)
//   --statustool-dir=PATH  folder of the stand-in status tool
//   --cmdshim=PATH         the stand-in command interpreter
//   --ftp-root=PATH        root folder of the test FTP server, when one runs
//   --ftp-mode-file=PATH   the file that switches that server's mode
// A host path given under Wine ("/build/Pravex.exe") becomes the Windows
// path of the same file. False, with `error` set, when the program under
// test is missing or a given tool does not exist.
bool ReadOptions(int& argc, wchar_t** argv, std::string& error);

// Each as ReadOptions found it; empty when it was not given.
const std::wstring& PravexExePath();
const std::wstring& StatusToolFolder();
const std::wstring& CmdShimPath();
const std::wstring& FtpRootFolder();
const std::wstring& FtpModeFilePath();

// A folder on a file system of a few hundred KB of its own, which the tests
// may fill: the PRAVEX_E2E_SMALL_FOLDER variable, set by the runner where
// the machine lets it mount one; empty otherwise.
const std::wstring& SmallDiskFolder();

}  // namespace pravex::e2e
