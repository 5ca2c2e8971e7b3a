// The help window's declaration.
#pragma once

#include "ui/form_def.h"

namespace pravex {

namespace help_form_table {

inline constexpr ControlDef kControls[] = {{.name = L"Text1",
                                            .kind = ControlKind::kTextBox,
                                            .rect = {120, 120, 10575, 6255},
                                            .tabIndex = 0,
                                            .multiLine = true}};

}  // namespace help_form_table

inline constexpr FormDef kFormHelpDef{
    .name = L"FormHelp",
    .caption = L"Help Contents",
    .client = {10875, 6495},
    .startPosition = StartPosition::kWindowsDefault,
    .font = kLargeFont,
    .controls = help_form_table::kControls,
};

inline const FormDef& FormHelpDef() {
  return kFormHelpDef;
}

}  // namespace pravex
