#include "tools/bench/probe_report.h"

#include <gtest/gtest.h>

#include "tests/e2e/driver/files.h"

namespace pravex::bench {
namespace {

constexpr wchar_t kPath[] = L"C:\\pravex_bench_test_report.txt";

std::string Written(std::uint64_t bytes) {
  WriteSampleReport(kPath, bytes);
  const std::optional<std::string> read = e2e::ReadFileBytes(kPath);
  e2e::DeleteFileIfPresent(kPath);
  return read.value_or("(missing)");
}

TEST(WriteSampleReportTest, WritesExactlyTheSizeAsked) {
  EXPECT_EQ(Written(1'000).size(), 1'000u);
  EXPECT_EQ(Written(3'000'001).size(), 3'000'001u);
}

TEST(WriteSampleReportTest, PassesForAHealthyReportInHeartbeatLines) {
  const std::string report = Written(10'000);
  EXPECT_TRUE(report.starts_with("ZPX STATUS REPORT\r\n")) << report.substr(0, 40);
  EXPECT_NE(report.find("#00000001 ZpxRuntime heartbeat"), std::string::npos);
  EXPECT_NE(report.find("\r\n2024-05-14 09:31:07 #00000002"), std::string::npos);
}

}  // namespace
}  // namespace pravex::bench
