// What the environment asks of the stand-in status tool.
#pragma once

#include <cstdint>
#include <optional>
#include <string>

namespace pravex::statustool {

struct Settings {
  std::wstring sample;             // PRAVEX_SAMPLE, "healthy" when unset
  std::uint64_t reportBytes = 0;   // PRAVEX_SAMPLE_BYTES, for the padded sample
  std::uint32_t delaySeconds = 0;  // PRAVEX_SAMPLE_SECONDS, for the slow sample
};

// Empty when a number is not one; `problem` then says which.
std::optional<Settings> ReadSettings(std::wstring& problem);

}  // namespace pravex::statustool
