// The help window: one editable, scrollable text area with the usage text.
#pragma once

#include <string>

#include "forms/form.h"
#include "forms/help/help_form_def.h"

namespace pravex {

// The usage text, byte for byte as the window shows it.
std::wstring HelpText();

class FormHelp : public Form {
 public:
  explicit FormHelp(Forms& forms);

  void Form_Load() override;
  void Form_Resize() override;
};

}  // namespace pravex
