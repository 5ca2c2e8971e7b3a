// The report file's name and the command line that fills it.
#pragma once

#include <string>
#include <string_view>

#include "platform/clock.h"

namespace pravex {

// The report file's path up to its stamp. The name it gets on the FTP drop
// starts with the part after the folder (net/remote_name.cpp).
inline constexpr std::wstring_view kReportPrefix = L"C:\\QuorvelPravexResult_";

// The moment in the user's general date format: the short date, a blank and
// the long time; at exactly midnight the time is left out.
std::wstring GeneralDateText(IClock& clock, const LocalDateTime& moment);

// "C:\QuorvelPravexResult_" + the date text + ".txt", with ":" made "-"
// in the date text, then every " " made "_" and every "/" made "-". Any other
// character of the date text but an ASCII letter or digit, ".", "-" or "_"
// becomes "-" as well: the user's formats may hold any literal text, and the
// path goes through the interpreter's command line and the ANSI code page.
std::wstring ReportFilePath(std::wstring_view generalDateText);

// The interpreter runs the command with both of its outputs sent to the
// report file.
std::wstring ReportCommandLine(std::wstring_view command, std::wstring_view reportPath);

// Every `from` in `text` replaced by `to`, left to right.
std::wstring ReplaceAll(std::wstring text, wchar_t from, wchar_t to);

}  // namespace pravex
