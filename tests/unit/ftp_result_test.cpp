#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include "app/module1.h"
#include "pravex_config.h"
#include "tests/fakes/fake_platform.h"

namespace pravex::testing {
namespace {

using ::testing::ElementsAre;
using ::testing::ElementsAreArray;

constexpr const wchar_t* kReport = L"C:\\QuorvelPravexResult_3-3-2025_2-05-09_PM.txt";

const std::wstring kConnectFailed =
    L"Failed to connect to Quorvel's ftp server. \r\n"
    L"To send the result to Quorvel, you can alternatively use one of the following methods:\r\n"
    L" - Press \"Copy to clipboard\" button on the top, paste contents to e-mail and send it. \r\n"
    L" - Press \"Save\" button on the top, send saved file via e-mail as an attachment.";

class FtpResultTest : public ::testing::Test {
 protected:
  void SetUp() override {
    module_.bDebugMode = true;
    module_.sResultFile = kReport;
    fake_.settings.values[L"Name"] = L"Test User";
    fake_.settings.values[L"Company"] = L"Test Company Ltd";
  }

  void ExpectMessage(const std::wstring& prompt, int style, const std::wstring& title) {
    ASSERT_EQ(fake_.messageBoxes.shown.size(), 1u);
    EXPECT_EQ(fake_.messageBoxes.shown[0].prompt, prompt);
    EXPECT_EQ(fake_.messageBoxes.shown[0].style, style);
    EXPECT_EQ(fake_.messageBoxes.shown[0].title, title);
  }

  FakePlatform fake_;
  Module1 module_{fake_.platform};
};

const std::vector<std::wstring> kConnectedLines = {
    L"FTPResult() 1: Going to call InternetOpen",
    L"FTPResult() 2: InternetOpen called",
    L"FTPResult() 5: Going to call InternetConnect for ftp",
    L"FTPResult() 7: Successfully connected to Quorvel's ftp server",
    L"FTPResult() 8: Going to manipulate file names",
    L"FTPResult() 9: Going to call FtpPutFile",
};

TEST_F(FtpResultTest, CallsTheLibraryWithTheFixedArguments) {
  fake_.internet.putResults = {true};
  module_.FTPResult();
  EXPECT_THAT(
      fake_.internet.calls,
      ElementsAre(L"InternetOpenA(" + std::wstring(config::kFtpAgent) + L", 0, null, null, 0)",
                  // Port 0: the service's own; the host build keeps the default port.
                  L"InternetConnectA(256, " + std::wstring(config::kFtpHost) +
                      L", 0, anonymous, \"\", 1, 0, 0)",
                  L"FtpPutFileA(257, " + std::wstring(kReport) +
                      L", support/incoming/QuorvelPravexResult_Test_User_Test_Company_Ltd_"
                      L"3-3-2025_2-05-09_PM.txt, 0, 0)"));
}

TEST_F(FtpResultTest, EveryLibraryCallRunsOffTheWindowThreadAndTheOutcomeFollowsTheLast) {
  fake_.internet.putResults = {true};
  module_.FTPResult();
  std::vector<std::wstring> steps;
  for (const std::wstring& entry : fake_.log) {
    if (entry == L"wait" || entry.starts_with(L"inet: ") || entry.starts_with(L"msgbox: ")) {
      steps.push_back(entry.substr(0, 13));
    }
  }
  EXPECT_THAT(steps,
              ElementsAre(L"wait", L"inet: open", L"wait", L"inet: connect", L"wait", L"inet: put",
                          L"wait", L"inet: close", L"wait", L"inet: close", L"msgbox: File "));
}

TEST_F(FtpResultTest, ASuccessIsTracedRememberedAndAnnounced) {
  fake_.internet.putResults = {true};
  module_.FTPResult();
  std::vector<std::wstring> expected = kConnectedLines;
  expected.push_back(L"FTPResult() 12: File transfer succeeded");
  EXPECT_THAT(fake_.TraceLines(), ElementsAreArray(expected));
  EXPECT_TRUE(module_.bFtpSent);
  ExpectMessage(L"File transfered to Quorvel's ftp server!", 64, L"FTP result");
}

TEST_F(FtpResultTest, AFailureBeforeAnySuccessBlamesTheFirewall) {
  module_.FTPResult();
  std::vector<std::wstring> expected = kConnectedLines;
  expected.push_back(L"FTPResult() 11: File transfer failed");
  EXPECT_THAT(fake_.TraceLines(), ElementsAreArray(expected));
  EXPECT_FALSE(module_.bFtpSent);
  ExpectMessage(L"File transfer failed. Likely cause: FTP is not allowed from your PC by firewall.",
                48, L"FTP Result");
}

TEST_F(FtpResultTest, AFailureAfterASuccessBlamesTheDuplicateName) {
  module_.bFtpSent = true;
  module_.FTPResult();
  EXPECT_EQ(fake_.TraceLines().back(),
            L"FTPResult() 10: File transfer failed, but due to the fact it is already ftped");
  EXPECT_TRUE(module_.bFtpSent);
  ExpectMessage(
      L"File transfer failed. Likely cause: the file with same name already exists on ftp "
      L"server. \r\nRelaunch the utility if you need to ftp the result again.",
      48, L"FTP Result");
}

TEST_F(FtpResultTest, AFailedConnectShowsTheAlternatives) {
  fake_.internet.connectSucceeds = false;
  module_.FTPResult();
  EXPECT_THAT(fake_.TraceLines(),
              ElementsAre(L"FTPResult() 1: Going to call InternetOpen",
                          L"FTPResult() 2: InternetOpen called",
                          L"FTPResult() 5: Going to call InternetConnect for ftp",
                          L"FTPResult() 6: Failed to connect to Quorvel's ftp server"));
  ExpectMessage(kConnectFailed, 48, L"Pravex");
  EXPECT_EQ(fake_.Entries(L"inet: put").size(), 0u);
}

TEST_F(FtpResultTest, AFailedOpenStillTriesToConnectThenReportsTheConnectFailure) {
  fake_.internet.openSucceeds = false;
  module_.FTPResult();
  EXPECT_THAT(fake_.TraceLines(),
              ElementsAre(L"FTPResult() 1: Going to call InternetOpen",
                          L"FTPResult() 2: InternetOpen called",
                          L"FTPResult() 3: Failed to open InternetOpen connection",
                          L"FTPResult() 5: Going to call InternetConnect for ftp",
                          L"FTPResult() 6: Failed to connect to Quorvel's ftp server"));
  EXPECT_EQ(fake_.internet.calls.at(1).substr(0, 19), L"InternetConnectA(0,");
  ExpectMessage(kConnectFailed, 48, L"Pravex");
}

TEST_F(FtpResultTest, ReleasesEveryHandleBeforeTellingTheUser) {
  const std::pair<bool, bool> cases[] = {{true, true}, {true, false}, {false, false}};
  for (std::size_t row = 0; row < std::size(cases); ++row) {
    FakePlatform fake;
    Module1 module(fake.platform);
    module.sResultFile = kReport;
    fake.internet.openSucceeds = cases[row].first;
    fake.internet.connectSucceeds = cases[row].second;
    fake.messageBoxes.onShow = [&](const ShownMessage&) {
      EXPECT_TRUE(fake.internet.openHandles.empty()) << "row " << row;
    };
    module.FTPResult();
    EXPECT_TRUE(fake.internet.openHandles.empty()) << "row " << row;
    EXPECT_EQ(fake.mousePointer.current, 0) << "row " << row;
  }
}

}  // namespace
}  // namespace pravex::testing
