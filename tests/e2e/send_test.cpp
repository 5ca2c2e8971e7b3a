// Sending the report to the support FTP drop: what arrives there and under
// which name, what the report file gains, the box for each way the transfer
// can go, and nothing at all when the contact window is dismissed. Runs against the test FTP server
// when the build's FTP address is a local one.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <string>

#include "forms/contact/contact_info_form.h"
#include "tests/e2e/driver/deadline.h"
#include "tests/e2e/driver/message_box.h"
#include "tests/e2e/driver/wide_text.h"
#include "tests/e2e/driver/window_input.h"
#include "tests/e2e/drop_fixture.h"

namespace pravex::e2e {
namespace {

class SendTest : public DropTest {};

// How long the window may take to answer while a report travels.
constexpr Milliseconds kAnswerLimit{1000};
// The throttled drop takes the report in about this many seconds; its
// throttle lets about one and a half times its limit through a second.
constexpr std::size_t kUploadSeconds = 12;
constexpr Milliseconds kUploadLimit{90000};

TEST_F(SendTest, AConfirmedSendStoresTheReportWithTheEmailLineUnderTheUsersName) {
  const ContactDetails details{L"Test User", L"Test Company Ltd", L"tester@example.com"};
  const ResultWindow window = OpenResultWindow(L"healthy", Product::kVastrel, ResultKind::kResult);
  const std::string report = ReportBytes();

  const ShownBox box = Send(window, details);
  EXPECT_EQ(box.view.text, kTransferred);
  EXPECT_EQ(box.view.title, L"FTP result");
  EXPECT_EQ(box.icon, BoxIcon::kInformation);
  PressOk(box.view);
  Settle(window);

  const std::string sent = report + EmailLine(details.email);
  const std::wstring remote = RemoteName(details);
  EXPECT_EQ(drop_.ReceivedNames(), std::vector<std::wstring>{remote});
  EXPECT_EQ(drop_.Received(remote), sent);
  EXPECT_EQ(ReportBytes(), sent);
  EXPECT_EQ(ReadStored(), AsStored(details));

  const HWND again = OpenContactWindow(window);
  EXPECT_EQ(ShownDetails(again), details) << "the next send proposes what was confirmed";
  PressButton(ContactControl(again, L"CancelButton"));
  WaitUntilFormClosed(ContactInfoFormDef());
  EXPECT_EQ(CloseAndWaitForExit(window), 0u) << "exit code";
}

TEST_F(SendTest, ASlowUploadKeepsTheWindowAnsweringAndTakesNoPressOrCloseMeanwhile) {
  const ContactDetails details{L"Slow Link", L"Far Away", L"slow@example.com"};
  const ResultWindow window = OpenResultWindow(L"healthy", Product::kVastrel, ResultKind::kResult);
  const std::string sent = ReportBytes() + EmailLine(details.email);
  drop_.SwitchMode("throttle " +
                   std::to_string(std::max<std::size_t>(sent.size() * 2 / 3 / kUploadSeconds, 1)));
  const HWND contact = OpenContactWindow(window);
  Fill(contact, details);
  PressButton(ContactControl(contact, L"OKButton"));

  // Whether the window answered a message within the limit, and is not hung.
  double slowest = 0;
  const auto answers = [&] {
    const Stopwatch clock;
    DWORD_PTR ignored = 0;
    const bool answered = ::SendMessageTimeoutW(window.handle, WM_NULL, 0, 0, SMTO_NORMAL,
                                                static_cast<UINT>(kAnswerLimit.count()), &ignored);
    slowest = std::max(slowest, clock.ElapsedMs());
    return answered && !::IsHungAppWindow(window.handle);
  };
  // Waits for `done` while the window answers; whether it answered throughout.
  const auto answeringUntil = [&](const std::function<bool()>& done, std::string_view what) {
    bool answering = true;
    WaitUntil(
        [&] {
          answering = answers();
          return !answering || done();
        },
        kUploadLimit, what, Milliseconds(100));
    return answering;
  };
  ASSERT_TRUE(answeringUntil([&] { return !drop_.ReceivedNames().empty(); }, "the upload to start"))
      << "slowest answer " << slowest << " ms";
  ASSERT_TRUE(FindMessageBoxes(Pid()).empty()) << "the upload ended before the test could act";
  PressButton(window.Control(L"FTP"));
  RequestClose(window.handle);
  ASSERT_TRUE(answeringUntil([&] { return !FindMessageBoxes(Pid()).empty(); }, "the upload to end"))
      << "slowest answer " << slowest << " ms";
  EXPECT_LT(slowest, static_cast<double>(kAnswerLimit.count()));

  const ShownBox box = WaitForBox();
  EXPECT_EQ(box.view.text, kTransferred);
  PressOk(box.view);
  Settle(window);
  EXPECT_TRUE(FormWindows(ContactInfoFormDef()).empty()) << "the second press opened nothing";
  EXPECT_TRUE(::IsWindowVisible(window.handle)) << "the close request closed the window";
  EXPECT_EQ(drop_.ReceivedNames(), std::vector<std::wstring>{RemoteName(details)});
  EXPECT_EQ(drop_.Received(RemoteName(details)), sent);
  EXPECT_EQ(CloseAndWaitForExit(window), 0u) << "exit code";
  EXPECT_TRUE(ReportFiles().empty()) << "closing deletes the report";
}

TEST_F(SendTest, CancelEscAndTheCloseBoxSendNothingAndChangeNothing) {
  enum class Dismissal { kCancelButton, kEscape, kCloseBox };
  const Dismissal rows[] = {Dismissal::kCancelButton, Dismissal::kEscape, Dismissal::kCloseBox};
  const ContactDetails stored{L"Stored Name", L"Stored Company", L"stored@example.com"};
  Store(stored);
  const ResultWindow window = OpenResultWindow(L"healthy", Product::kZpx, ResultKind::kResult);
  const std::string report = ReportBytes();
  for (std::size_t row = 0; row < std::size(rows); ++row) {
    const HWND contact = OpenContactWindow(window);
    Fill(contact, {L"New Name", L"New Company", L"new@example.com"});
    switch (rows[row]) {
      case Dismissal::kCancelButton:
        PressButton(ContactControl(contact, L"CancelButton"));
        break;
      case Dismissal::kEscape:
        PressKey(ContactControl(contact, L"Text1"), VK_ESCAPE);
        break;
      case Dismissal::kCloseBox:
        RequestClose(contact);
        break;
    }
    WaitUntilFormClosed(ContactInfoFormDef());
    Settle(window);
    EXPECT_TRUE(FindMessageBoxes(Pid()).empty()) << "row " << row;
    EXPECT_TRUE(drop_.ReceivedNames().empty()) << "row " << row;
    EXPECT_EQ(ReportBytes(), report) << "row " << row;
    EXPECT_EQ(ReadStored(), AsStored(stored)) << "row " << row;
    EXPECT_TRUE(::IsWindowEnabled(window.handle)) << "row " << row;
  }
  EXPECT_EQ(CloseAndWaitForExit(window), 0u) << "exit code";
}

TEST_F(SendTest, ASecondSendOfTheSameNameIsRefusedAsADuplicateAndAppendsASecondLine) {
  const ContactDetails details{L"Ann Example", L"Acme", L"ann@acme.example"};
  const ResultWindow window = OpenResultWindow(L"crashed", Product::kZpx, ResultKind::kIssueC);
  const std::string report = ReportBytes();

  const ShownBox first = Send(window, details);
  EXPECT_EQ(first.view.text, kTransferred);
  PressOk(first.view);
  const ShownBox second = Send(window, details);
  EXPECT_EQ(second.view.text, kAlreadyThere);
  EXPECT_EQ(second.view.title, L"FTP Result");
  EXPECT_EQ(second.icon, BoxIcon::kExclamation);
  PressOk(second.view);
  Settle(window);

  const std::string line = EmailLine(details.email);
  EXPECT_EQ(ReportBytes(), report + line + line);
  const std::wstring remote = RemoteName(details);
  EXPECT_EQ(drop_.ReceivedNames(), std::vector<std::wstring>{remote});
  EXPECT_EQ(drop_.Received(remote), report + line) << "the drop's copy was replaced";
}

TEST_F(SendTest, EachFailureOfTheDropBeforeAnySuccessHasItsMessage) {
  struct Row {
    const char* mode;
    std::wstring_view message;
    const wchar_t* title;
  };
  const Row rows[] = {
      {"absent", kConnectFailed, L"Pravex"},
      {"refuse-login", kConnectFailed, L"Pravex"},
      {"refuse-stor", kBlockedByFirewall, L"FTP Result"},
      {"drop-data", kBlockedByFirewall, L"FTP Result"},
  };
  const ContactDetails details{L"Bo", L"Firm", L"bo@firm.example"};
  const ResultWindow window = OpenResultWindow(L"stopped", Product::kVastrel, ResultKind::kIssueD);
  std::string expectedReport = ReportBytes();
  for (std::size_t row = 0; row < std::size(rows); ++row) {
    drop_.SwitchMode(rows[row].mode);
    const ShownBox box = Send(window, details);
    EXPECT_EQ(box.view.text, rows[row].message) << "row " << row << " (" << rows[row].mode << ")";
    EXPECT_EQ(box.view.title, rows[row].title) << "row " << row;
    EXPECT_EQ(box.icon, BoxIcon::kExclamation) << "row " << row;
    PressOk(box.view);
    Settle(window);
    expectedReport += EmailLine(details.email);
    EXPECT_EQ(ReportBytes(), expectedReport) << "row " << row << ": OK adds the line anyway";
    EXPECT_TRUE(drop_.ReceivedNames().empty()) << "row " << row;
  }
  EXPECT_EQ(ReadStored(), AsStored(details));
}

}  // namespace
}  // namespace pravex::e2e
