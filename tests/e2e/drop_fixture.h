// What the tests that send to the test FTP drop share: the boxes that tell
// how a transfer went, the name the report must arrive under, and a send
// from a result window. They skip when this build and run have no drop.
#pragma once

#include <string>
#include <string_view>

#include "tests/e2e/contact_fixture.h"
#include "tests/e2e/support_drop.h"

namespace pravex::e2e {

inline constexpr std::wstring_view kTransferred = L"File transfered to Quorvel's ftp server!";
inline constexpr std::wstring_view kConnectFailed =
    L"Failed to connect to Quorvel's ftp server. \r\n"
    L"To send the result to Quorvel, you can alternatively use one of the following methods:\r\n"
    L" - Press \"Copy to clipboard\" button on the top, paste contents to e-mail and send it. \r\n"
    L" - Press \"Save\" button on the top, send saved file via e-mail as an attachment.";
inline constexpr std::wstring_view kBlockedByFirewall =
    L"File transfer failed. Likely cause: FTP is not allowed from your PC by firewall.";
inline constexpr std::wstring_view kAlreadyThere =
    L"File transfer failed. Likely cause: the file with same name already exists on ftp server. "
    L"\r\nRelaunch the utility if you need to ftp the result again.";

class DropTest : public ContactTest {
 protected:
  // Skips the test when there is no drop; otherwise empties it.
  void SetUp() override;

  // The name the drop must store the report under.
  static std::wstring RemoteName(const ContactDetails& details);

  // Send, the details typed, OK: the box that tells the outcome, awaited
  // for up to `limit`.
  ShownBox Send(const ResultWindow& window, const ContactDetails& details,
                Milliseconds limit = kShowLimit);

  SupportDrop drop_;
};

}  // namespace pravex::e2e
