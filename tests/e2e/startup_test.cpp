// A first start with no settings: the main window with its captions,
// debug mode stored as off, and nothing else.
#include <gtest/gtest.h>

#include <utility>

#include "forms/main/main_form_def.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/wide_text.h"
#include "tests/e2e/driver/window_probe.h"
#include "tests/e2e/pravex_fixture.h"

namespace pravex::e2e {
namespace {

class StartupTest : public PravexTest {};

TEST_F(StartupTest, FirstStartShowsTheMainWindowsCaptions) {
  Launch();
  const HWND main = WaitForMainWindow();
  EXPECT_EQ(TextOf(main), L"Quorvel Pravex Ver 1.00");
  const std::pair<const wchar_t*, const wchar_t*> rows[] = {
      {L"Label5", L"1. Select the type of your software"},
      {L"OptionVastrel", L"Vastrel"},
      {L"OptionZPX", L"ZPX tool other than Vastrel"},
      {L"Label6", L"2. Click the button below to run the diagnosis"},
      {L"ButtonDiagnose", L"Diagnose"},
  };
  for (std::size_t row = 0; row < std::size(rows); ++row) {
    EXPECT_EQ(TextOf(Control(main, MainFormDef(), rows[row].first)), rows[row].second)
        << "row " << row;
  }
}

TEST_F(StartupTest, FirstStartSelectsNeitherProduct) {
  Launch();
  const HWND main = WaitForMainWindow();
  const wchar_t* options[] = {L"OptionVastrel", L"OptionZPX"};
  for (std::size_t row = 0; row < std::size(options); ++row) {
    EXPECT_FALSE(IsChecked(Control(main, MainFormDef(), options[row])))
        << "row " << row << " (" << Utf8(options[row]) << ")";
  }
}

TEST_F(StartupTest, FirstStartStoresDebugModeOffAndStaysQuiet) {
  Launch();
  Settle(WaitForMainWindow());
  EXPECT_EQ(DebugMode(), (RegistryValue{REG_SZ, L"False"}));
  // A box during start-up would have kept the window hidden until answered.
  EXPECT_TRUE(FindMessageBoxes(Pid()).empty()) << "a message box is showing";
  EXPECT_EQ(FormWindows(MainFormDef()).size(), 1u);
  EXPECT_FALSE(FileExists(std::wstring(kTraceFile)));
}

TEST_F(StartupTest, StoredFalseValuesAreWrittenBackAsFalse) {
  const wchar_t* stored[] = {L"false", L"0"};
  for (std::size_t row = 0; row < std::size(stored); ++row) {
    SetDebugMode(stored[row]);
    Launch();
    const HWND main = WaitForMainWindow();
    EXPECT_EQ(DebugMode(), (RegistryValue{REG_SZ, L"False"})) << "row " << row;
    EXPECT_TRUE(FindMessageBoxes(Pid()).empty()) << "row " << row;
    EXPECT_EQ(TextOf(main), L"Quorvel Pravex Ver 1.00") << "row " << row;
    ExitByMenu(main);
  }
  EXPECT_FALSE(FileExists(std::wstring(kTraceFile)));
}

}  // namespace
}  // namespace pravex::e2e
