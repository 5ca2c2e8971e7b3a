// A report like the stand-in status tool's large healthy one: its numbered
// heartbeat lines, CR LF, to an exact size, written to a file through one
// buffer so that the probe's own memory starts low.
#pragma once

#include <cstdint>
#include <string>

namespace pravex::bench {

// Throws std::runtime_error when the file cannot be created.
void WriteSampleReport(const std::wstring& path, std::uint64_t bytes);

}  // namespace pravex::bench
