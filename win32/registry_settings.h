// The per-user settings store in the registry: HKCU\Software\<app>\<section>,
// one REG_SZ value per key.
#pragma once

#include "platform/settings_store.h"

namespace pravex::win32 {

class RegistrySettings final : public ISettingsStore {
 public:
  std::wstring GetSetting(std::wstring_view app, std::wstring_view section, std::wstring_view key,
                          std::wstring_view defaultValue) override;
  void SaveSetting(std::wstring_view app, std::wstring_view section, std::wstring_view key,
                   std::wstring_view value) override;
};

}  // namespace pravex::win32
