// The driver's own checks, made on this process, on Wine's cmd.exe and on
// scratch keys and files rather than on Pravex, so that a fault of the
// driver is not taken for one of the program.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include "tests/e2e/driver/app_process.h"
#include "tests/e2e/driver/deadline.h"
#include "tests/e2e/driver/environment_block.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/message_box.h"
#include "tests/e2e/driver/user_registry.h"
#include "win32/handles.h"

namespace pravex::e2e {
namespace {

using namespace std::string_literals;

constexpr Milliseconds kLimit{10000};

TEST(DriverTest, EnvironmentBlockIsSortedAndIgnoresTheCaseOfNames) {
  EnvironmentBlock environment;
  EXPECT_EQ(environment.Block(), L"\0\0"s) << "empty";
  environment.Set(L"b", L"2");
  environment.Set(L"PATH", L"x");
  environment.Set(L"A", L"1");
  environment.Set(L"Path", L"y");
  EXPECT_EQ(environment.Get(L"path"), L"y");
  EXPECT_EQ(environment.Block(), L"A=1\0b=2\0PATH=y\0\0"s);
  environment.Remove(L"a");
  EXPECT_EQ(environment.Get(L"A"), std::nullopt);
  EXPECT_EQ(environment.Block(), L"b=2\0PATH=y\0\0"s);
}

TEST(DriverTest, EnvironmentBlockStartsFromThisProcess) {
  ASSERT_TRUE(::SetEnvironmentVariableW(L"PRAVEX_E2E_OWN", L"here"));
  EXPECT_EQ(EnvironmentBlock::Current().Get(L"PRAVEX_E2E_OWN"), L"here");
  ::SetEnvironmentVariableW(L"PRAVEX_E2E_OWN", nullptr);
}

TEST(DriverTest, TheChildGetsTheGivenEnvironment) {
  wchar_t system[MAX_PATH] = {};
  ASSERT_GT(::GetSystemDirectoryW(system, MAX_PATH), 0u);
  const std::wstring cmd = system + L"\\cmd.exe"s;
  struct Row {
    const wchar_t* value;  // null: removed
    DWORD exitCode;
  };
  const Row rows[] = {{L"7", 7}, {L"42", 42}, {nullptr, 3}};
  for (std::size_t row = 0; row < std::size(rows); ++row) {
    EnvironmentBlock environment = EnvironmentBlock::Current();
    environment.Set(L"PRAVEX_E2E_PROBE", L"3");
    if (rows[row].value) {
      environment.Set(L"PRAVEX_E2E_PROBE", rows[row].value);
    } else {
      environment.Remove(L"PRAVEX_E2E_PROBE");
    }
    const AppProcess child(
        cmd, environment,
        L"/c if defined PRAVEX_E2E_PROBE (exit %PRAVEX_E2E_PROBE%) else (exit 3)");
    EXPECT_EQ(child.ExpectExit(kLimit), rows[row].exitCode) << "row " << row;
  }
}

TEST(DriverTest, AWaitThatRunsOutSaysWhatItAwaitedAndHowLong) {
  try {
    WaitUntil([] { return false; }, Milliseconds{50}, "the impossible");
    FAIL() << "no timeout";
  } catch (const WaitTimeout& timeout) {
    EXPECT_STREQ(timeout.what(), "Gave up waiting for the impossible after 50 ms");
  }
  EXPECT_TRUE(PollUntil([] { return true; }, Milliseconds{0})) << "a condition that holds";
}

// A message box of this process, shown by a thread of its own.
class OwnMessageBox {
 public:
  OwnMessageBox(std::wstring text, UINT style) : text_(std::move(text)), style_(style) {
    thread_.reset(::CreateThread(nullptr, 0, &Show, this, 0, nullptr));
  }
  OwnMessageBox(const OwnMessageBox&) = delete;
  OwnMessageBox& operator=(const OwnMessageBox&) = delete;
  ~OwnMessageBox() {
    // A check that failed half-way leaves the box open.
    for (HWND box : FindMessageBoxes(::GetCurrentProcessId())) {
      ::PostMessageW(box, WM_COMMAND, IDCANCEL, 0);
    }
    ::WaitForSingleObject(thread_.get(), static_cast<DWORD>(kLimit.count()));
  }
  // What MessageBoxW returned once the thread has ended.
  int Result() const {
    ::WaitForSingleObject(thread_.get(), static_cast<DWORD>(kLimit.count()));
    return result_;
  }

