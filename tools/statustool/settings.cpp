#include "tools/statustool/settings.h"

#include <windows.h>

namespace pravex::statustool {

namespace {

constexpr std::uint64_t kDefaultReportBytes = 20'000'000;
constexpr std::uint64_t kMostReportBytes = std::uint64_t{1} << 40;
constexpr std::uint64_t kDefaultDelaySeconds = 5;
constexpr std::uint64_t kMostDelaySeconds = 24 * 60 * 60;

// A variable set to nothing is not an unset one.
std::optional<std::wstring> EnvironmentVariable(const wchar_t* name) {
  ::SetLastError(ERROR_SUCCESS);
  const DWORD size = ::GetEnvironmentVariableW(name, nullptr, 0);
  if (size == 0 && ::GetLastError() == ERROR_ENVVAR_NOT_FOUND) return std::nullopt;
  std::wstring value(size, L'\0');
  value.resize(size == 0 ? 0 : ::GetEnvironmentVariableW(name, value.data(), size));
  return value;
}

// Decimal digits only, at most `most`.
std::optional<std::uint64_t> WholeNumber(const std::wstring& text, std::uint64_t most) {
  if (text.empty()) return std::nullopt;
  std::uint64_t number = 0;
  for (const wchar_t c : text) {
    if (c < L'0' || c > L'9') return std::nullopt;
    number = number * 10 + static_cast<std::uint64_t>(c - L'0');
    if (number > most) return std::nullopt;
  }
  return number;
}

std::optional<std::uint64_t> NumberSetting(const wchar_t* name, std::uint64_t fallback,
                                           std::uint64_t most, std::wstring& problem) {
  const std::optional<std::wstring> text = EnvironmentVariable(name);
  if (!text) return fallback;
  const std::optional<std::uint64_t> number = WholeNumber(*text, most);
  if (!number) {
    problem = std::wstring(name) + L" must be a whole number from 0 to " + std::to_wstring(most) +
              L", not \"" + *text + L"\"";
  }
  return number;
}

}  // namespace

std::optional<Settings> ReadSettings(std::wstring& problem) {
  const auto bytes =
      NumberSetting(L"PRAVEX_SAMPLE_BYTES", kDefaultReportBytes, kMostReportBytes, problem);
  const auto seconds =
      NumberSetting(L"PRAVEX_SAMPLE_SECONDS", kDefaultDelaySeconds, kMostDelaySeconds, problem);
  if (!bytes || !seconds) return std::nullopt;
  return Settings{
      .sample = EnvironmentVariable(L"PRAVEX_SAMPLE").value_or(L"healthy"),
      .reportBytes = *bytes,
      .delaySeconds = static_cast<std::uint32_t>(*seconds),
  };
}

}  // namespace pravex::statustool
