// Libraries come from the system folder only. The program runs with
// administrator rights, often from a Downloads folder: a library of a
// system's name lying beside Pravex.exe must never be the one that loads.
#pragma once

#include <windows.h>

#include <string>

#include "win32/bind_as.h"
#include "win32/handles.h"

namespace pravex::win32 {

// First thing at start: every later load by name, the system's own ones
// included, searches the system folder alone.
void SearchLibrariesOnlyInTheSystemFolder();

// The system folder, where only administrators may place files; empty when
// the system cannot tell.
std::wstring SystemFolder();

// Loads the system's library of that name ("wininet.dll"); null when it is
// missing.
UniqueModule LoadSystemLibrary(const wchar_t* name);

}  // namespace pravex::win32
