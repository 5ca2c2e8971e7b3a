#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "common/module1.h"
#include "tests/fakes/fake_platform.h"

namespace pravex::testing {
namespace {

constexpr const wchar_t* kTrace = L"C:\\QuorvelPravexTrace.txt";

TEST(WriteTrace, AppendsOneQuotedRecordPerCallWithoutEscaping) {
  FakePlatform fake;
  Module1 module(fake.platform);
  module.bDebugMode = true;
  module.WriteTrace(L"A \"quoted\" word");
  module.WriteTrace(L"");
  module.WriteTrace(L"caf\u00e9 \u4e2d");
  EXPECT_EQ(fake.files.Bytes(kTrace), "\"A \"quoted\" word\"\r\n\"\"\r\n\"caf\xe9 ?\"\r\n");
  EXPECT_EQ(fake.Entries(L"append: ").size(), 3u) << "opened and closed once per line";
}

TEST(WriteTrace, WritesNothingWithDebugModeOff) {
  FakePlatform fake;
  fake.files.files[kTrace] = "\"earlier\"\r\n";
  Module1 module(fake.platform);
  module.WriteTrace(L"line");
  EXPECT_EQ(fake.files.Bytes(kTrace), "\"earlier\"\r\n");
  EXPECT_TRUE(fake.log.empty());
}

TEST(WriteTrace, AFailingWriteIsReportedOnceAndNeverEndsTheRun) {
  FakePlatform fake;
  fake.files.failures[kTrace] = 70;
  Module1 module(fake.platform);
  module.bDebugMode = true;
  EXPECT_NO_THROW(module.WriteTrace(L"one"));
  EXPECT_NO_THROW(module.WriteTrace(L"two"));
  ASSERT_EQ(fake.messageBoxes.shown.size(), 1u);
  EXPECT_EQ(fake.messageBoxes.shown[0].prompt,
            L"Error in WriteTrace: 70: Permission denied\r\nThe trace file "
            L"C:\\QuorvelPravexTrace.txt cannot be written; the tool goes on without it.");
  fake.files.failures.clear();
  module.WriteTrace(L"three");
  EXPECT_EQ(fake.files.Bytes(kTrace), "\"three\"\r\n") << "later lines are written again";
}

TEST(StartTrace, EmptiesAnEarlierTrace) {
  FakePlatform fake;
  fake.files.files[kTrace] = "\"old\"\r\n\"lines\"\r\n";
  Module1 module(fake.platform);
  module.StartTrace(L"Form_Load() 1: Starting app");
  EXPECT_EQ(fake.files.Bytes(kTrace), "\"Form_Load() 1: Starting app\"\r\n");
}

TEST(StartTrace, PassesAMissingDriveToItsCaller) {
  FakePlatform fake;
  fake.files.folders.clear();
  Module1 module(fake.platform);
  try {
    module.StartTrace(L"x");
    FAIL() << "no error";
  } catch (const HostError& e) {
    EXPECT_EQ(e.Number(), 76);
    EXPECT_EQ(e.Description(), L"Path not found");
  }
  EXPECT_TRUE(fake.messageBoxes.shown.empty());
}

TEST(ReportTrappedError, TracesAndShowsTheNumberAndDescription) {
  FakePlatform fake;
  Module1 module(fake.platform);
  module.bDebugMode = true;
  module.ReportTrappedError(L"ExecCommand",
                            {91, L"Object variable or With block variable not set"});
  EXPECT_THAT(fake.TraceLines(),
              ::testing::ElementsAre(
                  L"ExecCommand() error: 91: Object variable or With block variable not set"));
  ASSERT_EQ(fake.messageBoxes.shown.size(), 1u);
  EXPECT_EQ(fake.messageBoxes.shown[0].prompt,
            L"Error in ExecCommand: 91: Object variable or With block variable not set");
  EXPECT_EQ(fake.messageBoxes.shown[0].style, 0);
  EXPECT_EQ(fake.messageBoxes.shown[0].title, L"Pravex");
}

}  // namespace
}  // namespace pravex::testing
