// The contact window's declaration.
#pragma once

#include "ui/form_def.h"

namespace pravex {

namespace contact_info_form_table {

inline constexpr ControlDef kControls[] = {
    {.name = L"Label4",
     .kind = ControlKind::kLabel,
     .caption = L"Provide your contact information",
     .rect = {360, 240, 3255, 375},
     .font = kDefaultBoldFont},
    {.name = L"Label1",
     .kind = ControlKind::kLabel,
     .caption = L"Name",
     .rect = {360, 840, 975, 255}},
    {.name = L"Text1",
     .kind = ControlKind::kTextBox,
     .rect = {1800, 840, 6255, 285},
     .tabIndex = 0},
    {.name = L"Label2",
     .kind = ControlKind::kLabel,
     .caption = L"Company Name",
     .rect = {360, 1320, 1215, 375}},
    {.name = L"Text2",
     .kind = ControlKind::kTextBox,
     .rect = {1800, 1320, 6255, 285},
     .tabIndex = 1},
    {.name = L"Label3",
     .kind = ControlKind::kLabel,
     .caption = L"e-mail Address",
     .rect = {360, 1800, 1335, 375}},
    {.name = L"Text3",
     .kind = ControlKind::kTextBox,
     .rect = {1800, 1800, 6255, 285},
     .tabIndex = 2},
    {.name = L"OKButton",
     .kind = ControlKind::kCommandButton,
     .caption = L"&OK",
     .rect = {1680, 2520, 1695, 495},
     .tabIndex = 3},
    {.name = L"CancelButton",
     .kind = ControlKind::kCommandButton,
     .caption = L"&Cancel",
     .rect = {4800, 2520, 1695, 495},
     .tabIndex = 4,
     .cancel = true},
};

}  // namespace contact_info_form_table

inline constexpr FormDef kContactInfoFormDef{
    .name = L"ContactInfoForm",
    .caption = L"Contact Information",
    .client = {8505, 3300},
    .startPosition = StartPosition::kWindowsDefault,
    .font = kDefaultFont,
    .controls = contact_info_form_table::kControls,
};

inline const FormDef& ContactInfoFormDef() {
  return kContactInfoFormDef;
}

}  // namespace pravex
