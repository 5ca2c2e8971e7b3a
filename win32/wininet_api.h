// The Internet library's ANSI FTP entry points, taken from wininet.dll by
// name when first called, each typed by its declaration in <wininet.h>.
#pragma once

#include <windows.h>
#include <wininet.h>

#include "platform/internet.h"
#include "win32/handles.h"

namespace pravex::win32 {

class WinInetApi final : public IInternetApi {
 public:
  InternetHandle InternetOpenA(std::wstring_view agent, unsigned long accessType,
                               const wchar_t* proxy, const wchar_t* proxyBypass,
                               unsigned long flags) override;
  InternetHandle InternetConnectA(InternetHandle internet, std::wstring_view serverName,
                                  unsigned short port, std::wstring_view userName,
                                  std::wstring_view password, unsigned long service,
                                  unsigned long flags, std::uintptr_t context) override;
  bool FtpPutFileA(InternetHandle connection, std::wstring_view localFile,
                   std::wstring_view remoteFile, unsigned long flags,
                   std::uintptr_t context) override;
  bool InternetCloseHandle(InternetHandle handle) override;

 private:
  void Bind();

  UniqueModule library_;
  decltype(::InternetOpenA)* open_ = nullptr;
  decltype(::InternetConnectA)* connect_ = nullptr;
  decltype(::FtpPutFileA)* putFile_ = nullptr;
  decltype(::InternetCloseHandle)* close_ = nullptr;
};

}  // namespace pravex::win32
