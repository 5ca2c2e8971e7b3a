// Every window without a mouse, typed as a user types: Tab and Shift+Tab go
// round the controls in their order and wrap, both product options stay
// reachable, the arrows move within the option group, Enter and Space press
// the focused button, and the contact window has Esc and its access keys.
#include <windows.h>

#include <gtest/gtest.h>

#include <optional>
#include <string_view>
#include <vector>

#include "forms/contact/contact_info_form_def.h"
#include "forms/help/help_form_def.h"
#include "forms/main/main_form_def.h"
#include "tests/e2e/contact_fixture.h"
#include "tests/e2e/driver/clipboard.h"
#include "tests/e2e/driver/save_dialog.h"
#include "tests/e2e/driver/window_input.h"
#include "tests/e2e/driver/window_probe.h"

namespace pravex::e2e {
namespace {

constexpr Milliseconds kFocusLimit{5000};
constexpr Keystroke kTab{VK_TAB};
constexpr Keystroke kBackTab{VK_TAB, true};
constexpr Keystroke kEnter{VK_RETURN};
constexpr Keystroke kSpace{VK_SPACE};

class KeyboardTest : public ContactTest {
 protected:
  struct Step {
    Keystroke key;
    const wchar_t* focus;  // the control that has the focus afterwards
  };

  // Types each step's key and expects the focus where the step says.
  static void ExpectFocusSteps(HWND window, const FormDef& form, const wchar_t* start,
                               const std::vector<Step>& steps) {
    ASSERT_TRUE(WaitForFocus(window, FormControl(window, form, start), kFocusLimit))
        << Narrow(form.name) << ": the focus at the start";
    int row = 0;
    for (const Step& step : steps) {
      TypeKeys(window, {step.key});
      EXPECT_TRUE(WaitForFocus(window, FormControl(window, form, step.focus), kFocusLimit))
          << Narrow(form.name) << " row " << row << ": expected the focus on "
          << Narrow(step.focus);
      ++row;
    }
  }

  static std::string Narrow(std::wstring_view text) { return {text.begin(), text.end()}; }

  static bool FocusShown(HWND window) {
    DWORD_PTR state = 0;
    ::SendMessageTimeoutW(window, WM_QUERYUISTATE, 0, 0, SMTO_ABORTIFHUNG, 5000, &state);
    return (state & UISF_HIDEFOCUS) == 0;
  }

