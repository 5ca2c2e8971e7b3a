// Host paths given to the benchmark under Wine ("/work/build/Pravex.exe")
// become the Windows paths of the same files.
#pragma once

#include <string>

namespace pravex::bench {

// The Windows path of a host path; any other path comes back as it was.
std::wstring WindowsPathOf(const std::wstring& path);

}  // namespace pravex::bench
