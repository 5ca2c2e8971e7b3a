// The text view to UI Automation: an Edit control with the Value pattern
// and the Text pattern, whose ranges screen readers read line by line.
// Made once per view at the first request and kept, so that events name
// the element clients know.
#pragma once

#include <memory>

#include "win32/text_view/accessibility_libraries.h"
#include "win32/text_view/com_support.h"
#include "win32/text_view/text_view_link.h"

namespace pravex::win32 {

ComRef<IRawElementProviderSimple> MakeUiaTextViewProvider(const AccessibilityLibraries& libraries,
                                                          std::shared_ptr<TextViewLink> link);

}  // namespace pravex::win32
