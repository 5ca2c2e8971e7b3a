// One run of Pravex for the screenshot tour: started on a clean slate with
// the stand-in status tool giving a chosen sample; its windows and message
// boxes awaited. Its controls and menus are found with
// tests/e2e/pravex_program.h.
#pragma once

#include <windows.h>

#include <string_view>

#include "tests/e2e/driver/app_process.h"
#include "ui/form_def.h"

namespace pravex::screenshots {

class PravexSession {
 public:
  // Removes the settings and files of earlier runs and starts Pravex, in
  // debug mode if asked; the tool then reports `sample`.
  PravexSession(std::wstring_view sample, bool debugMode);

  HWND WaitForForm(const FormDef& form) const;
  void WaitUntilFormClosed(const FormDef& form) const;
  // The message box once it shows and answers.
  HWND WaitForBox() const;
  // Presses the box's OK and waits for it to go.
  static void PressOk(HWND box);
  static void Press(HWND window, const FormDef& form, std::wstring_view button);

  // Waits for the program to end by itself, as it does when its last window closes.
  void WaitForExit() const;

 private:
  e2e::AppProcess app_;
};

}  // namespace pravex::screenshots
