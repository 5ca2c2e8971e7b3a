// The sections a status report is made of, as text templates: "\n" ends a
// line, "{name}" stands for a value of the run (see report_values.h).
#pragma once

#include <string_view>

namespace pravex::statustool::parts {

// The report's header, with the validity marker, and one whose header was lost.
inline constexpr std::string_view kMarked =
    "===== {validity} =====\n"
    "Product: {product}\n"
    "Product version: {version}\n"
    "Platform: ZPX 5.8.1 (x64)\n"
    "Status tool version: 2.3.0\n"
    "Computer: WS-ENG-014\n"
    "Generated: 2024-05-14 09:31:07\n"
    "\n";
inline constexpr std::string_view kUnmarked =
    "Status store damaged; partial output follows.\n"
    "Product: {product}\n"
    "Product version: {version}\n"
    "\n";

// The runtime service's section.
inline constexpr std::string_view kRunning =
    "[Runtime service]\n"
    "Service name: ZpxRuntime\n"
    "Runtime service: RUNNING\n"
    "Start type: Automatic\n"
    "Process id: 4312\n"
    "Uptime: 3 days 04:12:55\n"
    "\n";
inline constexpr std::string_view kCrashed =
    "[Runtime service]\n"
    "Service name: ZpxRuntime\n"
    "{row4}\n"
    "Start type: Automatic\n"
    "Last exit code: 0xC0000005 (2024-05-14 08:02:41)\n"
    "Restart attempts: 3 of 3\n"
    "\n";
inline constexpr std::string_view kDisabled =
    "[Runtime service]\n"
    "Service name: ZpxRuntime\n"
    "{row5}\n"
    "Start type: Disabled\n"
    "Changed by: Administrator (2024-05-02 16:40:12)\n"
    "\n";
inline constexpr std::string_view kStopped =
    "[Runtime service]\n"
    "Service name: ZpxRuntime\n"
    "{row6}\n"
    "Start type: Manual\n"
    "Last exit code: 0 (2024-05-14 07:58:03)\n"
    "\n";

// The license's section.
inline constexpr std::string_view kLicensed =
    "[License]\n"
    "License check: OK\n"
    "License type: Named user\n"
    "Licensed to: Example Engineering Ltd\n"
    "Valid until: 2026-12-31\n"
    "\n";
inline constexpr std::string_view kExpired =
    "[License]\n"
    "{row1}\n"
    "License type: Named user\n"
    "Licensed to: Example Engineering Ltd\n"
    "Valid until: 2023-12-31\n"
    "\n";
inline constexpr std::string_view kMissing =
    "[License]\n"
    "{row2}\n"
    "License store: C:\\ProgramData\\ZPX\\Licenses (empty)\n"
    "License server: none configured\n"
    "\n";
inline constexpr std::string_view kInvalid =
    "[License]\n"
    "{row3}\n"
    "License type: Named user\n"
    "Licensed to: Example Engineering Ltd\n"
    "Reason: signature does not match this computer\n"
    "\n";
inline constexpr std::string_view kExpiredOtherCase =
    "[License]\n"
    "{row1-othercase}\n"
    "License type: Named user\n"
    "Licensed to: Example Engineering Ltd\n"
    "Valid until: 2023-12-31\n"
    "\n";

// Title of the numbered log lines that pad a report to a given size.
inline constexpr std::string_view kLogTitle = "[Log]\n";
// Recent events with bytes some code pages leave undefined and a NUL byte:
// 0x81, 0x8D, 0x8F, 0x90 and 0x9D have no character in Windows-1252.
inline constexpr char kOddEventsText[] =
    "[Recent events]\n"
    "2024-05-14 08:59:12 Profile loaded from C:\\Users\\J\x81rgen\\AppData\\Local\\ZPX\n"
    "2024-05-14 09:01:40 Cache entry \x8D\x8F\x90\x9D\x80\xFF damaged\0skipped\n"
    "2024-05-14 09:02:03 Project \"Caf\xE9 \xC4nderung\" opened\n"
    "\n";
// The NUL byte stays inside the text.
inline constexpr std::string_view kOddEvents(kOddEventsText, sizeof(kOddEventsText) - 1);
inline constexpr std::string_view kFooter = "End of report.\n";

}  // namespace pravex::statustool::parts
