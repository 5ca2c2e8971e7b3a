// Host paths given under Wine ("/work/build/Pravex.exe") become the Windows
// paths of the same files.
#pragma once

#include <string>

namespace pravex::e2e {

// The Windows path of a host path; any other path comes back as it was.
std::wstring WindowsPathOf(const std::wstring& path);

}  // namespace pravex::e2e
