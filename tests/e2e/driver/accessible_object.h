// Reading another process's window as assistive technology reads it:
// through Active Accessibility (the window's client object) and through
// UI Automation's flat client calls.
#pragma once

#include <windows.h>

#include <optional>
#include <string>

namespace pravex::e2e {

struct AccessibleFacts {
  long role = 0;
  std::optional<std::wstring> name;  // nothing when the object has none
  std::optional<std::wstring> value;
  long state = 0;
  RECT location{};  // on the screen
};

// The window's OBJID_CLIENT object; throws std::runtime_error naming the
// call that failed.
AccessibleFacts ReadAccessibleClient(HWND window);

struct AutomationFacts {
  int controlType = 0;
  std::optional<std::wstring> value;         // the Value pattern's, as a property
  std::optional<std::wstring> documentText;  // the Text pattern's document range
  // Why the document's text could not be read, when it could not.
  std::string documentTextUnavailable;
};

// Through UiaNodeFromHandle and UiaGetPropertyValue, then the Text pattern
// through UiaGetPatternProvider, TextPattern_get_DocumentRange and
// TextRange_GetText where the system has them; throws std::runtime_error
// naming the call that failed.
AutomationFacts ReadAutomationElement(HWND window);

}  // namespace pravex::e2e
