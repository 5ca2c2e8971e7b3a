// The current user's registry (HKEY_CURRENT_USER): preparing and checking
// the settings a program keeps there.
#pragma once

#include <windows.h>

#include <optional>
#include <ostream>
#include <string>
#include <string_view>

namespace pravex::e2e {

struct RegistryValue {
  DWORD type = REG_NONE;
  std::wstring text;  // REG_SZ and REG_EXPAND_SZ without the final NUL; empty otherwise
  friend bool operator==(const RegistryValue&, const RegistryValue&) = default;
  friend std::ostream& operator<<(std::ostream& out, const RegistryValue& value);
};

// Deletes the key with all its subkeys and values; a missing key is fine.
// Throws std::runtime_error if it exists and cannot be deleted.
void DeleteUserKey(std::wstring_view keyPath);

// Creates the key where needed and stores the text as REG_SZ.
void WriteUserString(std::wstring_view keyPath, std::wstring_view name, std::wstring_view text);

// Deletes one value; a missing key or value is fine. Throws std::runtime_error
// if it exists and cannot be deleted.
void DeleteUserValue(std::wstring_view keyPath, std::wstring_view name);

// The value, or nothing when the key or the value does not exist.
std::optional<RegistryValue> ReadUserValue(std::wstring_view keyPath, std::wstring_view name);

}  // namespace pravex::e2e
