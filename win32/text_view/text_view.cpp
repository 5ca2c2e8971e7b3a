#include "win32/text_view/text_view.h"

#include <windowsx.h>

#include <memory>
#include <stdexcept>

#include "win32/handles.h"
#include "win32/text_view/gdi_scope.h"

namespace pravex::win32 {

namespace {

bool IsKeyOrMouse(UINT message) {
  return (message >= WM_KEYFIRST && message <= WM_KEYLAST) ||
         (message >= WM_MOUSEFIRST && message <= WM_MOUSELAST);
}

constexpr int kViewSlot = 0;  // the window's extra bytes hold the view
}  // namespace

bool TextView::RegisterWindowClass(HINSTANCE instance) {
  static bool registered = false;
  if (registered) return true;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_DBLCLKS;
  wc.lpfnWndProc = &WindowProc;
  wc.cbWndExtra = sizeof(TextView*);
  wc.hInstance = instance;
  wc.hCursor = ::LoadCursorW(nullptr, IDC_IBEAM);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_WINDOW + 1);
  wc.lpszClassName = kTextViewClassName;
  registered = ::RegisterClassExW(&wc) != 0 || ::GetLastError() == ERROR_CLASS_ALREADY_EXISTS;
  return registered;
}

TextView* TextView::FromHandle(HWND hwnd) {
  if (!hwnd) return nullptr;
  if (reinterpret_cast<WNDPROC>(::GetWindowLongPtrW(hwnd, GWLP_WNDPROC)) != &WindowProc) {
    return nullptr;
  }
  return reinterpret_cast<TextView*>(::GetWindowLongPtrW(hwnd, kViewSlot));
}

TextView::TextView(HWND hwnd)
    : hwnd_(hwnd),
      model_([this](char16_t first, text::CharAdvances::Block& widths) {
        MeasureBlock(first, widths);
      }),
      link_(std::make_shared<TextViewLink>(TextViewLink{this})) {
  // An edit rewraps the lines it touched in a layout that is complete.
  model_.OnLayoutNeeded([this] { Lines(); });
}

TextView::~TextView() {
  link_->view = nullptr;
}

LRESULT CALLBACK TextView::WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam) {
  // No exception may cross into the system. Every change to the text is
  // all or nothing, so a failed one (out of memory on a paste) leaves the
  // old text, and the user hears it.
  try {
    if (message == WM_NCCREATE) {
      auto view = std::make_unique<TextView>(hwnd);
      ::SetWindowLongPtrW(hwnd, kViewSlot, reinterpret_cast<LONG_PTR>(view.release()));
    }
    auto* view = reinterpret_cast<TextView*>(::GetWindowLongPtrW(hwnd, kViewSlot));
    if (message == WM_NCDESTROY) {
      const std::unique_ptr<TextView> owned(view);
      ::SetWindowLongPtrW(hwnd, kViewSlot, 0);
    } else if (view) {
      // The message may destroy the view; the link tells.
      const std::shared_ptr<TextViewLink> link = view->link_;
      const LRESULT result = view->OnMessage(message, wParam, lParam);
      if (link->view) view->NotifyChanges();
      return result;
    }
  } catch (...) {
    ::MessageBeep(MB_OK);
    return 0;
  }
  return ::DefWindowProcW(hwnd, message, wParam, lParam);
}