  // Types `key` on the focused control of `window` and returns the box it brings.
  ShownBox BoxAfter(HWND window, const std::vector<Keystroke>& keys) {
    TypeKeys(window, keys);
    return WaitForBox();
  }
};

TEST_F(KeyboardTest, MainWindowTabReachesBothOptionsAndTheArrowsChooseWithinTheGroup) {
  Launch();
  const HWND main = WaitForMainWindow();
  const FormDef& form = MainFormDef();
  EXPECT_TRUE(FocusShown(main));
  ExpectFocusSteps(main, form, L"OptionVastrel",
                   {{kTab, L"OptionZPX"},
                    {kTab, L"ButtonDiagnose"},
                    {kTab, L"OptionVastrel"},
                    {kBackTab, L"ButtonDiagnose"},
                    {kBackTab, L"OptionZPX"},
                    {kBackTab, L"OptionVastrel"},
                    {kSpace, L"OptionVastrel"}});
  EXPECT_TRUE(
      PollUntil([&] { return IsChecked(Control(main, form, L"OptionVastrel")); }, kFocusLimit))
      << "Space chose Vastrel";
  ExpectFocusSteps(main, form, L"OptionVastrel",
                   {{kTab, L"OptionZPX"},
                    {kTab, L"ButtonDiagnose"},
                    {kTab, L"OptionVastrel"},
                    {{VK_RIGHT}, L"OptionZPX"}});
  EXPECT_TRUE(PollUntil([&] { return IsChecked(Control(main, form, L"OptionZPX")); }, kFocusLimit))
      << "the arrow chose ZPX";
  EXPECT_FALSE(IsChecked(Control(main, form, L"OptionVastrel")));
  ExpectFocusSteps(main, form, L"OptionZPX",
                   {{kBackTab, L"OptionVastrel"},
                    {{VK_DOWN}, L"OptionZPX"},
                    {{VK_UP}, L"OptionVastrel"},
                    {kTab, L"OptionZPX"}});
  EXPECT_TRUE(
      PollUntil([&] { return IsChecked(Control(main, form, L"OptionVastrel")); }, kFocusLimit))
      << "the arrow chose Vastrel";
  ExitByMenu(main);
}

TEST_F(KeyboardTest, EnterAndSpacePressDiagnose) {
  Launch();
  const HWND main = WaitForMainWindow();
  const HWND diagnose = Control(main, MainFormDef(), L"ButtonDiagnose");
  // Clicked, the button has the focus without Tab's default-button frame.
  ClickWithMouse(diagnose);
  PressOk(WaitForBox().view);
  ASSERT_TRUE(WaitForFocus(main, diagnose, kFocusLimit));
  // On the clicked button, and again once Tab has brought the focus back.
  const std::vector<Keystroke> rows[] = {{kEnter}, {kSpace}, {kBackTab, kTab, kEnter}, {kSpace}};
  for (std::size_t row = 0; row < std::size(rows); ++row) {
    const ShownBox box = BoxAfter(main, rows[row]);
    EXPECT_EQ(box.view.text, L"Select the tool type: Vastrel or ZPX tool other than Vastrel")
        << "row " << row;
    PressOk(box.view);
  }
  ExitByMenu(main);
}

TEST_F(KeyboardTest, ResultWindowTabCycleAndItsButtonsByEnterAndSpace) {
  const ResultWindow window = OpenResultWindow(L"expired", Product::kZpx, ResultKind::kIssueA);
  const FormDef& form = window.Def();
  const wchar_t* copy = VariantOf(window.kind).copyButtonName.data();
  EXPECT_TRUE(FocusShown(window.handle));
  ExpectFocusSteps(window.handle, form, L"Text1",
                   {{kTab, copy},
                    {kTab, L"Save"},
                    {kTab, L"FTP"},
                    {kTab, L"Text1"},
                    {kBackTab, L"FTP"},
                    {kBackTab, L"Save"},
                    {kBackTab, copy}});

  SetClipboardText(L"before");
  TypeKeys(window.handle, {kEnter});
  EXPECT_TRUE(PollUntil([&] { return ClipboardText() == window.Text(); }, kFocusLimit))
      << "Enter on Copy to Clipboard";

  ExpectFocusSteps(window.handle, form, copy, {{kTab, L"Save"}});
  TypeKeys(window.handle, {kSpace});
  CancelSaveDialog(WaitForSaveDialog(Pid(), kShowLimit), kCloseLimit);

  ExpectFocusSteps(window.handle, form, L"Save", {{kTab, L"FTP"}});
  TypeKeys(window.handle, {kEnter});
  const HWND contact = WaitForFormWindow(ContactInfoFormDef());
  PressButton(ContactControl(contact, L"CancelButton"));
  WaitUntilFormClosed(ContactInfoFormDef());
  EXPECT_EQ(CloseAndWaitForExit(window), 0u);
}

TEST_F(KeyboardTest, ContactWindowTabCycleEscAccessKeysAndItsButtons) {
  const ResultWindow window = OpenResultWindow(L"healthy", Product::kVastrel, ResultKind::kResult);
  const FormDef& form = ContactInfoFormDef();
  // How each row closes the window, or asks for the name (OK with empty fields).
  struct Row {
    std::vector<Step> toButton;
    Keystroke key;
    bool pressesOk;
  };
  const Row rows[] = {
      {{}, {VK_ESCAPE}, false},
      {{}, {'C', false, true}, false},
      {{}, {'O', false, true}, true},
      {{{kBackTab, L"CancelButton"}}, kEnter, false},
      {{{kBackTab, L"CancelButton"}}, kSpace, false},
      {{{kBackTab, L"CancelButton"}, {kBackTab, L"OKButton"}}, kEnter, true},
      {{{kBackTab, L"CancelButton"}, {kBackTab, L"OKButton"}}, kSpace, true},
      {{}, kEnter, false},  // in a field Enter presses nothing; Esc then closes
  };
  for (std::size_t row = 0; row < std::size(rows); ++row) {
    const HWND contact = OpenContactWindow(window);
    if (row == 0) {
      ExpectFocusSteps(contact, form, L"Text1",
                       {{kTab, L"Text2"},
                        {kTab, L"Text3"},
                        {kTab, L"OKButton"},
                        {kTab, L"CancelButton"},
                        {kTab, L"Text1"},
                        {kBackTab, L"CancelButton"},
                        {kTab, L"Text1"}});
    }
    ExpectFocusSteps(contact, form, L"Text1", rows[row].toButton);
    if (rows[row].pressesOk) {
      const ShownBox box = BoxAfter(contact, {rows[row].key});
      EXPECT_EQ(box.view.text, L"Fill in your name") << "row " << row;
      PressOk(box.view);
      TypeKeys(contact, {{VK_ESCAPE}});
    } else {
      TypeKeys(contact, {rows[row].key});
      if (row + 1 == std::size(rows)) {
        SettleThrough(ContactControl(contact, L"CancelButton"));
        EXPECT_EQ(FormWindows(form), std::vector<HWND>{contact}) << "row " << row;
        EXPECT_TRUE(FindMessageBoxes(Pid()).empty()) << "row " << row;
        TypeKeys(contact, {{VK_ESCAPE}});
      }
    }
    WaitUntilFormClosed(form);
  }
  EXPECT_EQ(CloseAndWaitForExit(window), 0u);
}

TEST_F(KeyboardTest, HelpWindowOpensWithTheFocusInItsText) {
  Launch();
  const HWND main = WaitForMainWindow();
  ChooseMainMenu(main, L"MenuHelpContents");
  const HWND help = WaitForHelpWindow();
  ExpectFocusSteps(help, FormHelpDef(), L"Text1", {{kTab, L"Text1"}, {kBackTab, L"Text1"}});
  RequestClose(help);
  WaitUntilFormClosed(FormHelpDef());
  ExitByMenu(main);
}

}  // namespace
}  // namespace pravex::e2e
