#include "tests/e2e/driver/user_registry.h"

#include <stdexcept>
#include <vector>

#include "tests/e2e/driver/wide_text.h"
#include "win32/handles.h"

namespace pravex::e2e {

namespace {

std::string Failure(std::string_view action, std::wstring_view keyPath, LONG status) {
  return std::string(action) + " HKCU\\" + Utf8(keyPath) + " failed with error " +
         std::to_string(status);
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const RegistryValue& value) {
  switch (value.type) {
    case REG_SZ:
      return out << "REG_SZ " << Quoted(value.text);
    case REG_EXPAND_SZ:
      return out << "REG_EXPAND_SZ " << Quoted(value.text);
    default:
      return out << "value of registry type " << value.type;
  }
}

void DeleteUserKey(std::wstring_view keyPath) {
  const LONG status = ::RegDeleteTreeW(HKEY_CURRENT_USER, std::wstring(keyPath).c_str());
  if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
    throw std::runtime_error(Failure("Deleting", keyPath, status));
  }
}

void WriteUserString(std::wstring_view keyPath, std::wstring_view name, std::wstring_view text) {
  HKEY created = nullptr;
  LONG status = ::RegCreateKeyExW(HKEY_CURRENT_USER, std::wstring(keyPath).c_str(), 0, nullptr, 0,
                                  KEY_SET_VALUE, nullptr, &created, nullptr);
  if (status != ERROR_SUCCESS) throw std::runtime_error(Failure("Creating", keyPath, status));
  const win32::UniqueRegKey key(created);
  const std::wstring copy(text);
  status = ::RegSetValueExW(key.get(), std::wstring(name).c_str(), 0, REG_SZ,
                            reinterpret_cast<const BYTE*>(copy.c_str()),
                            static_cast<DWORD>((copy.size() + 1) * sizeof(wchar_t)));
  if (status != ERROR_SUCCESS) throw std::runtime_error(Failure("Writing to", keyPath, status));
}

void DeleteUserValue(std::wstring_view keyPath, std::wstring_view name) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, std::wstring(keyPath).c_str(), 0, KEY_SET_VALUE,
                      &opened) != ERROR_SUCCESS) {
    return;
  }
  const win32::UniqueRegKey key(opened);
  const LONG status = ::RegDeleteValueW(key.get(), std::wstring(name).c_str());
  if (status != ERROR_SUCCESS && status != ERROR_FILE_NOT_FOUND) {
    throw std::runtime_error(Failure("Deleting a value of", keyPath, status));
  }
}

std::optional<RegistryValue> ReadUserValue(std::wstring_view keyPath, std::wstring_view name) {
  HKEY opened = nullptr;
  if (::RegOpenKeyExW(HKEY_CURRENT_USER, std::wstring(keyPath).c_str(), 0, KEY_QUERY_VALUE,
                      &opened) != ERROR_SUCCESS) {
    return std::nullopt;
  }
  const win32::UniqueRegKey key(opened);
  const std::wstring valueName(name);
  DWORD type = REG_NONE;
  DWORD bytes = 0;
  LONG status = ::RegQueryValueExW(key.get(), valueName.c_str(), nullptr, &type, nullptr, &bytes);
  if (status == ERROR_FILE_NOT_FOUND) return std::nullopt;
  if (status != ERROR_SUCCESS) throw std::runtime_error(Failure("Reading", keyPath, status));

  RegistryValue value{.type = type};
  if (type != REG_SZ && type != REG_EXPAND_SZ) return value;
  std::vector<wchar_t> text(bytes / sizeof(wchar_t) + 1, L'\0');
  status = ::RegQueryValueExW(key.get(), valueName.c_str(), nullptr, nullptr,
                              reinterpret_cast<BYTE*>(text.data()), &bytes);
  if (status != ERROR_SUCCESS) throw std::runtime_error(Failure("Reading", keyPath, status));
  std::wstring stored(text.data(), bytes / sizeof(wchar_t));
  // A well-formed string ends with exactly one NUL; keep anything else
  // visible so that a test can see it.
  if (!stored.empty() && stored.back() == L'\0') stored.pop_back();
  value.text = std::move(stored);
  return value;
}

}  // namespace pravex::e2e