 private:
  static DWORD WINAPI Show(void* self) {
    auto& box = *static_cast<OwnMessageBox*>(self);
    box.result_ = ::MessageBoxW(nullptr, box.text_.c_str(), L"Driver check", box.style_);
    return 0;
  }
  std::wstring text_;
  UINT style_;
  int result_ = 0;
  win32::UniqueHandleObject thread_;
};

TEST(DriverTest, ReadsAMessageBoxAndTellsWhetherItShowsAnIcon) {
  struct Row {
    UINT style;
    bool hasIcon;
  };
  const Row rows[] = {{MB_OK, false},
                      {MB_OK | MB_ICONINFORMATION, true},
                      {MB_OK | MB_ICONEXCLAMATION, true},
                      {MB_OK | MB_ICONSTOP, true}};
  for (std::size_t row = 0; row < std::size(rows); ++row) {
    const OwnMessageBox shown(L"line 1\r\nline 2", rows[row].style);
    const MessageBoxView box = WaitForMessageBox(::GetCurrentProcessId(), kLimit);
    EXPECT_EQ(box.title, L"Driver check") << "row " << row;
    EXPECT_EQ(box.text, L"line 1\r\nline 2") << "row " << row;
    EXPECT_EQ(box.hasIcon, rows[row].hasIcon) << "row " << row;
    AnswerMessageBox(box.handle, IDOK, kLimit);
    EXPECT_EQ(shown.Result(), IDOK) << "row " << row;
  }
}

TEST(DriverTest, FilesKeepTheirExactBytes) {
  wchar_t folder[MAX_PATH] = {};
  ASSERT_GT(::GetTempPathW(MAX_PATH, folder), 0u);
  const std::wstring path = folder + L"pravex_e2e_check.txt"s;
  const std::string bytes = "\"quoted\"\r\n\0\xff end"s;
  DeleteFileIfPresent(path);
  EXPECT_EQ(ReadFileBytes(path), std::nullopt) << "missing";
  WriteFileBytes(path, bytes);
  EXPECT_TRUE(FileExists(path));
  EXPECT_EQ(ReadFileBytes(path), bytes);
  EXPECT_EQ(FilesMatching(folder, L"pravex_e2e_check.*"), std::vector<std::wstring>{path});
  DeleteFileIfPresent(path);
  EXPECT_FALSE(FileExists(path));
  DeleteFileIfPresent(path);  // gone already: nothing to do
}

TEST(DriverTest, RegistryStringsRoundTrip) {
  const std::wstring_view key = L"Software\\PravexE2EDriverCheck\\Sub";
  DeleteUserKey(L"Software\\PravexE2EDriverCheck");
  EXPECT_EQ(ReadUserValue(key, L"Name"), std::nullopt) << "no key";
  WriteUserString(key, L"Name", L"Value with spaces");
  EXPECT_EQ(ReadUserValue(key, L"Name"), (RegistryValue{REG_SZ, L"Value with spaces"}));
  EXPECT_EQ(ReadUserValue(key, L"Other"), std::nullopt) << "no value";
  WriteUserString(key, L"Empty", L"");
  EXPECT_EQ(ReadUserValue(key, L"Empty"), (RegistryValue{REG_SZ, L""}));
  DeleteUserKey(L"Software\\PravexE2EDriverCheck");
  EXPECT_EQ(ReadUserValue(key, L"Name"), std::nullopt) << "deleted with its parent";
}

}  // namespace
}  // namespace pravex::e2e
