// Faults around a send: a report file that is gone or read-only, contact
// details far longer than usual or beyond ASCII, and a drop that answers
// slowly or too late. Each ends in its box, with the result window left to
// act in and the report, the drop's copy and the stored details intact.
#include <windows.h>

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>

#include "forms/contact/contact_info_form.h"
#include "tests/e2e/driver/ansi_text.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/save_dialog.h"
#include "tests/e2e/driver/scratch_folder.h"
#include "tests/e2e/driver/user_registry.h"
#include "tests/e2e/driver/wide_text.h"
#include "tests/e2e/driver/window_input.h"
#include "tests/e2e/drop_fixture.h"
#include "win32/handles.h"

namespace pravex::e2e {
namespace {

// Every reply of a drop in "slow 2" comes 2 s late: 4 s to log in, 6 s to store.
constexpr Milliseconds kSlowSendLimit{40000};
// Wine gives up on a reply after 30 s.
constexpr Milliseconds kReplyTimeOutLimit{90000};

// The test drop reads command lines as UTF-8 and turns bytes that are no
// UTF-8 into U+FFFD: a name whose non-ASCII letters stand apart is stored
// with one U+FFFD for each of their ANSI bytes.
std::wstring AsTheDropNamesIt(const std::wstring& name) {
  std::wstring named;
  for (const char byte : WideToAnsi(name)) {
    named += static_cast<unsigned char>(byte) < 0x80 ? static_cast<wchar_t>(byte) : L'\uFFFD';
  }
  return named;
}

// Asks the window to paint itself and its text box anew; whether it has.
bool Repaints(const ResultWindow& window, Milliseconds limit) {
  const HWND text = window.Control(L"Text1");
  ::RedrawWindow(window.handle, nullptr, nullptr, RDW_INVALIDATE | RDW_ERASE | RDW_ALLCHILDREN);
  return PollUntil(
      [&] {
        return !::GetUpdateRect(window.handle, nullptr, FALSE) &&
               !::GetUpdateRect(text, nullptr, FALSE);
      },
      limit);
}

class SendFaultTest : public DropTest {};

// Wine, like Windows, loads a library found beside the program before its
// own one, once told to prefer such files for Pravex.exe.
TEST_F(SendFaultTest, LibrariesPlantedBesideTheProgramAreNeverLoaded) {
  constexpr std::wstring_view kOverrides = L"Software\\Wine\\AppDefaults\\Pravex.exe\\DllOverrides";
  const ScratchFolder folder(L"C:\\pravex_e2e_planted");
  wchar_t driver[MAX_PATH] = {};
  ::GetModuleFileNameW(nullptr, driver, MAX_PATH);
  const std::wstring planted =
      std::wstring(driver).substr(0, std::wstring(driver).rfind(L'\\') + 1) + L"planted.dll";
  ASSERT_TRUE(::CopyFileW(programPath.c_str(), (folder / L"Pravex.exe").c_str(), FALSE));
  const win32::ScopeExit forgetOverrides([&] { DeleteUserKey(kOverrides); });
  for (const wchar_t* library : {L"wininet", L"comdlg32"}) {
    ASSERT_TRUE(
        ::CopyFileW(planted.c_str(), (folder / (std::wstring(library) + L".dll")).c_str(), FALSE))
        << Quoted(library);
    WriteUserString(kOverrides, library, L"native,builtin");
  }
  programPath = folder / L"Pravex.exe";
  const ResultWindow window = OpenResultWindow(L"healthy", Product::kVastrel, ResultKind::kResult);

  PressButton(window.Control(L"Save"));
  SaveAs(WaitForSaveDialog(Pid(), kShowLimit), folder / L"saved.txt", kCloseLimit);
  Settle(window);
  EXPECT_EQ(ReadFileBytes(folder / L"saved.txt"), WideToAnsi(window.Text() + L"\r\n"));

  const ContactDetails details{L"Plant Ed", L"Safe Co", L"plant@safe.example"};
  const ShownBox box = Send(window, details);
  EXPECT_EQ(box.view.text, kTransferred);
  PressOk(box.view);
  Settle(window);
  EXPECT_EQ(drop_.ReceivedNames(), std::vector<std::wstring>{RemoteName(details)});
  EXPECT_EQ(CloseAndWaitForExit(window), 0u) << "exit code";
}

TEST_F(SendFaultTest, AReportDeletedBeforeTheSendGetsNoEmailLineAndFailsAsBlocked) {
  const ContactDetails details{L"Del Eted", L"Gone Ltd", L"del@gone.example"};
  const ResultWindow window = OpenResultWindow(L"missing", Product::kZpx, ResultKind::kIssueB);
  const std::wstring path = ReportPath();
  DeleteFileIfPresent(path);

  const ShownBox box = Send(window, details);
  EXPECT_EQ(box.view.text, kBlockedByFirewall);
  EXPECT_EQ(box.icon, BoxIcon::kExclamation);
  PressOk(box.view);
  Settle(window);
  EXPECT_FALSE(FileExists(path)) << "OK made a report of the e-mail line alone";
  EXPECT_TRUE(drop_.ReceivedNames().empty());
  EXPECT_EQ(ReadStored(), AsStored(details));
  EXPECT_EQ(CloseAndWaitForExit(window), 0u) << "exit code";
}

// A read-only report keeps its bytes: the user is told, and the report is
// sent as it was.
TEST_F(SendFaultTest, AReadOnlyReportIsSentWithoutTheEmailLineAfterSayingSo) {
  const ContactDetails details{L"Reed Only", L"Locked Co", L"reed@locked.example"};
  const ResultWindow window = OpenResultWindow(L"crashed", Product::kVastrel, ResultKind::kIssueC);
  const std::wstring path = ReportPath();
  const std::string report = ReportBytes();
  SetReadOnly(path, true);
  // Whatever happens, the next test must be able to delete the report.
  const win32::ScopeExit writable(
      [&] { ::SetFileAttributesW(path.c_str(), FILE_ATTRIBUTE_NORMAL); });

  const HWND contact = OpenContactWindow(window);
  Fill(contact, details);
  const ShownBox refused = ConfirmAndWaitForBox(contact);
  EXPECT_EQ(refused.view.text,
            L"Error in ContactInfoForm.OKButton_Click: 75: Path/File access error\r\nYour e-mail "
            L"address could not be added to the report file " +
                path + L"; the report is sent without it.");
  EXPECT_EQ(refused.icon, BoxIcon::kNone);
  PressOk(refused.view);
  const ShownBox sent = WaitForBox();
  EXPECT_EQ(sent.view.text, kTransferred);
  PressOk(sent.view);
  Settle(window);

  const std::wstring remote = RemoteName(details);
  EXPECT_EQ(drop_.ReceivedNames(), std::vector<std::wstring>{remote});
  EXPECT_EQ(drop_.Received(remote), report);
  EXPECT_EQ(ReportBytes(), report);
  EXPECT_EQ(ReadStored(), AsStored(details));
  SetReadOnly(path, false);
  EXPECT_EQ(CloseAndWaitForExit(window), 0u) << "exit code";
}

TEST_F(SendFaultTest, LongAndNonAsciiDetailsAreKeptWholeAndSentInAnsi) {
  struct Row {
    ContactDetails details;
    bool mustArrive;  // a name of 20,000 characters is more than any drop takes
  };
  const Row rows[] = {
      {{std::wstring(10000, L'N'), std::wstring(10000, L'C'),
        std::wstring(9988, L'e') + L"@example.com"},
       false},
      {{L"J\u00fcrgen M\u00fcller", L"\u00c5sa & S\u00f8n AB", L"j\u00fcrgen@s\u00f8n.example"},
       true},
  };
  ASSERT_EQ(WideToAnsi(L"\u00fc\u00c5\u00f8").size(), 3u) << "the ANSI code page lacks the letters";
  const std::wstring_view outcomes[] = {kTransferred, kConnectFailed, kBlockedByFirewall,
                                        kAlreadyThere};
  const ResultWindow window = OpenResultWindow(L"healthy", Product::kZpx, ResultKind::kResult);
  std::string report = ReportBytes();
  for (std::size_t row = 0; row < std::size(rows); ++row) {
    const ContactDetails& details = rows[row].details;
    const HWND contact = OpenContactWindow(window);
    Fill(contact, details);
    EXPECT_EQ(ShownDetails(contact), details) << "row " << row;
    const ShownBox box = ConfirmAndWaitForBox(contact);
    if (rows[row].mustArrive) {
      EXPECT_EQ(box.view.text, kTransferred) << "row " << row;
    } else {
      EXPECT_NE(std::find(std::begin(outcomes), std::end(outcomes), box.view.text),
                std::end(outcomes))
          << "row " << row << ": " << Quoted(box.view.text);
    }
    PressOk(box.view);
    Settle(window);
    report += EmailLine(details.email);
    EXPECT_EQ(ReadStored(), AsStored(details)) << "row " << row;
    EXPECT_TRUE(ReportBytes() == report) << "row " << row << ": the report file is not as expected";
    if (rows[row].mustArrive) {
      EXPECT_EQ(drop_.Received(AsTheDropNamesIt(RemoteName(details))), report) << "row " << row;
    }
    const HWND again = OpenContactWindow(window);
    EXPECT_EQ(ShownDetails(again), details) << "row " << row << ": read back from the registry";
    PressButton(ContactControl(again, L"CancelButton"));
    WaitUntilFormClosed(ContactInfoFormDef());
  }
  EXPECT_EQ(CloseAndWaitForExit(window), 0u) << "exit code";
}

TEST_F(SendFaultTest, ASlowDropGetsTheReportWhileTheWindowKeepsPainting) {
  drop_.SwitchMode("slow 2");
  const ContactDetails details{L"Pat Ience", L"Slow Ltd", L"pat@slow.example"};
  const ResultWindow window = OpenResultWindow(L"disabled", Product::kZpx, ResultKind::kIssueC);
  const std::string sent = ReportBytes() + EmailLine(details.email);

  const HWND contact = OpenContactWindow(window);
  Fill(contact, details);
  PressButton(ContactControl(contact, L"OKButton"));
  WaitUntilFormClosed(ContactInfoFormDef());
  // The upload waits on the drop off the window thread: the window paints.
  EXPECT_TRUE(Repaints(window, Milliseconds{1000})) << "the window did not paint meanwhile";
  EXPECT_TRUE(FindMessageBoxes(Pid()).empty()) << "the upload ended before the window painted";
  const ShownBox box = WaitForBox(kSlowSendLimit);
  EXPECT_EQ(box.view.text, kTransferred);
  PressOk(box.view);
  Settle(window);
  EXPECT_EQ(drop_.Received(RemoteName(details)), sent);
  EXPECT_TRUE(Repaints(window, kCloseLimit)) << "the window did not paint again";
  EXPECT_EQ(CloseAndWaitForExit(window), 0u) << "exit code";
}

TEST_F(SendFaultTest, ADropThatAnswersTooLateEndsInTheConnectFailureAfterTheReplyTimeOut) {
  drop_.SwitchMode("slow 40");
  const ContactDetails details{L"Al Ate", L"Late Ltd", L"al@late.example"};
  const ResultWindow window = OpenResultWindow(L"healthy", Product::kVastrel, ResultKind::kResult);
  const auto started = std::chrono::steady_clock::now();

  const ShownBox box = Send(window, details, kReplyTimeOutLimit);
  const auto waited = std::chrono::steady_clock::now() - started;
  EXPECT_EQ(box.view.text, kConnectFailed);
  EXPECT_GE(waited, std::chrono::seconds(25)) << "it gave up before any reply was late";
  PressOk(box.view);
  Settle(window);
  EXPECT_TRUE(drop_.ReceivedNames().empty());
  EXPECT_TRUE(::IsWindowEnabled(window.handle));
  EXPECT_EQ(CloseAndWaitForExit(window), 0u) << "exit code";
}

}  // namespace
}  // namespace pravex::e2e
