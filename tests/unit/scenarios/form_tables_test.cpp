// What can go wrong in a window's table: a control outside the window, two
// controls that take the focus on top of each other, the tab order, a font,
// a control or menu item its command ID does not lead back to, a press
// without its handler. The captions, texts and pixel places are compared
// exactly by the end-to-end tests on the real windows.
#include <gtest/gtest.h>

#include <set>
#include <string>
#include <utility>
#include <vector>

#include "app/program.h"
#include "tests/fakes/fake_platform.h"

namespace pravex {
namespace {

bool Overlap(const TwipsRect& a, const TwipsRect& b) {
  return a.left < b.left + b.width && b.left < a.left + a.width && a.top < b.top + b.height &&
         b.top < a.top + a.height;
}

TEST(FormTables, KeepTheControlsInsideInTabOrderAndEachPressBoundToOneHandler) {
  testing::FakePlatform fake;
  Program program(fake.platform);
  using Names = std::vector<std::wstring_view>;
  struct Row {
    const Form& form;
    Names windowOrder;  // each field after its own label
    std::string fonts;  // in window order: 'b' bold, 'L' 9.75 pt, '-' the usual 8.25 pt
    std::size_t buttons;
    std::size_t menuItems;
  };
  const Names result = {L"Text1", L"CopyToClipboard", L"Save", L"FTP"};
  const Row rows[] = {
      {program.mainForm,
       {L"Label5", L"OptionVastrel", L"OptionZPX", L"Label6", L"ButtonDiagnose"},
       "b--b-",
       1,
       3},
      {program.formResult, result, "L---", 3, 0},
      {program.formIssueA, {L"Text1", L"CopyToClibBoard", L"Save", L"FTP"}, "----", 3, 0},
      {program.formIssueB, result, "L---", 3, 0},
      {program.formIssueC, result, "L---", 3, 0},
      {program.formIssueD, result, "L---", 3, 0},
      {program.formHelp, {L"Text1"}, "L", 0, 0},
      {program.contactInfoForm,
       {L"Label4", L"Label1", L"Text1", L"Label2", L"Text2", L"Label3", L"Text3", L"OKButton",
        L"CancelButton"},
       "b--------",
       2,
       0},
  };
  using Source = ClickBinding::Source;
  for (const Row& row : rows) {
    const FormDef& def = row.form.Def();
    const std::string form(def.name.begin(), def.name.end());
    Names windowOrder;
    std::string fonts;
    for (const int index : CreationOrder(def)) {
      const ControlDef& control = def.controls[index];
      windowOrder.push_back(control.name);
      const FontSpec& font = EffectiveFont(def, control);
      fonts += font == kDefaultBoldFont ? 'b'
               : font == kLargeFont     ? 'L'
               : font == kDefaultFont   ? '-'
                                        : '?';
    }
    EXPECT_EQ(windowOrder, row.windowOrder) << form;
    EXPECT_EQ(fonts, row.fonts) << form;

    std::set<int> tabIndices;
    std::size_t buttons = 0;
    for (int i = 0; i < static_cast<int>(def.controls.size()); ++i) {
      const ControlDef& control = def.controls[i];
      const std::string where = form + "." + std::string(control.name.begin(), control.name.end());
      EXPECT_EQ(ControlId(def, control.name), kFirstControlId + i) << where << ": a repeated name";
      EXPECT_TRUE(control.rect.left >= 0 && control.rect.top >= 0 &&
                  control.rect.left + control.rect.width <= def.client.width &&
                  control.rect.top + control.rect.height <= def.client.height)
          << where << " reaches outside the window";
      if (control.tabIndex == kNoTabStop) continue;
      EXPECT_TRUE(tabIndices.insert(control.tabIndex).second) << where << ": a repeated tab index";
      for (int j = 0; j < i; ++j) {
        EXPECT_FALSE(def.controls[j].tabIndex != kNoTabStop &&
                     Overlap(def.controls[j].rect, control.rect))
            << where << " covers control " << j;
      }
      buttons += control.kind == ControlKind::kCommandButton;
    }
    EXPECT_EQ(buttons, row.buttons) << form;

    // Every command button and menu item has one handler, each handler one of them.
    std::set<std::pair<Source, int>> bound;
    std::set<void (*)(Form&)> handlers;
    for (const ClickBinding& click : row.form.Clicks()) {
      const bool pressable = click.source == Source::kControl
                                 ? static_cast<std::size_t>(click.index) < def.controls.size() &&
                                       def.controls[click.index].kind == ControlKind::kCommandButton
                                 : MenuItemAt(def, click.index) != nullptr;
      EXPECT_TRUE(pressable) << form << ": a handler for nothing to press";
      EXPECT_TRUE(bound.insert({click.source, click.index}).second)
          << form << ": two handlers for one press";
      EXPECT_TRUE(handlers.insert(click.handler).second) << form << ": one handler for two presses";
    }
    for (int i = 0; i < static_cast<int>(def.controls.size()); ++i) {
      if (def.controls[i].kind != ControlKind::kCommandButton) continue;
      EXPECT_TRUE(bound.contains({Source::kControl, i})) << form << ": control " << i;
    }
    std::size_t menuItems = 0;
    for (int i = 0; MenuItemAt(def, i); ++i, ++menuItems) {
      EXPECT_EQ(MenuItemId(def, MenuItemAt(def, i)->name), kFirstMenuItemId + i) << form;
      EXPECT_TRUE(bound.contains({Source::kMenuItem, i})) << form << ": menu item " << i;
    }
    EXPECT_EQ(menuItems, row.menuItems) << form;
  }
}

}  // namespace
}  // namespace pravex
