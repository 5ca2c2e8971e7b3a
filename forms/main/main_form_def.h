// The main window's declaration.
#pragma once

#include "ui/form_def.h"

namespace pravex {

namespace main_form_table {

inline constexpr ControlDef kControls[] = {
    {.name = L"Label5",
     .kind = ControlKind::kLabel,
     .caption = L"1. Select the type of your software",
     .rect = {480, 240, 3015, 375},
     .font = kDefaultBoldFont},
    {.name = L"OptionVastrel",
     .kind = ControlKind::kOptionButton,
     .caption = L"Vastrel",
     .rect = {1080, 600, 1575, 375},
     .tabIndex = 0},
    {.name = L"OptionZPX",
     .kind = ControlKind::kOptionButton,
     .caption = L"ZPX tool other than Vastrel",
     .rect = {2880, 600, 2775, 375},
     .tabIndex = 1},
    {.name = L"Label6",
     .kind = ControlKind::kLabel,
     .caption = L"2. Click the button below to run the diagnosis",
     .rect = {480, 1440, 6015, 375},
     .font = kDefaultBoldFont},
    {.name = L"ButtonDiagnose",
     .kind = ControlKind::kCommandButton,
     .caption = L"Diagnose",
     .rect = {1080, 2040, 1695, 375},
     .tabIndex = 2},
};

inline constexpr MenuItemDef kFileItems[] = {{L"MenuExit", L"Exit"}};
inline constexpr MenuItemDef kHelpItems[] = {{L"MenuHelpContents", L"Help for Quorvel Pravex"},
                                             {L"MenuAbout", L"About..."}};
inline constexpr MenuDef kMenus[] = {{L"MenuFile", L"File", kFileItems},
                                     {L"MenuHelp", L"Help", kHelpItems}};

}  // namespace main_form_table

inline constexpr FormDef kMainFormDef{
    .name = L"MainForm",
    .caption = L"",  // set at load
    .client = {7230, 2820},
    .startPosition = StartPosition::kWindowsDefault,
    .font = kDefaultFont,
    // The controls keep fixed places, so a maximised window would only add
    // empty space.
    .maxButton = false,
    .controls = main_form_table::kControls,
    .menus = main_form_table::kMenus,
};

inline const FormDef& MainFormDef() {
  return kMainFormDef;
}

}  // namespace pravex
