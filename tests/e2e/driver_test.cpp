// The driver's own checks, made on this process, on Wine's cmd.exe and on
// scratch keys and files rather than on Pravex, so that a fault of the
// driver is not taken for one of the program.
#include <windows.h>

#include <gtest/gtest.h>

#include <string>

#include <commdlg.h>

#include "tests/e2e/driver/app_process.h"
#include "tests/e2e/driver/box_icon.h"
#include "tests/e2e/driver/clipboard.h"
#include "tests/e2e/driver/deadline.h"
#include "tests/e2e/driver/environment_block.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/message_box.h"
#include "tests/e2e/driver/save_dialog.h"
#include "tests/e2e/driver/scratch_folder.h"
#include "tests/e2e/driver/user_registry.h"
#include "tests/e2e/driver/wide_text.h"
#include "tests/e2e/driver/windows_path.h"
#include "win32/handles.h"

namespace pravex::e2e {
namespace {

using namespace std::string_literals;

constexpr Milliseconds kLimit{10000};

std::wstring Interpreter() {
  wchar_t system[MAX_PATH] = {};
  ::GetSystemDirectoryW(system, MAX_PATH);
  return system + L"\\cmd.exe"s;
}

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
  const std::wstring cmd = Interpreter();
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

TEST(DriverTest, AProgramIsTimedFromItsLaunchAndEndsWhenItGoes) {
  const AppProcess quick(Interpreter(), EnvironmentBlock::Current(), L"/c exit 0");
  EXPECT_NE(quick.Id(), 0u);
  quick.ExpectExit(kLimit);
  EXPECT_FALSE(quick.IsRunning());
  EXPECT_GT(quick.MillisecondsSinceLaunch(), 0.0);

  win32::UniqueHandleObject kept;
  {
    const AppProcess lasting(Interpreter(), EnvironmentBlock::Current(), {},
                             StartStyle::kHiddenOwnConsole);
    EXPECT_THROW(lasting.ExpectExit(Milliseconds{50}), WaitTimeout);
    EXPECT_TRUE(lasting.IsRunning());
    EXPECT_GT(lasting.Memory().peakBytes, 0u) << "another process's peak working set";
    kept.reset(::OpenProcess(SYNCHRONIZE, FALSE, lasting.Id()));
    ASSERT_TRUE(kept);
  }
  EXPECT_EQ(::WaitForSingleObject(kept.get(), 0), WAIT_OBJECT_0) << "ended as the object went";
  EXPECT_THROW(AppProcess(L"C:\\no\\such\\program.exe", EnvironmentBlock::Current()),
               std::runtime_error);
}

TEST(DriverTest, AWaitLooksUntilItsConditionHolds) {
  int looks = 0;
  WaitUntil([&] { return ++looks == 3; }, kLimit, "the third look");
  EXPECT_EQ(looks, 3);
  looks = 0;
  const int found = WaitFor<int>(
      [&]() -> std::optional<int> {
        ++looks;
        return looks < 2 ? std::nullopt : std::optional<int>(looks * 10);
      },
      kLimit, "a value");
  EXPECT_EQ(found, 20) << "the first value found";
  const Deadline passed(Milliseconds{0});
  EXPECT_TRUE(passed.Passed());
  EXPECT_EQ(passed.Remaining(), Milliseconds{1}) << "a last look is still possible";
}

TEST(DriverTest, AWaitThatRunsOutSaysWhatItAwaitedAndHowLong) {
  const Stopwatch clock;
  try {
    WaitUntil([] { return false; }, Milliseconds{50}, "the impossible");
    FAIL() << "no timeout";
  } catch (const WaitTimeout& timeout) {
    EXPECT_STREQ(timeout.what(), "Gave up waiting for the impossible after 50 ms");
  }
  EXPECT_GE(clock.ElapsedMs(), 50.0) << "waited at least its limit";
  EXPECT_TRUE(PollUntil([] { return true; }, Milliseconds{0})) << "a condition that holds";
}

TEST(DriverTest, AHostPathBecomesTheWindowsPathOfTheSameFile) {
  const std::wstring path = WindowsPathOf(L"/tmp/Pravex.exe");
  EXPECT_EQ(path.substr(1, 2), L":\\") << Utf8(path);
  EXPECT_TRUE(path.ends_with(L"\\tmp\\Pravex.exe")) << Utf8(path);
  EXPECT_EQ(WindowsPathOf(L"C:\\windows\\notepad.exe"), L"C:\\windows\\notepad.exe");
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

TEST(DriverTest, TellsTheStandardIconsApartByTheirPixels) {
  struct Row {
    UINT style;
    BoxIcon icon;
  };
  const Row rows[] = {{MB_OK, BoxIcon::kNone},
                      {MB_OK | MB_ICONINFORMATION, BoxIcon::kInformation},
                      {MB_OK | MB_ICONEXCLAMATION, BoxIcon::kExclamation},
                      {MB_OK | MB_ICONSTOP, BoxIcon::kCritical},
                      {MB_OK | MB_ICONQUESTION, BoxIcon::kQuestion}};
  for (std::size_t row = 0; row < std::size(rows); ++row) {
    const OwnMessageBox shown(L"which icon?", rows[row].style);
    const MessageBoxView box = WaitForMessageBox(::GetCurrentProcessId(), kLimit);
    EXPECT_EQ(ShownIcon(box.handle, Milliseconds{2000}), rows[row].icon) << "row " << row;
    AnswerMessageBox(box.handle, IDOK, kLimit);
  }
}

// A Save dialog of this process, shown by a thread of its own.
class OwnSaveDialog {
 public:
  explicit OwnSaveDialog(std::wstring suggested) : path_(32768, L'\0') {
    suggested.copy(path_.data(), suggested.size());
    thread_.reset(::CreateThread(nullptr, 0, &Show, this, 0, nullptr));
  }
  OwnSaveDialog(const OwnSaveDialog&) = delete;
  OwnSaveDialog& operator=(const OwnSaveDialog&) = delete;
  ~OwnSaveDialog() {
    for (HWND dialog : FindSaveDialogs(::GetCurrentProcessId())) {
      ::PostMessageW(dialog, WM_COMMAND, IDCANCEL, 0);
    }
    ::WaitForSingleObject(thread_.get(), static_cast<DWORD>(kLimit.count()));
  }
  // The chosen path once the thread has ended, or nothing after Cancel.
  std::optional<std::wstring> Chosen() const {
    ::WaitForSingleObject(thread_.get(), static_cast<DWORD>(kLimit.count()));
    if (!accepted_) return std::nullopt;
    return std::wstring(path_.c_str());
  }

 private:
  static DWORD WINAPI Show(void* self) {
    auto& dialog = *static_cast<OwnSaveDialog*>(self);
    OPENFILENAMEW ofn{};
    ofn.lStructSize = sizeof(ofn);
    ofn.lpstrFile = dialog.path_.data();
    ofn.nMaxFile = static_cast<DWORD>(dialog.path_.size());
    ofn.Flags = OFN_NOCHANGEDIR;
    dialog.accepted_ = ::GetSaveFileNameW(&ofn) != FALSE;
    return 0;
  }
  std::wstring path_;
  bool accepted_ = false;
  win32::UniqueHandleObject thread_;
};

TEST(DriverTest, WorksTheSaveDialog) {
  const ScratchFolder folder(L"C:\\pravex_e2e_driver_check");
  {
    const OwnSaveDialog shown(L"Suggested.txt");
    const HWND dialog = WaitForSaveDialog(::GetCurrentProcessId(), kLimit);
    EXPECT_TRUE(FindMessageBoxes(::GetCurrentProcessId()).empty()) << "taken for a message box";
    EXPECT_EQ(SaveDialogFileName(dialog), L"Suggested.txt");
    SaveAs(dialog, folder / L"chosen.txt", kLimit);
    EXPECT_EQ(shown.Chosen(), folder / L"chosen.txt");
  }
  {
    const OwnSaveDialog shown(L"Suggested.txt");
    CancelSaveDialog(WaitForSaveDialog(::GetCurrentProcessId(), kLimit), kLimit);
    EXPECT_EQ(shown.Chosen(), std::nullopt);
  }
}

TEST(DriverTest, ClipboardTextRoundTrips) {
  SetClipboardText(L"line 1\r\ncaf\u00e9");
  EXPECT_EQ(ClipboardText(), L"line 1\r\ncaf\u00e9");
  SetClipboardText(L"");
  EXPECT_EQ(ClipboardText(), L"");
}

TEST(DriverTest, AScratchFolderGoesWithEverythingInIt) {
  const std::wstring path = L"C:\\pravex_e2e_scratch_check";
  {
    const ScratchFolder folder(path);
    WriteFileBytes(folder / L"plain.txt", "x");
    WriteFileBytes(folder / L"locked.txt", "y");
    SetReadOnly(folder / L"locked.txt", true);
    ASSERT_TRUE(::CreateDirectoryW((folder / L"sub").c_str(), nullptr));
    WriteFileBytes(folder / L"sub\\inner.txt", "z");
  }
  EXPECT_EQ(::GetFileAttributesW(path.c_str()), INVALID_FILE_ATTRIBUTES);
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
  EXPECT_EQ(FileSize(path), bytes.size());
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
