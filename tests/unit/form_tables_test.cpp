#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/program.h"
#include "forms/main/main_form_def.h"
#include "forms/results/help_form.h"
#include "tests/fakes/fake_platform.h"

namespace pravex {
namespace {

struct ExpectedControl {
  const wchar_t* name;
  ControlKind kind;
  const wchar_t* caption;
  TwipsRect rect;
  FontSpec font;
};

void ExpectControls(const FormDef& form, const std::vector<ExpectedControl>& expected) {
  ASSERT_EQ(form.controls.size(), expected.size())
      << std::string(form.name.begin(), form.name.end());
  for (std::size_t row = 0; row < expected.size(); ++row) {
    const ControlDef& control = form.controls[row];
    EXPECT_EQ(control.name, expected[row].name) << "row " << row;
    EXPECT_EQ(control.kind, expected[row].kind) << "row " << row;
    if (expected[row].caption) {
      EXPECT_EQ(control.caption, expected[row].caption) << "row " << row;
    }
    EXPECT_EQ(control.rect, expected[row].rect) << "row " << row;
    EXPECT_EQ(EffectiveFont(form, control), expected[row].font) << "row " << row;
  }
}

std::vector<std::wstring_view> TabOrder(const FormDef& form) {
  std::vector<std::wstring_view> names;
  for (int index : CreationOrder(form)) {
    if (form.controls[index].tabIndex != kNoTabStop) names.push_back(form.controls[index].name);
  }
  return names;
}

TEST(MainFormTable, HasTheControlsCaptionsGeometryAndFonts) {
  const FormDef& form = MainFormDef();
  EXPECT_EQ(form.client, (TwipsSize{7230, 2820}));
  EXPECT_EQ(form.startPosition, StartPosition::WindowsDefault);
  EXPECT_EQ(form.font, kDefaultFont);
  EXPECT_EQ(form.caption, L"");
  ExpectControls(
      form, {
                {L"Label5",
                 ControlKind::Label,
                 L"1. Select the type of your software",
                 {480, 240, 3015, 375},
                 kDefaultBoldFont},
                {L"OptionVastrel",
                 ControlKind::OptionButton,
                 L"Vastrel",
                 {1080, 600, 1575, 375},
                 kDefaultFont},
                {L"OptionZPX",
                 ControlKind::OptionButton,
                 L"ZPX tool other than Vastrel",
                 {2880, 600, 2775, 375},
                 kDefaultFont},
                {L"Label6", ControlKind::Label, nullptr, {480, 1440, 6015, 375}, kDefaultBoldFont},
                {L"ButtonDiagnose",
                 ControlKind::CommandButton,
                 L"Diagnose",
                 {1080, 2040, 1695, 375},
                 kDefaultFont},
            });
  EXPECT_TRUE(form.controls[3].caption.starts_with(L"2. ")) << "the second numbered instruction";
  EXPECT_EQ(TabOrder(form),
            (std::vector<std::wstring_view>{L"OptionVastrel", L"OptionZPX", L"ButtonDiagnose"}));
}

TEST(MainFormTable, HasTheFileAndHelpMenus) {
  const FormDef& form = MainFormDef();
  ASSERT_EQ(form.menus.size(), 2u);
  EXPECT_EQ(form.menus[0].name, L"MenuFile");
  EXPECT_EQ(form.menus[0].caption, L"File");
  ASSERT_EQ(form.menus[0].items.size(), 1u);
  EXPECT_EQ(form.menus[0].items[0].name, L"MenuExit");
  EXPECT_EQ(form.menus[0].items[0].caption, L"Exit");
  EXPECT_EQ(form.menus[1].name, L"MenuHelp");
  EXPECT_EQ(form.menus[1].caption, L"Help");
  ASSERT_EQ(form.menus[1].items.size(), 2u);
  EXPECT_EQ(form.menus[1].items[0].name, L"MenuHelpContents");
  EXPECT_EQ(form.menus[1].items[0].caption, L"Help for Quorvel Pravex");
  EXPECT_EQ(form.menus[1].items[1].name, L"MenuAbout");
  EXPECT_EQ(form.menus[1].items[1].caption, L"About...");
  EXPECT_EQ(MenuItemId(form, L"MenuExit"), kFirstMenuItemId);
  EXPECT_EQ(MenuItemId(form, L"MenuAbout"), kFirstMenuItemId + 2);
  EXPECT_EQ(MenuItemAt(form, 1)->name, L"MenuHelpContents");
  EXPECT_EQ(MenuItemAt(form, 3), nullptr);
}

TEST(HelpFormTable, IsOneLargeMultiLineTextBox) {
  const FormDef& form = FormHelpDef();
  EXPECT_EQ(form.caption, L"Help Contents");
  EXPECT_EQ(form.client, (TwipsSize{10875, 6495}));
  EXPECT_EQ(form.startPosition, StartPosition::WindowsDefault);
  EXPECT_TRUE(form.maxButton);
  EXPECT_TRUE(form.menus.empty());
  ExpectControls(form,
                 {{L"Text1", ControlKind::TextBox, L"", {120, 120, 10575, 6255}, kLargeFont}});
  EXPECT_TRUE(form.controls[0].multiLine);
  EXPECT_EQ(form.controls[0].tabIndex, 0);
}

TEST(ControlIds, StayClearOfTheDialogCommandsAndFollowTheTable) {
  const FormDef& form = MainFormDef();
  EXPECT_EQ(ControlId(form, L"Label5"), 1000);
  EXPECT_EQ(ControlId(form, L"ButtonDiagnose"), 1004);
  EXPECT_EQ(ControlId(form, L"NoSuchControl"), -1);
}

// The constants the forms reach their controls by are found by name when the
// program is built; what is left to check is that every press has a handler.
TEST(ClickBindings, EachButtonAndMenuItemHasOneHandlerAndEachHandlerOneOfThem) {
  testing::FakePlatform fake;
  Program program(fake.platform);
  struct Row {
    const Form& form;
    std::size_t buttons;
    std::size_t menuItems;
  };
  const Row rows[] = {
      {program.mainForm, 1, 3},   {program.formResult, 3, 0},      {program.formIssueA, 3, 0},
      {program.formIssueB, 3, 0}, {program.formIssueC, 3, 0},      {program.formIssueD, 3, 0},
      {program.formHelp, 0, 0},   {program.contactInfoForm, 2, 0},
  };
  using Source = ClickBinding::Source;
  for (const Row& row : rows) {
    const FormDef& def = row.form.Def();
    const std::string form(def.name.begin(), def.name.end());
    std::set<std::pair<Source, int>> bound;
    std::set<void (*)(Form&)> handlers;
    for (const ClickBinding& click : row.form.Clicks()) {
      if (click.source == Source::Control) {
        ASSERT_LT(static_cast<std::size_t>(click.index), def.controls.size()) << form;
        EXPECT_EQ(def.controls[click.index].kind, ControlKind::CommandButton) << form;
      } else {
        EXPECT_NE(MenuItemAt(def, click.index), nullptr) << form;
      }
      EXPECT_TRUE(bound.insert({click.source, click.index}).second)
          << form << ": two handlers for one press";
      EXPECT_TRUE(handlers.insert(click.handler).second) << form << ": one handler for two presses";
    }
    std::size_t buttons = 0;
    for (int i = 0; i < static_cast<int>(def.controls.size()); ++i) {
      if (def.controls[i].kind != ControlKind::CommandButton) continue;
      ++buttons;
      EXPECT_TRUE(bound.contains({Source::Control, i})) << form << ": control " << i;
    }
    std::size_t menuItems = 0;
    for (int i = 0; MenuItemAt(def, i); ++i, ++menuItems) {
      EXPECT_TRUE(bound.contains({Source::MenuItem, i})) << form << ": menu item " << i;
    }
    EXPECT_EQ(buttons, row.buttons) << form;
    EXPECT_EQ(menuItems, row.menuItems) << form;
  }
}

}  // namespace
}  // namespace pravex
