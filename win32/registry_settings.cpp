#include "win32/registry_settings.h"

#include <windows.h>

#include <string>

#include "common/errors.h"
#include "win32/handles.h"

namespace pravex::win32 {

namespace {

std::wstring KeyPath(std::wstring_view app, std::wstring_view section) {
  return L"Software\\" + std::wstring(app) + L"\\" + std::wstring(section);
}

int SettingsErrorNumber(LONG status) {
  switch (status) {
    case ERROR_ACCESS_DENIED:
      return error::kPermissionDenied;
    case ERROR_NOT_ENOUGH_MEMORY:
    case ERROR_OUTOFMEMORY:
      return error::kOutOfMemory;
    default:
      return error::kInvalidProcedureCall;
  }
}

}  // namespace

std::wstring RegistrySettings::GetSetting(std::wstring_view app, std::wstring_view section,
                                          std::wstring_view key, std::wstring_view defaultValue) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, KeyPath(app, section).c_str(), 0, KEY_QUERY_VALUE,
                      &opened) != ERROR_SUCCESS) {
    return std::wstring(defaultValue);
  }
  UniqueRegKey hkey(opened);
  const std::wstring name(key);

  // The value may change size between the two calls; try again then.
  for (int attempt = 0; attempt < 4; ++attempt) {
    DWORD type = 0;
    DWORD bytes = 0;
    LONG status = ::RegQueryValueExW(hkey.get(), name.c_str(), nullptr, &type, nullptr, &bytes);
    if (status != ERROR_SUCCESS) return std::wstring(defaultValue);
    if (type == REG_DWORD && bytes == sizeof(DWORD)) {
      // A number entered by hand is read as its decimal text.
      DWORD number = 0;
      status = ::RegQueryValueExW(hkey.get(), name.c_str(), nullptr, nullptr,
                                  reinterpret_cast<BYTE*>(&number), &bytes);
      if (status != ERROR_SUCCESS) return std::wstring(defaultValue);
      return std::to_wstring(static_cast<int>(number));
    }
    if (type != REG_SZ && type != REG_EXPAND_SZ) return std::wstring(defaultValue);
    std::wstring text(bytes / sizeof(wchar_t) + 1, L'\0');
    DWORD size = static_cast<DWORD>(text.size() * sizeof(wchar_t));
    status = ::RegQueryValueExW(hkey.get(), name.c_str(), nullptr, nullptr,
                                reinterpret_cast<BYTE*>(text.data()), &size);
    if (status == ERROR_MORE_DATA) continue;
    if (status != ERROR_SUCCESS) return std::wstring(defaultValue);
    text.resize(size / sizeof(wchar_t));
    // The stored text ends at its terminating NUL.
    if (const auto end = text.find(L'\0'); end != std::wstring::npos) text.resize(end);
    return text;
  }
  return std::wstring(defaultValue);
}

void RegistrySettings::SaveSetting(std::wstring_view app, std::wstring_view section,
                                   std::wstring_view key, std::wstring_view value) {
  HKEY created = nullptr;
  LONG status = ::RegCreateKeyExW(HKEY_CURRENT_USER, KeyPath(app, section).c_str(), 0, nullptr, 0,
                                  KEY_SET_VALUE, nullptr, &created, nullptr);
  if (status != ERROR_SUCCESS) Raise(SettingsErrorNumber(status));
  UniqueRegKey hkey(created);
  const std::wstring text(value);
  status = ::RegSetValueExW(hkey.get(), std::wstring(key).c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(text.c_str()),
                            static_cast<DWORD>((text.size() + 1) * sizeof(wchar_t)));
  if (status != ERROR_SUCCESS) Raise(SettingsErrorNumber(status));
}

}  // namespace pravex::win32
