// Files that only the user running Pravex, SYSTEM and the Administrators
// may open (common/private_access.h says why).
#pragma once

#include <string>

#include "win32/handles.h"

namespace pravex::win32 {

// Creates the file anew, open for writing, with those permissions. Whatever
// had the name is deleted first (a link itself, never what it points to),
// and the file is made only if nothing took the name again meanwhile, so
// that no one else's file is ever written to. Throws HostError.
UniqueFile CreatePrivateFile(const std::wstring& path);

}  // namespace pravex::win32
