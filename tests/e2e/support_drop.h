// The test FTP server as the send tests see it: the files it received, read
// through Wine's Z: drive, and the mode file that switches it into its
// failures. It is the build's own FTP address only when the build was
// configured for a local host and port, and the runner started the server.
#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace pravex::e2e {

class SupportDrop {
 public:
  // Why the send tests cannot run with this build and run; nothing when they can.
  static std::optional<std::string> Unavailable();

  // An empty drop that stores uploads ("normal" mode) and takes connections.
  void Reset();

  // Writes the mode ("normal", "refuse-login", "refuse-stor", "drop-data",
  // "absent") and returns once it holds. The server closes and opens its
  // port within a moment of reading the file, so a switch to or from
  // "absent" is awaited at the port; the others apply to the next session.
  void SwitchMode(std::string_view mode);

  // Names of the files that arrived in support/incoming, sorted.
  std::vector<std::wstring> ReceivedNames() const;
  // A received file's bytes, or nothing when there is no such file.
  std::optional<std::string> Received(const std::wstring& name) const;

 private:
  static std::wstring IncomingFolder();
  std::string mode_ = "normal";
};

}  // namespace pravex::e2e
