#include "tools/statustool/report_parts.h"

#include <cstddef>

namespace pravex::statustool {

using namespace std::string_view_literals;

namespace {

constexpr std::string_view kHeaders[] = {
    /* kMarked */
    "===== {validity} =====\n"
    "Product: {product}\n"
    "Product version: {version}\n"
    "Platform: ZPX 5.8.1 (x64)\n"
    "Status tool version: 2.3.0\n"
    "Computer: WS-ENG-014\n"
    "Generated: 2024-05-14 09:31:07\n"
    "\n",
    /* kUnmarked: the report header itself was lost */
    "Status store damaged; partial output follows.\n"
    "Product: {product}\n"
    "Product version: {version}\n"
    "\n",
};

constexpr std::string_view kServices[] = {
    /* kRunning */
    "[Runtime service]\n"
    "Service name: ZpxRuntime\n"
    "Runtime service: RUNNING\n"
    "Start type: Automatic\n"
    "Process id: 4312\n"
    "Uptime: 3 days 04:12:55\n"
    "\n",
    /* kCrashed */
    "[Runtime service]\n"
    "Service name: ZpxRuntime\n"
    "{row4}\n"
    "Start type: Automatic\n"
    "Last exit code: 0xC0000005 (2024-05-14 08:02:41)\n"
    "Restart attempts: 3 of 3\n"
    "\n",
    /* kDisabled */
    "[Runtime service]\n"
    "Service name: ZpxRuntime\n"
    "{row5}\n"
    "Start type: Disabled\n"
    "Changed by: Administrator (2024-05-02 16:40:12)\n"
    "\n",
    /* kStopped */
    "[Runtime service]\n"
    "Service name: ZpxRuntime\n"
    "{row6}\n"
    "Start type: Manual\n"
    "Last exit code: 0 (2024-05-14 07:58:03)\n"
    "\n",
};

constexpr std::string_view kLicenses[] = {
    /* kLicensed */
    "[License]\n"
    "License check: OK\n"
    "License type: Named user\n"
    "Licensed to: Example Engineering Ltd\n"
    "Valid until: 2026-12-31\n"
    "\n",
    /* kExpired */
    "[License]\n"
    "{row1}\n"
    "License type: Named user\n"
    "Licensed to: Example Engineering Ltd\n"
    "Valid until: 2023-12-31\n"
    "\n",
    /* kMissing */
    "[License]\n"
    "{row2}\n"
    "License store: C:\\ProgramData\\ZPX\\Licenses (empty)\n"
    "License server: none configured\n"
    "\n",
    /* kInvalid */
    "[License]\n"
    "{row3}\n"
    "License type: Named user\n"
    "Licensed to: Example Engineering Ltd\n"
    "Reason: signature does not match this computer\n"
    "\n",
    /* kExpiredOtherCase */
    "[License]\n"
    "{row1-othercase}\n"
    "License type: Named user\n"
    "Licensed to: Example Engineering Ltd\n"
    "Valid until: 2023-12-31\n"
    "\n",
};

// 0x81, 0x8D, 0x8F, 0x90 and 0x9D have no character in Windows-1252; the
// string literal operator keeps the NUL byte inside the text.
constexpr std::string_view kOddBytes =
    "[Recent events]\n"
    "2024-05-14 08:59:12 Profile loaded from C:\\Users\\J\x81rgen\\AppData\\Local\\ZPX\n"
    "2024-05-14 09:01:40 Cache entry \x8D\x8F\x90\x9D\x80\xFF damaged\0skipped\n"
    "2024-05-14 09:02:03 Project \"Caf\xE9 \xC4nderung\" opened\n"
    "\n"sv;

template <class Part, std::size_t N>
std::string_view Pick(const std::string_view (&parts)[N], Part part) {
  return parts[static_cast<std::size_t>(part)];
}

}  // namespace

std::string_view HeaderPart(Header header) {
  return Pick(kHeaders, header);
}
std::string_view ServicePart(Service service) {
  return Pick(kServices, service);
}
std::string_view LicensePart(License license) {
  return Pick(kLicenses, license);
}

std::string_view LogTitlePart() {
  return "[Log]\n";
}
std::string_view OddBytesPart() {
  return kOddBytes;
}
std::string_view FooterPart() {
  return "End of report.\n";
}

}  // namespace pravex::statustool
