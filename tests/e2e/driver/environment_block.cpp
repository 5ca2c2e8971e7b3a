#include "tests/e2e/driver/environment_block.h"

#include <windows.h>

#include <memory>

namespace pravex::e2e {

bool EnvironmentBlock::NameLess::operator()(const std::wstring& a, const std::wstring& b) const {
  return ::CompareStringOrdinal(a.c_str(), static_cast<int>(a.size()), b.c_str(),
                                static_cast<int>(b.size()), TRUE) == CSTR_LESS_THAN;
}

EnvironmentBlock EnvironmentBlock::Current() {
  struct Release {
    void operator()(wchar_t* strings) const { ::FreeEnvironmentStringsW(strings); }
  };
  const std::unique_ptr<wchar_t, Release> strings(::GetEnvironmentStringsW());
  EnvironmentBlock environment;
  if (!strings) return environment;
  for (const wchar_t* entry = strings.get(); *entry; entry += std::wcslen(entry) + 1) {
    const std::wstring_view text(entry);
    // Names of the per-drive current folders begin with '=' ("=C:=C:\\x").
    const std::size_t equals = text.find(L'=', 1);
    if (equals == std::wstring_view::npos) continue;
    environment.Set(text.substr(0, equals), text.substr(equals + 1));
  }
  return environment;
}

void EnvironmentBlock::Set(std::wstring_view name, std::wstring_view value) {
  variables_.insert_or_assign(std::wstring(name), std::wstring(value));
}

void EnvironmentBlock::Remove(std::wstring_view name) {
  variables_.erase(std::wstring(name));
}

std::optional<std::wstring> EnvironmentBlock::Get(std::wstring_view name) const {
  const auto found = variables_.find(std::wstring(name));
  if (found == variables_.end()) return std::nullopt;
  return found->second;
}

std::wstring EnvironmentBlock::Block() const {
  std::wstring block;
  for (const auto& [name, value] : variables_) {
    block += name;
    block += L'=';
    block += value;
    block += L'\0';
  }
  block += L'\0';
  if (variables_.empty()) block += L'\0';  // an empty block still ends with two NULs
  return block;
}

}  // namespace pravex::e2e
