// The FTP client calls of the Internet library, in the form of its ANSI entry
// points. The strings are wide here; the implementation converts each to the
// ANSI code page before the call.
#pragma once

#include <cstdint>
#include <string_view>

namespace pravex {

using InternetHandle = std::uintptr_t;  // 0 means failure

namespace inet {
inline constexpr unsigned long kOpenTypePreconfig = 0;
inline constexpr unsigned short kInvalidPortNumber = 0;
inline constexpr unsigned long kServiceFtp = 1;
inline constexpr unsigned long kTransferTypeUnknown = 0;
}  // namespace inet

class IInternetApi {
 public:
  virtual ~IInternetApi() = default;
  // A null proxy or bypass list is passed as a null pointer.
  virtual InternetHandle InternetOpenA(std::wstring_view agent, unsigned long accessType,
                                       const wchar_t* proxy, const wchar_t* proxyBypass,
                                       unsigned long flags) = 0;
  virtual InternetHandle InternetConnectA(InternetHandle internet, std::wstring_view serverName,
                                          unsigned short port, std::wstring_view userName,
                                          std::wstring_view password, unsigned long service,
                                          unsigned long flags, std::uintptr_t context) = 0;
  virtual bool FtpPutFileA(InternetHandle connection, std::wstring_view localFile,
                           std::wstring_view remoteFile, unsigned long flags,
                           std::uintptr_t context) = 0;
  virtual bool InternetCloseHandle(InternetHandle handle) = 0;
};

}  // namespace pravex
