#include "tests/e2e/support_drop.h"

#include <algorithm>

#include "pravex_config.h"
#include "tests/e2e/driver/deadline.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/options.h"
#include "tests/e2e/driver/tcp_port.h"
#include "tests/e2e/driver/wide_text.h"

namespace pravex::e2e {

namespace {

// The server rereads its mode file every 50 ms.
constexpr Milliseconds kSwitchLimit{3000};

bool IsLocalHost(std::wstring_view host) {
  return host == L"127.0.0.1" || host == L"localhost";
}

void AwaitPort(bool accepting) {
  WaitUntil([&] { return LocalPortAccepts(config::kFtpPort) == accepting; }, kSwitchLimit,
            std::string("the test FTP server's port ") + std::to_string(config::kFtpPort) +
                (accepting ? " to accept connections" : " to refuse connections"));
}

}  // namespace

std::optional<std::string> SupportDrop::Unavailable() {
  if (!IsLocalHost(config::kFtpHost)) {
    return "this build sends reports to " + Quoted(config::kFtpHost) +
           "; the send tests need a build configured with -DPRAVEX_FTP_HOST=127.0.0.1 "
           "-DPRAVEX_FTP_PORT=<a free port>";
  }
  if (config::kFtpPort == 0) {
    return std::string(
        "this build sends to the standard FTP port (PRAVEX_FTP_PORT=0); the send tests need a "
        "port of their own, e.g. -DPRAVEX_FTP_PORT=21021");
  }
  if (FtpRootFolder().empty() || FtpModeFilePath().empty()) {
    return std::string(
        "no test FTP server runs for this run: run-under-wine.sh starts one when given "
        "PRAVEX_E2E_FTP_HOST=127.0.0.1 and PRAVEX_E2E_FTP_PORT, as ctest does, passes "
        "--ftp-root and --ftp-mode-file, and says why when it cannot");
  }
  return std::nullopt;
}

std::wstring SupportDrop::IncomingFolder() {
  return FtpRootFolder() + L"\\support\\incoming";
}

void SupportDrop::Reset() {
  mode_.clear();
  SwitchMode("normal");
  for (const std::wstring& file : FilesMatching(IncomingFolder(), L"*")) DeleteFileIfPresent(file);
}

void SupportDrop::SwitchMode(std::string_view mode) {
  const bool wasAbsent = mode_ == "absent";
  WriteFileBytes(FtpModeFilePath(), std::string(mode) + "\n");
  mode_ = mode;
  if (mode == "absent") {
    AwaitPort(false);
  } else if (wasAbsent || mode == "normal") {
    AwaitPort(true);
  }
}

std::vector<std::wstring> SupportDrop::ReceivedNames() const {
  std::vector<std::wstring> names;
  const std::wstring folder = IncomingFolder();
  for (const std::wstring& path : FilesMatching(folder, L"*")) {
    names.push_back(path.substr(folder.size() + 1));
  }
  std::sort(names.begin(), names.end());
  return names;
}

std::optional<std::string> SupportDrop::Received(const std::wstring& name) const {
  return ReadFileBytes(IncomingFolder() + L"\\" + name);
}

}  // namespace pravex::e2e
