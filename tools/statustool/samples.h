// The status reports the stand-in tool can give, one per result Pravex can
// show and one per way a real tool can misbehave, and the giving of them.
// PRAVEX_SAMPLE picks one.
#pragma once

#include <string>
#include <string_view>

#include "tools/statustool/output.h"
#include "tools/statustool/report_values.h"
#include "tools/statustool/settings.h"

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

// "healthy, expired, ...": every sample's name.
std::wstring SampleNames();
// Null when no sample has that name.
const Sample* FindSample(std::wstring_view name);

// The tool started as the helper that the "helper" sample leaves running.
inline constexpr std::wstring_view kHelperArgument = L"/helper";

// The helper's life: PRAVEX_SAMPLE_SECONDS of sleep.
int RunHelper(const Settings& settings);

// Gives the sample's report the way the sample says; the process exit code.
// A crashing sample never returns.
int RunSample(const Sample& sample, const ReportValues& values, const Settings& settings,
              Output& out);

}  // namespace pravex::statustool
