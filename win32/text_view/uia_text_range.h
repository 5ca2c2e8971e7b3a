// A range of the text view's text for UI Automation's Text pattern: two
// positions, moved by the portable arithmetic of text_range.h and read
// again through Clamp on every call, so that it stays valid however the
// text changed since.
#pragma once

#include <memory>

#include "text/text_range.h"
#include "win32/text_view/accessibility_libraries.h"
#include "win32/text_view/com_support.h"
#include "win32/text_view/text_view_link.h"
#include "win32/text_view/uia_declarations.h"

namespace pravex::win32 {

// `owner` is the view's provider, the range's enclosing element.
ComRef<uia::ITextRangeProvider> MakeUiaTextRange(const AccessibilityLibraries& libraries,
                                                 std::shared_ptr<TextViewLink> link,
                                                 ComRef<IRawElementProviderSimple> owner,
                                                 text::Span span);

// A SAFEARRAY of ranges, as GetSelection and GetVisibleRanges give them.
HRESULT RangeArray(const AccessibilityLibraries& libraries,
                   const ComRef<uia::ITextRangeProvider>& range, SAFEARRAY** out);

}  // namespace pravex::win32
