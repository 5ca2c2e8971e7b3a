// The driver's own command-line options, next to GoogleTest's.
#pragma once

#include <string>

namespace pravex::e2e {

// Takes --pravex=PATH out of the arguments (falling back on the PRAVEX_EXE
// environment variable): the program under test. A host path given under
// Wine ("/build/Pravex.exe") becomes the Windows path of the same file.
// False, with `error` set, when no usable path was given.
bool ReadOptions(int& argc, wchar_t** argv, std::string& error);

// The program under test as ReadOptions found it.
const std::wstring& PravexExePath();

}  // namespace pravex::e2e
