#include <gtest/gtest.h>

#include <optional>
#include <string>
#include <utility>

#include "diagnosis/status_tool_wait.h"

namespace pravex {
namespace {

TEST(StatusToolPatience, IsTwoMinutesUnlessTheSettingGivesPositiveSeconds) {
  const std::pair<std::optional<std::wstring>, long long> rows[] = {
      {std::nullopt, 120}, {L"", 120},      {L"30", 30},  {L"0", 120},
      {L"-5", 120},        {L"2x", 120},    {L" 7", 120}, {L"99999999999", 120},
      {L"86400", 86400},   {L"86401", 120},  // at most a day
  };
  for (const auto& [setting, seconds] : rows) {
    EXPECT_EQ(PatienceFrom(setting).count(), seconds) << (setting ? "set" : "unset");
  }
}

}  // namespace
}  // namespace pravex
