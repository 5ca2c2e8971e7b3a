// The upload of the report file to the support FTP drop.
#include "net/ftp_result.h"

#include <utility>

#include "common/module1.h"
#include "net/remote_name.h"
#include "pravex_config.h"

namespace pravex {

namespace {

constexpr std::wstring_view kConnectFailed =
    L"Failed to connect to Quorvel's ftp server. \r\n"
    L"To send the result to Quorvel, you can alternatively use one of the following methods:\r\n"
    L" - Press \"Copy to clipboard\" button on the top, paste contents to e-mail and send it. \r\n"
    L" - Press \"Save\" button on the top, send saved file via e-mail as an attachment.";
constexpr std::wstring_view kTransferredMessage = L"File transfered to Quorvel's ftp server!";
constexpr std::wstring_view kAlreadyThere =
    L"File transfer failed. Likely cause: the file with same name already exists on ftp server. "
    L"\r\nRelaunch the utility if you need to ftp the result again.";
constexpr std::wstring_view kBlockedByFirewall =
    L"File transfer failed. Likely cause: FTP is not allowed from your PC by firewall.";

// Every call into the Internet library takes as long as the network does:
// it runs off the window thread, whose windows meanwhile keep answering, so
// that the system never takes the program for hung and nothing the user
// does reaches it before the upload has ended.
template <class Call>
auto OffTheWindowThread(IWindowSystem& windows, Call call) {
  decltype(call()) result{};
  windows.RunOffTheWindowThread([&] { result = call(); });
  return result;
}

// One Internet handle, obtained by `open` and closed when it goes out of
// scope, both off the window thread.
class InternetHandleOwner {
 public:
  template <class Open>
  InternetHandleOwner(Platform& platform, Open open)
      : platform_(platform), handle_(OffTheWindowThread(platform.windows, open)) {}
  InternetHandleOwner(const InternetHandleOwner&) = delete;
  InternetHandleOwner& operator=(const InternetHandleOwner&) = delete;
  ~InternetHandleOwner() {
    try {
      Close();
    } catch (...) {
      // The library could not even be asked; the handle goes with the process.
    }
  }

  InternetHandle get() const { return handle_; }
  explicit operator bool() const { return handle_ != 0; }
  void Close() {
    if (handle_ == 0) return;
    OffTheWindowThread(platform_.windows, [this] {
      return platform_.internet.InternetCloseHandle(std::exchange(handle_, 0));
    });
  }

 private:
  Platform& platform_;
  InternetHandle handle_;
};

enum class Outcome { kNotConnected, kTransferred, kFailed };

}  // namespace

void FTPResult(Module1& m) {
  Platform& platform = m.platform;
  IInternetApi& api = platform.internet;
  IWindowSystem& windows = platform.windows;
  IMousePointer& pointer = platform.mousePointer;
  Outcome outcome = Outcome::kNotConnected;
  {
    pointer.SetMousePointer(pointer::kHourglass);
    struct DefaultPointer {
      IMousePointer& pointer;
      ~DefaultPointer() { pointer.SetMousePointer(pointer::kDefault); }
    } restore{pointer};

    m.WriteTrace(L"FTPResult() 1: Going to call InternetOpen");
    InternetHandleOwner internet(platform, [&] {
      return api.InternetOpenA(config::kFtpAgent, inet::kOpenTypePreconfig, nullptr, nullptr, 0);
    });
    m.WriteTrace(L"FTPResult() 2: InternetOpen called");
    if (!internet) m.WriteTrace(L"FTPResult() 3: Failed to open InternetOpen connection");

    m.WriteTrace(L"FTPResult() 5: Going to call InternetConnect for ftp");
    InternetHandleOwner connection(platform, [&] {
      return api.InternetConnectA(internet.get(), config::kFtpHost, config::kFtpPort, L"anonymous",
                                  L"", inet::kServiceFtp, 0, 0);
    });
    if (!connection) {
      m.WriteTrace(L"FTPResult() 6: Failed to connect to Quorvel's ftp server");
    } else {
      m.WriteTrace(L"FTPResult() 7: Successfully connected to Quorvel's ftp server");
      m.WriteTrace(L"FTPResult() 8: Going to manipulate file names");
      const std::wstring remote =
          RemoteFileName(m.sResultFile, m.GetSetting(L"Name", L""), m.GetSetting(L"Company", L""));
      m.WriteTrace(L"FTPResult() 9: Going to call FtpPutFile");
      const std::wstring localPath = m.sResultFile;
      const std::wstring remotePath = std::wstring(kRemoteFolder) + remote;
      const bool stored = OffTheWindowThread(windows, [&] {
        return api.FtpPutFileA(connection.get(), localPath, remotePath, inet::kTransferTypeUnknown,
                               0);
      });
      outcome = stored ? Outcome::kTransferred : Outcome::kFailed;
    }
    // Both handles are released before the user is told the outcome.
  }

  switch (outcome) {
    case Outcome::kNotConnected:
      m.MsgBox(kConnectFailed, mb::kExclamation);
      break;
    case Outcome::kTransferred:
      m.WriteTrace(L"FTPResult() 12: File transfer succeeded");
      m.bFtpSent = true;
      m.MsgBox(kTransferredMessage, mb::kInformation, L"FTP result");
      break;
    case Outcome::kFailed:
      if (m.bFtpSent) {
        m.WriteTrace(
            L"FTPResult() 10: File transfer failed, but due to the fact it is already ftped");
        m.MsgBox(kAlreadyThere, mb::kExclamation, L"FTP Result");
      } else {
        m.WriteTrace(L"FTPResult() 11: File transfer failed");
        m.MsgBox(kBlockedByFirewall, mb::kExclamation, L"FTP Result");
      }
      break;
  }
}

}  // namespace pravex
