#include "win32/wininet_api.h"

#include <windows.h>

#include <cstring>
#include <optional>
#include <string>

#include "common/errors.h"
#include "win32/system_library.h"
#include "win32/text_codec.h"

namespace pravex::win32 {

namespace {

template <class Declared>
Declared* Entry(HMODULE library, const char* name) {
  Declared* const entry = BindAs<Declared>(library, name);
  if (!entry)
    throw HostError(error::kDllFunctionNotFound, L"Can't find DLL entry point " +
                                                     std::wstring(name, name + std::strlen(name)) +
                                                     L" in wininet.dll");
  return entry;
}

std::optional<std::string> OptionalAnsi(const wchar_t* text) {
  if (!text) return std::nullopt;
  return WideToAnsi(text);
}

const char* PointerOf(const std::optional<std::string>& text) {
  return text ? text->c_str() : nullptr;
}

HINTERNET AsHandle(InternetHandle handle) {
  return reinterpret_cast<HINTERNET>(handle);
}
InternetHandle FromHandle(HINTERNET handle) {
  return reinterpret_cast<InternetHandle>(handle);
}

}  // namespace

void WinInetApi::Bind() {
  if (library_) return;
  UniqueModule library = LoadSystemLibrary(L"wininet.dll");
  if (!library) throw HostError(error::kErrorLoadingDll, L"Error in loading DLL wininet.dll");
  open_ = Entry<decltype(::InternetOpenA)>(library.get(), "InternetOpenA");
  connect_ = Entry<decltype(::InternetConnectA)>(library.get(), "InternetConnectA");
  putFile_ = Entry<decltype(::FtpPutFileA)>(library.get(), "FtpPutFileA");
  close_ = Entry<decltype(::InternetCloseHandle)>(library.get(), "InternetCloseHandle");
  library_ = std::move(library);
}

InternetHandle WinInetApi::InternetOpenA(std::wstring_view agent, unsigned long accessType,
                                         const wchar_t* proxy, const wchar_t* proxyBypass,
                                         unsigned long flags) {
  Bind();
  const std::string agentA = WideToAnsi(agent);
  const auto proxyA = OptionalAnsi(proxy);
  const auto bypassA = OptionalAnsi(proxyBypass);
  return FromHandle(
      open_(agentA.c_str(), accessType, PointerOf(proxyA), PointerOf(bypassA), flags));
}

InternetHandle WinInetApi::InternetConnectA(InternetHandle internet, std::wstring_view serverName,
                                            unsigned short port, std::wstring_view userName,
                                            std::wstring_view password, unsigned long service,
                                            unsigned long flags, std::uintptr_t context) {
  Bind();
  const std::string serverA = WideToAnsi(serverName);
  const std::string userA = WideToAnsi(userName);
  const std::string passwordA = WideToAnsi(password);
  return FromHandle(connect_(AsHandle(internet), serverA.c_str(), port, userA.c_str(),
                             passwordA.c_str(), service, flags, context));
}

bool WinInetApi::FtpPutFileA(InternetHandle connection, std::wstring_view localFile,
                             std::wstring_view remoteFile, unsigned long flags,
                             std::uintptr_t context) {
  Bind();
  const std::string localA = WideToAnsi(localFile);
  const std::string remoteA = WideToAnsi(remoteFile);
  return putFile_(AsHandle(connection), localA.c_str(), remoteA.c_str(), flags, context) != 0;
}

bool WinInetApi::InternetCloseHandle(InternetHandle handle) {
  Bind();
  return close_(AsHandle(handle)) != 0;
}

}  // namespace pravex::win32
