// The Internet library's ANSI FTP entry points, taken from wininet.dll by
// name when first called.
#pragma once

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
  using OpenFn = void*(__stdcall*)(const char*, unsigned long, const char*, const char*,
                                   unsigned long);
  using ConnectFn = void*(__stdcall*)(void*, const char*, unsigned short, const char*, const char*,
                                      unsigned long, unsigned long, std::uintptr_t);
  using PutFileFn = int(__stdcall*)(void*, const char*, const char*, unsigned long, std::uintptr_t);
  using CloseFn = int(__stdcall*)(void*);

  void Bind();

  UniqueModule library_;
  OpenFn open_ = nullptr;
  ConnectFn connect_ = nullptr;
  PutFileFn putFile_ = nullptr;
  CloseFn close_ = nullptr;
};

}  // namespace pravex::win32
