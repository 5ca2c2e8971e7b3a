// The per-user settings store: string values addressed by application,
// section and key.
#pragma once

#include <string>
#include <string_view>

namespace pravex {

class ISettingsStore {
 public:
  virtual ~ISettingsStore() = default;

  // The stored value, or `defaultValue` when the key is absent.
  virtual std::wstring GetSetting(std::wstring_view app, std::wstring_view section,
                                  std::wstring_view key, std::wstring_view defaultValue) = 0;

  // Creates the application, section and key as needed. Throws HostError.
  virtual void SaveSetting(std::wstring_view app, std::wstring_view section, std::wstring_view key,
                           std::wstring_view value) = 0;
};

}  // namespace pravex
