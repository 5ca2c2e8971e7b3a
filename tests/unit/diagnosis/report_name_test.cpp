#include <gtest/gtest.h>

#include "diagnosis/report_name.h"
#include "tests/fakes/fake_platform.h"

namespace pravex::testing {
namespace {

struct NameCase {
  LocalDateTime moment;
  bool european;
  const wchar_t* expected;
};

TEST(ReportFilePath, FollowsTheUsersDateAndTimeFormats) {
  const NameCase cases[] = {
      {{2025, 3, 3, 14, 5, 9}, false, L"C:\\QuorvelPravexResult_3-3-2025_2-05-09_PM.txt"},
      {{2025, 3, 3, 14, 5, 9}, true, L"C:\\QuorvelPravexResult_03.03.2025_14-05-09.txt"},
      {{2025, 12, 31, 9, 0, 0}, false, L"C:\\QuorvelPravexResult_12-31-2025_9-00-00_AM.txt"},
      {{2025, 12, 31, 0, 0, 1}, false, L"C:\\QuorvelPravexResult_12-31-2025_12-00-01_AM.txt"},
      {{2025, 12, 31, 0, 0, 1}, true, L"C:\\QuorvelPravexResult_31.12.2025_00-00-01.txt"},
      {{2025, 12, 31, 0, 30, 0}, false, L"C:\\QuorvelPravexResult_12-31-2025_12-30-00_AM.txt"},
      // At exactly midnight the time part is left out.
      {{2025, 3, 3, 0, 0, 0}, false, L"C:\\QuorvelPravexResult_3-3-2025.txt"},
      {{2025, 3, 3, 0, 0, 0}, true, L"C:\\QuorvelPravexResult_03.03.2025.txt"},
  };
  for (std::size_t row = 0; row < std::size(cases); ++row) {
    FakeClock clock;
    clock.european = cases[row].european;
    EXPECT_EQ(ReportFilePath(GeneralDateText(clock, cases[row].moment)), cases[row].expected)
        << "row " << row;
  }
}

TEST(ReportFilePath, KeepsOnlyCharactersSafeInAPathACommandLineAndTheCodePage) {
  const std::pair<const wchar_t*, const wchar_t*> cases[] = {
      {L"2025/03/03 14:05:09", L"C:\\QuorvelPravexResult_2025-03-03_14-05-09.txt"},
      {L"03.03.2025 14.05.09", L"C:\\QuorvelPravexResult_03.03.2025_14.05.09.txt"},
      {L"3-3-2025 2:05:09 \u4e0b\u5348", L"C:\\QuorvelPravexResult_3-3-2025_2-05-09_--.txt"},
      {L"3/3/2025 14:05:09&calc&rem", L"C:\\QuorvelPravexResult_3-3-2025_14-05-09-calc-rem.txt"},
      {L"3/3/2025 %USERNAME%^|<>*?\"\\",
       L"C:\\QuorvelPravexResult_3-3-2025_-USERNAME---------.txt"},
      {L"3\\3\\2025 \u03bc.\u03bc.\t", L"C:\\QuorvelPravexResult_3-3-2025_-.-.-.txt"},
      {L"  ", L"C:\\QuorvelPravexResult___.txt"},
      {L"", L"C:\\QuorvelPravexResult_.txt"},
  };
  for (std::size_t row = 0; row < std::size(cases); ++row) {
    EXPECT_EQ(ReportFilePath(cases[row].first), cases[row].second) << "row " << row;
  }
}

TEST(ReportCommandLine, IsExactlyTheInterpreterRedirectingBothOutputs) {
  EXPECT_EQ(
      ReportCommandLine(L"qvstatus /product:vastrel",
                        L"C:\\QuorvelPravexResult_3-3-2025_2-05-09_PM.txt"),
      L"%ComSpec% /c qvstatus /product:vastrel>C:\\QuorvelPravexResult_3-3-2025_2-05-09_PM.txt "
      L"2<&1");
}

}  // namespace
}  // namespace pravex::testing
