#include <gmock/gmock.h>
#include <gtest/gtest.h>

#include <set>

#include "common/module1.h"
#include "net/ftp_result.h"
#include "pravex_config.h"
#include "tests/fakes/fake_platform.h"

namespace pravex::testing {
namespace {

using ::testing::ElementsAre;

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

TEST_F(FtpResultTest, CallsTheLibraryWithTheFixedArguments) {
  fake_.internet.putResults = {true};
  FTPResult(module_);
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
  FTPResult(module_);
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
  FTPResult(module_);
  EXPECT_THAT(fake_.TraceLines(),
              ElementsAre(L"FTPResult() 1: Going to call InternetOpen",
                          L"FTPResult() 2: InternetOpen called",
                          L"FTPResult() 5: Going to call InternetConnect for ftp",
                          L"FTPResult() 7: Successfully connected to Quorvel's ftp server",
                          L"FTPResult() 8: Going to manipulate file names",
                          L"FTPResult() 9: Going to call FtpPutFile",
                          L"FTPResult() 12: File transfer succeeded"));
  EXPECT_TRUE(module_.bFtpSent);
  ExpectMessage(L"File transfered to Quorvel's ftp server!", 64, L"FTP result");
}

TEST_F(FtpResultTest, EachFailureIsTracedAndBlamesItsLikelyCause) {
  const std::wstring firewall =
      L"File transfer failed. Likely cause: FTP is not allowed from your PC by firewall.";
  const std::wstring duplicate =
      L"File transfer failed. Likely cause: the file with same name already exists on ftp "
      L"server. \r\nRelaunch the utility if you need to ftp the result again.";
  struct Row {
    bool open;
    bool connect;
    bool sentBefore;
    std::wstring steps;  // the trace, each line a success writes too by its number alone
    const std::wstring& prompt;
    const wchar_t* title;
  };
  const Row rows[] = {
      {true, true, false, L"1 2 5 7 8 9 11: File transfer failed", firewall, L"FTP Result"},
      {true, true, true,
       L"1 2 5 7 8 9 10: File transfer failed, but due to the fact it is already ftped", duplicate,
       L"FTP Result"},
      {true, false, false, L"1 2 5 6: Failed to connect to Quorvel's ftp server", kConnectFailed,
       L"Pravex"},
      // Without an Internet handle the connect is still tried, and fails.
      {false, true, false,
       L"1 2 3: Failed to open InternetOpen connection 5 6: Failed to connect to Quorvel's ftp "
       L"server",
       kConnectFailed, L"Pravex"},
  };
  for (std::size_t row = 0; row < std::size(rows); ++row) {
    FakePlatform fake;
    Module1 module(fake.platform);
    module.bDebugMode = true;
    module.sResultFile = kReport;
    module.bFtpSent = rows[row].sentBefore;
    fake.internet.openSucceeds = rows[row].open;
    fake.internet.connectSucceeds = rows[row].connect;
    FTPResult(module);
    const std::set<std::wstring> successSteps = {L"1", L"2", L"5", L"7", L"8", L"9"};
    std::wstring steps;
    for (const std::wstring& line : fake.TraceLines()) {
      const std::wstring step = line.substr(line.find(L") ") + 2);
      const std::wstring number = step.substr(0, step.find(L':'));
      steps += (steps.empty() ? L"" : L" ") + (successSteps.contains(number) ? number : step);
    }
    EXPECT_EQ(steps, rows[row].steps) << "row " << row;
    EXPECT_EQ(module.bFtpSent, rows[row].sentBefore) << "row " << row;
    ASSERT_EQ(fake.messageBoxes.shown.size(), 1u) << "row " << row;
    EXPECT_EQ(fake.messageBoxes.shown[0].prompt, rows[row].prompt) << "row " << row;
    EXPECT_EQ(fake.messageBoxes.shown[0].style, 48) << "row " << row;
    EXPECT_EQ(fake.messageBoxes.shown[0].title, rows[row].title) << "row " << row;
    EXPECT_EQ(fake.Entries(L"inet: put").size(), rows[row].open && rows[row].connect ? 1u : 0u)
        << "row " << row;
  }
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
    FTPResult(module);
    EXPECT_TRUE(fake.internet.openHandles.empty()) << "row " << row;
    // The hourglass shows from before the first call until before the box.
    ASSERT_EQ(fake.log.front(), L"pointer: 11") << "row " << row;
    EXPECT_EQ(fake.log.end()[-2], L"pointer: 0") << "row " << row;
    EXPECT_TRUE(fake.log.back().starts_with(L"msgbox: ")) << "row " << row;
  }
}

}  // namespace
}  // namespace pravex::testing
