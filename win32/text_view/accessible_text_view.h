// The text view to Active Accessibility: an editable text whose value is
// the view's text, built when asked for. Everything but the role, name,
// value and state comes from the system's standard object for the window.
#pragma once

#include <windows.h>
#include <oleacc.h>

#include <memory>

#include "win32/text_view/accessibility_libraries.h"
#include "win32/text_view/com_support.h"
#include "win32/text_view/text_view_link.h"

namespace pravex::win32 {

// Null when the standard object cannot be made.
ComRef<IAccessible> MakeAccessibleTextView(const AccessibilityLibraries& libraries,
                                           std::shared_ptr<TextViewLink> link);

}  // namespace pravex::win32
