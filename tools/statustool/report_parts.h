// The sections a status report is made of, as text templates: "\n" ends a
// line, "{name}" stands for a value of the run (see report_values.h).
#pragma once

#include <string_view>

namespace pravex::statustool {

enum class Header { kMarked, kUnmarked };
enum class Service { kRunning, kCrashed, kDisabled, kStopped };
enum class License { kLicensed, kExpired, kMissing, kInvalid, kExpiredOtherCase };

std::string_view HeaderPart(Header header);
std::string_view ServicePart(Service service);
std::string_view LicensePart(License license);

// Title of the numbered log lines that pad a report to a given size.
std::string_view LogTitlePart();
// Recent events with bytes some code pages leave undefined and a NUL byte.
std::string_view OddBytesPart();
std::string_view FooterPart();

}  // namespace pravex::statustool
