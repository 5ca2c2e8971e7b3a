// The status reports the stand-in tool can give, one per result Pravex can
// show and one per way a real tool can misbehave. PRAVEX_SAMPLE picks one.
#pragma once

#include <span>
#include <string_view>

#include "tools/statustool/output.h"

namespace pravex::statustool {

enum class Twist {
  kNone,
  kNothing,      // no output at all
  kLogPadding,   // numbered log lines make the report PRAVEX_SAMPLE_BYTES long
  kOddBytes,     // undefined code page bytes, a NUL byte, LF line ends only
  kDelay,        // PRAVEX_SAMPLE_SECONDS pass before any output
  kCrashMidway,  // the process dies in the middle of the license section
  kLeaveHelper,  // starts a helper that runs on for PRAVEX_SAMPLE_SECONDS after the tool ends
};

// The report's sections are templates of report_parts.h.
struct Sample {
  std::wstring_view name;
  std::string_view header;
  std::string_view service;
  std::string_view license;
  Stream stream;  // where the report goes
  Twist twist;
  int exitCode;
  std::string_view warning;  // to standard error after the service section
};

std::span<const Sample> AllSamples();
// Null when no sample has that name.
const Sample* FindSample(std::wstring_view name);

}  // namespace pravex::statustool