LRESULT TextView::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  // While its window is disabled (a box of the program is up) the system
  // sends it no input; keys or clicks posted by another program are
  // dropped the same way.
  if (IsKeyOrMouse(message) && !::IsWindowEnabled(::GetAncestor(hwnd_, GA_ROOT))) return 0;
  switch (message) {
    case WM_CREATE: {
      MeasureFont();
      const auto* create = reinterpret_cast<const CREATESTRUCTW*>(lParam);
      if (create->lpszName && *create->lpszName) TakeText(create->lpszName);
      UpdateScrollBar();
      return 0;
    }
    case WM_SETTEXT:
      SetText(lParam ? std::wstring(reinterpret_cast<const wchar_t*>(lParam)) : std::wstring());
      return TRUE;
    case WM_GETOBJECT:
      return OnGetObject(wParam, lParam);
    case WM_DESTROY:
      Disconnect();
      return 0;
    case WM_GETTEXT:
      return CopyTextOut(wParam, lParam);
    case WM_GETTEXTLENGTH:
      return static_cast<LRESULT>(Text().size());
    case WM_SETFONT:
      SetFont(reinterpret_cast<HFONT>(wParam), LOWORD(lParam) != 0);
      return 0;
    case WM_GETFONT:
      return reinterpret_cast<LRESULT>(font_);
    case WM_SIZE:
      OnSize();
      return 0;
    case WM_NCPAINT: {
      const LRESULT painted = ::DefWindowProcW(hwnd_, message, wParam, lParam);
      framePainted_ = true;
      return painted;
    }
    case WM_ERASEBKGND:
      return 1;  // painting covers everything, from a memory DC
    case WM_PAINT: {
      PaintDc dc(hwnd_);
      Paint(dc.get(), dc.Dirty());
      return 0;
    }
    case WM_PRINTCLIENT: {
      RECT client{};
      ::GetClientRect(hwnd_, &client);
      Paint(reinterpret_cast<HDC>(wParam), client);
      return 0;
    }
    case WM_ENABLE:
    case WM_SYSCOLORCHANGE:
      ::InvalidateRect(hwnd_, nullptr, FALSE);
      return 0;
    case WM_VSCROLL:
      OnVScroll(LOWORD(wParam), HIWORD(wParam));
      return 0;
    case WM_HSCROLL:
      return 0;  // lines wrap at the view's width: nothing lies beside them
    case WM_SYSCOMMAND:
      if ((wParam & 0xFFF0) == SC_VSCROLL) {
        // The system's loop for a press on the scroll bar: the thumb
        // messages it sends come from a real drag.
        trackingScrollBar_ = true;
        const ScopeExit done([this] { trackingScrollBar_ = false; });
        return ::DefWindowProcW(hwnd_, message, wParam, lParam);
      }
      break;
    case WM_MOUSEWHEEL:
      OnMouseWheel(GET_WHEEL_DELTA_WPARAM(wParam));
      return 0;
    case WM_SETFOCUS:
      // Focus alone never changes the selection (the dialog keys' select-all
      // on Tab comes from the dialog manager through EM_SETSEL).
      focused_ = true;
      ShowFocusCaret();
      InvalidateBetween(SelectionStart(), SelectionEnd());
      NotifyParent(EN_SETFOCUS);
      return 0;
    case WM_KILLFOCUS:
      focused_ = false;
      pendingHighSurrogate_ = 0;
      ::DestroyCaret();
      InvalidateBetween(SelectionStart(), SelectionEnd());
      NotifyParent(EN_KILLFOCUS);
      return 0;
    case WM_GETDLGCODE:
      return DialogCode(reinterpret_cast<const MSG*>(lParam));
    case WM_KEYDOWN:
      if (OnKeyDown(wParam)) return 0;
      break;
    case WM_KEYUP:
      if (wParam == VK_APPS) return 0;  // its menu opened on the way down
      break;
    case WM_SYSKEYDOWN:
      if (wParam == VK_F10 && ::GetKeyState(VK_SHIFT) < 0) {
        ShowContextMenu({-1, -1});
        return 0;
      }
      break;
    case WM_CHAR:
      OnChar(static_cast<wchar_t>(wParam));
      return 0;
    case WM_LBUTTONDOWN:
      OnButtonDown({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)}, (wParam & MK_SHIFT) != 0);
      return 0;
    case WM_LBUTTONDBLCLK:
      OnDoubleClick({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_MOUSEMOVE:
      OnMouseMove({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_LBUTTONUP:
      if (dragging_) ::ReleaseCapture();
      return 0;
    case WM_CAPTURECHANGED:
      StopDragging();
      return 0;
    case WM_TIMER:
      if (wParam == kLayoutTimer) {
        ContinueLayout();
      } else {
        OnDragTimer();
      }
      return 0;
    case WM_RBUTTONDOWN:
      ::SetFocus(hwnd_);
      return 0;
    case WM_CONTEXTMENU:
      ShowContextMenu({GET_X_LPARAM(lParam), GET_Y_LPARAM(lParam)});
      return 0;
    case WM_COPY:
      Copy();
      return 0;
    case WM_CUT:
      Cut();
      return 0;
    case WM_PASTE:
      Paste();
      return 0;
    case WM_CLEAR:
      ReplaceSelection(L"");
      return 0;
    case WM_UNDO:
    case EM_UNDO: {
      const bool could = model_.CanUndo();
      Undo();
      return could;
    }
    case EM_CANUNDO:
      return model_.CanUndo();
    case EM_EMPTYUNDOBUFFER:
      model_.ForgetUndo();
      return 0;
    case EM_GETSEL:
      return SelectionForMessage(wParam, lParam);
    case EM_SETSEL:
      SetSelectionFromMessage(wParam, lParam);
      return 0;
    case EM_REPLACESEL:
      ReplaceSelection(lParam ? reinterpret_cast<const wchar_t*>(lParam) : L"");
      return 0;
    case EM_SCROLLCARET:
      ScrollToCaret();
      return 0;
    case EM_SETLIMITTEXT:
      return 0;  // no limit but memory's
    case EM_GETLIMITTEXT:
      return static_cast<LRESULT>(text::LineLayout::kMaxText);
    case EM_GETLINECOUNT:
      return static_cast<LRESULT>(Lines().LineCount());
    case EM_GETFIRSTVISIBLELINE:
      Lines();
      return static_cast<LRESULT>(topLine_);
    case EM_LINEFROMCHAR:
      return static_cast<LRESULT>(LineOfCharMessage(wParam));
    case EM_LINEINDEX:
      return LineIndexMessage(wParam);
    case EM_LINELENGTH:
      return LineLengthMessage(wParam);
    case EM_GETLINE:
      return GetLineMessage(wParam, lParam);
    case EM_POSFROMCHAR:
      return PosFromCharMessage(wParam);
    case EM_CHARFROMPOS:
      return CharFromPosMessage(lParam);
    case EM_GETRECT:
      if (lParam) *reinterpret_cast<RECT*>(lParam) = TextArea();
      return 0;
    case EM_LINESCROLL:
      LineScrollMessage(lParam);
      return TRUE;
    case EM_GETMODIFY:
      return model_.Modified();
    case EM_SETMODIFY:
      model_.SetModified(wParam != 0);
      return 0;
    case WM_IME_STARTCOMPOSITION:
      composing_ = true;
      PlaceCompositionWindow();
      break;
    case WM_IME_ENDCOMPOSITION:
      composing_ = false;
      break;
    case WM_IME_COMPOSITION:
      return OnImeComposition(wParam, lParam);
    default:
      break;
  }
  return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

// --- Text, font and layout ----------------------------------------------------

void TextView::SetText(std::wstring text) {
  TakeText(std::move(text));
  textChanged_ = true;
  NotifyChanges();
}

void TextView::TakeText(std::wstring text) {
  // Refused at once, also by a hidden view whose layout comes later: its
  // window would otherwise open unable to show anything.
  const bool shown = ::IsWindowVisible(hwnd_) != FALSE;
  model_.SetText(std::move(text), shown ? std::optional(CurrentWrap()) : std::nullopt);
  detached_.reset();
  ++numbering_;
  layoutStale_ = !shown;
  firstShownWhenStale_ = 0;
  pendingHighSurrogate_ = 0;
  goalX_.reset();
  topLine_ = 0;
  ::InvalidateRect(hwnd_, nullptr, FALSE);
  if (shown) {
    UpdateScrollBar();
    PlaceCaret();
  }
}

HFONT TextView::FontOrSystem() const {
  return font_ ? font_ : static_cast<HFONT>(::GetStockObject(SYSTEM_FONT));
}

void TextView::SetFont(HFONT font, bool redraw) {
  font_ = font;
  MeasureFont();
  Relayout();
  if (focused_) ShowFocusCaret();  // the caret is as tall as a line
  if (redraw) ::UpdateWindow(hwnd_);
}

void TextView::MeasureFont() {
  WindowDc dc(hwnd_);
  SelectedObject font(dc.get(), FontOrSystem());
  TEXTMETRICW metrics{};
  ::GetTextMetricsW(dc.get(), &metrics);
  lineHeight_ = std::max<int>(1, metrics.tmHeight);
  // The average width the system's dialogs and edit controls use.
  static constexpr wchar_t kAlphabet[] = L"abcdefghijklmnopqrstuvwxyzABCDEFGHIJKLMNOPQRSTUVWXYZ";
  SIZE alphabet{};
  ::GetTextExtentPoint32W(dc.get(), kAlphabet, 52, &alphabet);
  averageCharWidth_ =
      alphabet.cx > 0 ? (alphabet.cx / 26 + 1) / 2 : std::max<int>(1, metrics.tmAveCharWidth);
  // Like the edit control: a margin for outline fonts, none for bitmap fonts.
  const bool outline = (metrics.tmPitchAndFamily & (TMPF_VECTOR | TMPF_TRUETYPE)) != 0;
  leftMargin_ = rightMargin_ = outline ? averageCharWidth_ / 2 : 0;
  model_.Advances().Forget();
}

void TextView::MeasureBlock(char16_t first, text::CharAdvances::Block& widths) const {
  WindowDc dc(hwnd_);
  SelectedObject font(dc.get(), FontOrSystem());
  INT measured[text::CharAdvances::kBlockSize] = {};
  const UINT last = static_cast<UINT>(first) + text::CharAdvances::kBlockSize - 1;
  if (!::GetCharWidth32W(dc.get(), first, last, measured)) {
    for (std::size_t i = 0; i < widths.size(); ++i) {
      const auto c = static_cast<wchar_t>(first + i);
      SIZE size{};
      ::GetTextExtentPoint32W(dc.get(), &c, 1, &size);
      measured[i] = size.cx;
    }
  }
  for (std::size_t i = 0; i < widths.size(); ++i) {
    widths[i] = static_cast<std::uint16_t>(std::clamp<INT>(measured[i], 0, 0xFFFF));
  }
}

RECT TextView::TextArea() const {
  RECT area{};
  ::GetClientRect(hwnd_, &area);
  // Inside a sunken edge the text keeps one pixel off it.
  if (::GetWindowLongPtrW(hwnd_, GWL_EXSTYLE) & WS_EX_CLIENTEDGE) {
    ++area.left;
    --area.right;
    if (area.bottom - area.top >= lineHeight_ + 2) {
      ++area.top;
      --area.bottom;
    }
  }
  area.left += leftMargin_;
  area.right -= rightMargin_;
  return area;
}

int TextView::VisibleLines() const {
  const RECT area = TextArea();
  return std::max(1, static_cast<int>((area.bottom - area.top) / lineHeight_));
}

int TextView::WrapWidth() const {
  RECT client{};
  ::GetClientRect(hwnd_, &client);
  // A view not given its size yet wraps nothing: it is laid out again when it is.
  if (client.right <= 0) return INT_MAX;
  const RECT area = TextArea();
  return std::max(1, static_cast<int>(area.right - area.left));
}

text::WrapOptions TextView::CurrentWrap() const {
  return {.width = WrapWidth(), .tabWidth = 8 * averageCharWidth_};
}

}  // namespace pravex::win32
