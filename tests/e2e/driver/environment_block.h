// The environment a launched program gets: this process's own environment
// with some variables set or removed, as the block CreateProcessW takes.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>

namespace pravex::e2e {

class EnvironmentBlock {
 public:
  // This process's environment as it is now.
  static EnvironmentBlock Current();

  void Set(std::wstring_view name, std::wstring_view value);
  void Remove(std::wstring_view name);
  std::optional<std::wstring> Get(std::wstring_view name) const;

  // "NAME=value" strings, each NUL-terminated, sorted by name without regard
  // to case and ended by an empty string: for CREATE_UNICODE_ENVIRONMENT.
  std::wstring Block() const;

 private:
  // Windows treats variable names without regard to case.
  struct NameLess {
    bool operator()(const std::wstring& a, const std::wstring& b) const;
  };
  std::map<std::wstring, std::wstring, NameLess> variables_;
};

}  // namespace pravex::e2e
