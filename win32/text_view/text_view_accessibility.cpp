// The text view to assistive technology: the objects it hands out through
// WM_GETOBJECT, what they read and do through the view, and the events and
// notifications that tell listeners what changed. Nothing here walks the
// text unless a client asks: events are a few calls each.
#include <new>

#include "win32/text_view/accessible_text_view.h"
#include "win32/text_view/text_view.h"
#include "win32/text_view/uia_text_provider.h"

namespace pravex::win32 {

LRESULT TextView::OnGetObject(WPARAM wParam, LPARAM lParam) {
  try {
    return AnswerGetObject(wParam, lParam);
  } catch (const std::bad_alloc&) {
    // Out of memory for the object: the window answers as any other would.
    return ::DefWindowProcW(hwnd_, WM_GETOBJECT, wParam, lParam);
  }
}

LRESULT TextView::AnswerGetObject(WPARAM wParam, LPARAM lParam) {
  // The object ID arrives as a DWORD.
  const auto objectId = static_cast<LONG>(static_cast<DWORD>(lParam));
  if (objectId == OBJID_CLIENT) {
    const AccessibilityLibraries& libraries = LoadAccessibilityLibraries();
    if (libraries.HasMsaa()) {
      const ComRef<IAccessible> accessible = MakeAccessibleTextView(libraries, link_);
      if (accessible) return libraries.LresultFromObject(kIidAccessible, wParam, accessible.get());
    }
  } else if (objectId == uia::kRootObjectId) {
    const AccessibilityLibraries& libraries = LoadAccessibilityLibraries();
    if (libraries.HasUia()) {
      if (!uiaProvider_) {
        uiaProvider_ = ComRef<IUnknown>(MakeUiaTextViewProvider(libraries, link_).Detach());
      }
      ComRef<IRawElementProviderSimple> provider;
      uiaProvider_->QueryInterface(uia::kIidRawElementProviderSimple,
                                   reinterpret_cast<void**>(provider.Receive()));
      return libraries.UiaReturnRawElementProvider(hwnd_, wParam, lParam, provider.get());
    }
  }
  return ::DefWindowProcW(hwnd_, WM_GETOBJECT, wParam, lParam);
}

void TextView::Disconnect() {
  // From here on every object handed out says its element is gone.
  link_->view = nullptr;
  if (!uiaProvider_) return;
  const AccessibilityLibraries* libraries = LoadedAccessibilityLibraries();
  if (libraries && libraries->HasUia()) {
    libraries->UiaReturnRawElementProvider(hwnd_, 0, 0, nullptr);
    ComRef<IRawElementProviderSimple> provider;
    uiaProvider_->QueryInterface(uia::kIidRawElementProviderSimple,
                                 reinterpret_cast<void**>(provider.Receive()));
    if (libraries->UiaDisconnectProvider && provider) {
      libraries->UiaDisconnectProvider(provider.get());
    }
  }
  uiaProvider_.reset();
}

void TextView::NotifyChanges() {
  const bool textChanged = std::exchange(textChanged_, false);
  if (textChanged) {
    ::NotifyWinEvent(EVENT_OBJECT_VALUECHANGE, hwnd_, OBJID_CLIENT, CHILDID_SELF);
    RaiseUiaEvent(uia::kTextChangedEventId);
  }
  if (model_.Anchor() != notifiedAnchor_ || model_.Caret() != notifiedCaret_) {
    notifiedAnchor_ = model_.Anchor();
    notifiedCaret_ = model_.Caret();
    ::NotifyWinEvent(EVENT_OBJECT_TEXTSELECTIONCHANGED, hwnd_, OBJID_CLIENT, CHILDID_SELF);
    RaiseUiaEvent(uia::kTextSelectionChangedEventId);
  }
  // Last: the parent may do anything, even destroy the view.
  if (textChanged) NotifyParent(EN_CHANGE);
}

void TextView::NotifyParent(WORD code) {
  if (!(::GetWindowLongPtrW(hwnd_, GWL_STYLE) & WS_CHILD)) return;
  const HWND parent = ::GetParent(hwnd_);
  if (!parent) return;
  ::SendMessageW(parent, WM_COMMAND, MAKEWPARAM(::GetDlgCtrlID(hwnd_), code),
                 reinterpret_cast<LPARAM>(hwnd_));
}

void TextView::RaiseUiaEvent(int eventId) {
  // Only for a provider a client asked for, and only while one listens.
  if (!uiaProvider_) return;
  const AccessibilityLibraries* libraries = LoadedAccessibilityLibraries();
  if (!libraries || !libraries->HasUia()) return;
  if (libraries->UiaClientsAreListening && !libraries->UiaClientsAreListening()) return;
  ComRef<IRawElementProviderSimple> provider;
  if (SUCCEEDED(uiaProvider_->QueryInterface(uia::kIidRawElementProviderSimple,
                                             reinterpret_cast<void**>(provider.Receive())))) {
    libraries->UiaRaiseAutomationEvent(provider.get(), eventId);
  }
}

// --- What the accessible objects read and do ---------------------------------

text::Span TextView::VisibleSpan() {
  const text::LineLayout& lines = Lines();
  const std::size_t first = std::min(topLine_, lines.LineCount() - 1);
  const std::size_t end = first + static_cast<std::size_t>(VisibleLines());
  return {lines.LineStart(first), end < lines.LineCount() ? lines.LineStart(end) : Text().size()};
}

std::size_t TextView::PosAtScreenPoint(POINT screen) {
  ::ScreenToClient(hwnd_, &screen);
  bool atLineEnd = false;
  return PosFromPoint(screen, atLineEnd);
}

std::vector<RECT> TextView::ScreenRectsOf(text::Span span) {
  const text::LineLayout& lines = Lines();
  std::vector<RECT> rects;
  const std::size_t page = static_cast<std::size_t>(VisibleLines());
  const std::size_t first = std::max(lines.LineOf(span.start), topLine_);
  const std::size_t last = std::min(lines.LineOf(span.end), topLine_ + page - 1);
  for (std::size_t line = first; line <= last && line < lines.LineCount(); ++line) {
    const std::size_t from = std::max(span.start, lines.LineStart(line));
    const std::size_t to = std::min(span.end, lines.LineEnd(Text(), line));
    // An empty range is where the caret would stand; otherwise a line
    // reached only by the range's end holds none of it.
    if (from > to || (from == to && !span.Empty())) continue;
    const POINT left = PointOf(line, from);
    const POINT right = PointOf(line, to);
    POINT corners[2] = {left, {right.x, right.y + lineHeight_}};
    ::MapWindowPoints(hwnd_, nullptr, corners, 2);
    rects.push_back({corners[0].x, corners[0].y, corners[1].x, corners[1].y});
  }
  return rects;
}

void TextView::SelectSpan(text::Span span) {
  Select(span.start, span.end);
  goalX_.reset();
  ScrollToCaret();
}

void TextView::ScrollIntoView(text::Span span, bool alignToTop) {
  const text::LineLayout& lines = Lines();
  if (alignToTop) {
    SetTopLine(static_cast<long long>(lines.LineOf(span.start)));
  } else {
    SetTopLine(static_cast<long long>(lines.LineOf(span.end)) - VisibleLines() + 1);
  }
}

}  // namespace pravex::win32
