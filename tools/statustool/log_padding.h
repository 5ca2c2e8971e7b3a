// Numbered log lines, the bulk of a big report.
#pragma once

#include <cstdint>

#include "tools/statustool/output.h"
#include "tools/statustool/report_values.h"

namespace pravex::statustool {

// Exactly `bytes` bytes of whole lines; the last line is stretched or cut to
// fit.
void WriteLogLines(Output& out, Stream stream, std::uint64_t bytes, LineEnd lineEnd);

}  // namespace pravex::statustool
