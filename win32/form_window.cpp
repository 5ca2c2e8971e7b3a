#include "win32/form_window.h"

#include <commctrl.h>

#include <algorithm>
#include <set>
#include <stdexcept>
#include <string>

#include "common/errors.h"
#include "win32/dpi.h"
#include "win32/text_view/text_view.h"
#include "win32/window_system.h"

namespace pravex::win32 {

namespace {

// Each form has a window class of its own, "Pravex" followed by the form's
// name, so that its windows can be told apart from outside.
std::wstring ClassName(const FormDef& def) {
  return L"Pravex" + std::wstring(def.name);
}

void RegisterFormClass(Win32WindowSystem& system, const std::wstring& name, WNDPROC proc) {
  static std::set<std::wstring> registered;
  if (registered.contains(name)) return;
  WNDCLASSEXW wc{};
  wc.cbSize = sizeof(wc);
  wc.style = CS_HREDRAW | CS_VREDRAW;
  wc.lpfnWndProc = proc;
  wc.hInstance = system.Instance();
  // The sizes for the system's DPI; a window on a screen of another DPI
  // sets its own (ApplyIcons).
  wc.hIcon = system.Resources().Icon(SM_CXICON, SystemDpi());
  wc.hIconSm = system.Resources().Icon(SM_CXSMICON, SystemDpi());
  wc.hCursor = ::LoadCursorW(nullptr, IDC_ARROW);
  wc.hbrBackground = reinterpret_cast<HBRUSH>(COLOR_BTNFACE + 1);
  wc.lpszClassName = name.c_str();
  if (!::RegisterClassExW(&wc)) Raise(error::kOutOfMemory);
  registered.insert(name);
}

DWORD FormStyle(const FormDef& def) {
  DWORD style = WS_OVERLAPPEDWINDOW | WS_CLIPCHILDREN;
  if (!def.maxButton) style &= ~WS_MAXIMIZEBOX;
  return style;
}

bool IsClickNotification(WPARAM wParam, LPARAM lParam) {
  return lParam != 0 && HIWORD(wParam) == BN_CLICKED;
}

}  // namespace

Win32FormWindow::Win32FormWindow(Win32WindowSystem& system, const FormDef& def, IFormEvents& events)
    : system_(system), def_(def), events_(events), rects_(def.controls.size()) {
  for (std::size_t i = 0; i < def.controls.size(); ++i) {
    rects_[i] = def.controls[i].rect;
    if (def.controls[i].cancel) cancelControl_ = static_cast<int>(i);
  }

  const std::wstring className = ClassName(def);
  RegisterFormClass(system, className, &WindowProc);

  UniqueMenu menu(BuildMenu());
  const DWORD style = FormStyle(def);
  dpi_ = SystemDpi();

  auto outerFor = [&](UINT dpi) {
    const RECT client{0, 0, TwipsToPixels(def.client.width, dpi),
                      TwipsToPixels(def.client.height, dpi)};
    return AdjustWindowRectForDpi(client, style, menu.get() != nullptr, 0, dpi);
  };
  RECT outer = outerFor(dpi_);
  int x = CW_USEDEFAULT;
  int y = CW_USEDEFAULT;
  if (def.startPosition == StartPosition::kManual) {
    x = TwipsToPixels(def.left, dpi_) + outer.left;
    y = TwipsToPixels(def.top, dpi_) + outer.top;
  }

  const HWND created =
      ::CreateWindowExW(0, className.c_str(), std::wstring(def.caption).c_str(), style, x, y,
                        outer.right - outer.left, outer.bottom - outer.top, nullptr, menu.get(),
                        system.Instance(), this);
  if (!created) Raise(error::kOutOfMemory);
  menu.release();  // the window owns its menu now
  UniqueWindow guard(created);

  // Per-monitor DPI: the monitor the window landed on decides its size.
  const UINT actualDpi = DpiForWindow(hwnd_);
  if (actualDpi != dpi_) {
    dpi_ = actualDpi;
    const RECT scaled = outerFor(dpi_);
    ::SetWindowPos(hwnd_, nullptr, 0, 0, scaled.right - scaled.left, scaled.bottom - scaled.top,
                   SWP_NOMOVE | SWP_NOZORDER | SWP_NOACTIVATE);
  }

  CreateControls();
  ApplyLayout();
  ApplyIcons();
  system_.Register(this);
  guard.release();
  ready_ = true;
}

Win32FormWindow::~Win32FormWindow() {
  ready_ = false;
  system_.Unregister(this);
  if (!hwnd_) return;
  // The window goes from the screen now and is taken down once the message
  // being handled is done (DefWindowProc destroys a window on WM_CLOSE): a
  // result window shows without waiting for the main window's destruction.
  // From here on nothing of the window reaches this object.
  ::SetWindowLongPtrW(hwnd_, GWLP_USERDATA, 0);
  ::ShowWindow(hwnd_, SW_HIDE);
  if (!::PostMessageW(hwnd_, WM_CLOSE, 0, 0)) ::DestroyWindow(hwnd_);
}

HMENU Win32FormWindow::BuildMenu() const {
  if (def_.menus.empty()) return nullptr;
  UniqueMenu bar(::CreateMenu());
  if (!bar) Raise(error::kOutOfMemory);
  int id = kFirstMenuItemId;
  for (const MenuDef& menu : def_.menus) {
    UniqueMenu popup(::CreatePopupMenu());
    if (!popup) Raise(error::kOutOfMemory);
    for (const MenuItemDef& item : menu.items) {
      ::AppendMenuW(popup.get(), MF_STRING, static_cast<UINT_PTR>(id++),
                    std::wstring(item.caption).c_str());
    }
    if (!::AppendMenuW(bar.get(), MF_POPUP, reinterpret_cast<UINT_PTR>(popup.get()),
                       std::wstring(menu.caption).c_str())) {
      Raise(error::kOutOfMemory);
    }
    popup.release();  // the bar owns it now
  }
  return bar.release();
}

void Win32FormWindow::CreateControls() {
  controls_.assign(def_.controls.size(), nullptr);
  ControlKind previousKind = ControlKind::kLabel;
  for (int index : CreationOrder(def_)) {
    const ControlDef& control = def_.controls[index];
    const wchar_t* windowClass = WC_STATICW;
    DWORD style = WS_CHILD | WS_VISIBLE;
    DWORD exStyle = 0;
    switch (control.kind) {
      case ControlKind::kLabel:
        style |= SS_LEFT | WS_GROUP;
        break;
      case ControlKind::kOptionButton:
        windowClass = WC_BUTTONW;
        // Option buttons next to each other form one group.
        style |= BS_AUTORADIOBUTTON | WS_TABSTOP;
        if (previousKind != ControlKind::kOptionButton) style |= WS_GROUP;
        break;
      case ControlKind::kCommandButton:
        windowClass = WC_BUTTONW;
        style |= BS_PUSHBUTTON | WS_TABSTOP | WS_GROUP;
        break;
      case ControlKind::kTextBox:
        exStyle |= WS_EX_CLIENTEDGE;
        style |= WS_TABSTOP | WS_GROUP;
        if (control.multiLine) {
          // Several lines with a vertical scroll bar only, so long lines
          // wrap: the program's own view, which opens a report of many
          // megabytes at once where the edit control takes seconds.
          if (!TextView::RegisterWindowClass(system_.Instance())) Raise(error::kOutOfMemory);
          windowClass = kTextViewClassName;
          style |= WS_VSCROLL;
        } else {
          windowClass = WC_EDITW;
          style |= ES_AUTOHSCROLL;
        }
        break;
    }
    previousKind = control.kind;
    const std::wstring caption(control.kind == ControlKind::kTextBox ? L"" : control.caption);
    const HWND child =
        ::CreateWindowExW(exStyle, windowClass, caption.c_str(), style, 0, 0, 0, 0, hwnd_,
                          reinterpret_cast<HMENU>(static_cast<INT_PTR>(kFirstControlId + index)),
                          system_.Instance(), nullptr);
    if (!child) Raise(error::kOutOfMemory);
    controls_[index] = child;
    if (control.kind == ControlKind::kTextBox) {
      ::SendMessageW(child, EM_SETLIMITTEXT, 0, 0);  // no limit beyond the system's own
      if (!control.caption.empty()) ::SetWindowTextW(child, caption.c_str());
    }
  }
}

void Win32FormWindow::ApplyLayout() {
  FormResources& resources = system_.Resources();
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    const TwipsRect& r = rects_[i];
    ::MoveWindow(controls_[i], TwipsToPixels(r.left, dpi_), TwipsToPixels(r.top, dpi_),
                 TwipsToPixels(r.width, dpi_), TwipsToPixels(r.height, dpi_), TRUE);
    const HFONT font = resources.Font(EffectiveFont(def_, def_.controls[i]), dpi_);
    ::SendMessageW(controls_[i], WM_SETFONT, reinterpret_cast<WPARAM>(font), TRUE);
  }
}

void Win32FormWindow::ApplyIcons() {
  // The class's icons are made for the system's DPI.
  if (dpi_ == SystemDpi() && !iconsSet_) return;
  FormResources& resources = system_.Resources();
  const HICON small = resources.Icon(SM_CXSMICON, dpi_);
  const HICON big = resources.Icon(SM_CXICON, dpi_);
  if (small) ::SendMessageW(hwnd_, WM_SETICON, ICON_SMALL, reinterpret_cast<LPARAM>(small));
  if (big) ::SendMessageW(hwnd_, WM_SETICON, ICON_BIG, reinterpret_cast<LPARAM>(big));
  iconsSet_ = true;
}

void Win32FormWindow::FocusFirstControl() {
  for (int index : CreationOrder(def_)) {
    if (def_.controls[index].tabIndex != kNoTabStop && ::IsWindowEnabled(controls_[index])) {
      ::SetFocus(controls_[index]);
      return;
    }
  }
}

HWND Win32FormWindow::ControlHandle(int control) const {
  if (control < 0 || control >= static_cast<int>(controls_.size())) Raise(error::kObjectNotSet);
  return controls_[control];
}

void Win32FormWindow::Show() {
  if (!::IsWindowVisible(hwnd_)) {
    // The focus is shown from the start, not only once a key was pressed:
    // a keyboard user sees at once where it is.
    ::SendMessageW(hwnd_, WM_CHANGEUISTATE, MAKEWPARAM(UIS_CLEAR, UISF_HIDEFOCUS), 0);
    ::ShowWindow(hwnd_, SW_SHOWNORMAL);
    ::UpdateWindow(hwnd_);
    FocusFirstControl();
    return;
  }
  if (::IsIconic(hwnd_)) ::ShowWindow(hwnd_, SW_RESTORE);
  ::SetForegroundWindow(hwnd_);
  ::BringWindowToTop(hwnd_);
}

namespace {

std::wstring WindowText(HWND hwnd) {
  const int length = ::GetWindowTextLengthW(hwnd);
  std::wstring text(static_cast<std::size_t>(length > 0 ? length : 0) + 1, L'\0');
  const int copied = ::GetWindowTextW(hwnd, text.data(), static_cast<int>(text.size()));
  text.resize(static_cast<std::size_t>(copied > 0 ? copied : 0));
  return text;
}

}  // namespace

std::wstring Win32FormWindow::Caption() const {
  return WindowText(hwnd_);
}

void Win32FormWindow::SetCaption(std::wstring_view caption) {
  ::SetWindowTextW(hwnd_, std::wstring(caption).c_str());
}

std::wstring Win32FormWindow::Text(int control) const {
  const HWND child = ControlHandle(control);
  if (const TextView* view = TextView::FromHandle(child)) return view->Text();
  return WindowText(child);
}

void Win32FormWindow::SetText(int control, std::wstring text) {
  const HWND child = ControlHandle(control);
  if (TextView* view = TextView::FromHandle(child)) {
    // Moved in: a large report stays one copy.
    try {
      view->SetText(std::move(text));
    } catch (const std::length_error&) {
      Raise(error::kOutOfMemory);
    }
    return;
  }
  if (!::SetWindowTextW(child, text.c_str())) Raise(error::kOutOfMemory);
}

bool Win32FormWindow::Value(int control) const {
  return ::SendMessageW(ControlHandle(control), BM_GETCHECK, 0, 0) == BST_CHECKED;
}

void Win32FormWindow::SetValue(int control, bool selected) {
  ::SendMessageW(ControlHandle(control), BM_SETCHECK, selected ? BST_CHECKED : BST_UNCHECKED, 0);
  KeepOptionTabStops();
}

void Win32FormWindow::KeepOptionTabStops() {
  // An option button that is unchecked gives up its tab stop, by the
  // system's rule for option groups; here every option stays reachable by
  // Tab, chosen or not.
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (def_.controls[i].kind != ControlKind::kOptionButton) continue;
    const LONG_PTR style = ::GetWindowLongPtrW(controls_[i], GWL_STYLE);
    if (!(style & WS_TABSTOP)) ::SetWindowLongPtrW(controls_[i], GWL_STYLE, style | WS_TABSTOP);
  }
}

int Win32FormWindow::FocusedPushButton() const {
  const HWND focus = ::GetFocus();
  for (std::size_t i = 0; i < controls_.size(); ++i) {
    if (controls_[i] == focus && def_.controls[i].kind == ControlKind::kCommandButton) {
      return static_cast<int>(i);
    }
  }
  return -1;
}

TwipsRect Win32FormWindow::ControlRect(int control) const {
  ControlHandle(control);
  return rects_[control];
}

void Win32FormWindow::MoveControl(int control, const TwipsRect& rect) {
  const HWND child = ControlHandle(control);
  rects_[control] = rect;
  ::MoveWindow(child, TwipsToPixels(rect.left, dpi_), TwipsToPixels(rect.top, dpi_),
               TwipsToPixels(rect.width, dpi_), TwipsToPixels(rect.height, dpi_), TRUE);
}

TwipsSize Win32FormWindow::OuterSize() const {
  RECT r{};
  ::GetWindowRect(hwnd_, &r);
  return {PixelsToTwips(r.right - r.left, dpi_), PixelsToTwips(r.bottom - r.top, dpi_)};
}

LRESULT CALLBACK Win32FormWindow::WindowProc(HWND hwnd, UINT message, WPARAM wParam,
                                             LPARAM lParam) {
  Win32FormWindow* self = nullptr;
  if (message == WM_NCCREATE) {
    self = static_cast<Win32FormWindow*>(reinterpret_cast<CREATESTRUCTW*>(lParam)->lpCreateParams);
    self->hwnd_ = hwnd;
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, reinterpret_cast<LONG_PTR>(self));
  } else {
    self = reinterpret_cast<Win32FormWindow*>(::GetWindowLongPtrW(hwnd, GWLP_USERDATA));
  }
  if (message == WM_NCDESTROY) {
    ::SetWindowLongPtrW(hwnd, GWLP_USERDATA, 0);
    if (self) self->hwnd_ = nullptr;
    self = nullptr;
  }
  if (!self) return ::DefWindowProcW(hwnd, message, wParam, lParam);
  // No exception may cross into the system: the handlers' own errors are
  // reported by the form runtime, so anything arriving here is the window's.
  try {
    return self->OnMessage(message, wParam, lParam);
  } catch (...) {
    const std::wstring text = L"Error in the window: " + ErrorText(CurrentErrorInfo());
    ::MessageBoxW(hwnd, text.c_str(), L"Pravex", MB_OK | MB_APPLMODAL);
    return 0;
  }
}

// After calling into the events, a handler must not touch the object: the
// event may have unloaded the form, and the runtime destroys this very
// window once the form's handler has returned, before the event returns.
LRESULT Win32FormWindow::OnMessage(UINT message, WPARAM wParam, LPARAM lParam) {
  switch (message) {
    case WM_COMMAND: {
      if (!ready_) break;
      const int id = LOWORD(wParam);
      if (IsClickNotification(wParam, lParam) && id >= kFirstControlId &&
          id < kFirstControlId + static_cast<int>(controls_.size())) {
        const int control = id - kFirstControlId;
        // A click on an option has just taken its neighbours' tab stops.
        if (def_.controls[control].kind == ControlKind::kOptionButton) KeepOptionTabStops();
        events_.OnClick(control);
        return 0;
      }
      if (lParam == 0 && HIWORD(wParam) == 0 && id >= kFirstMenuItemId) {
        events_.OnMenu(id - kFirstMenuItemId);
        return 0;
      }
      if (id == IDCANCEL && cancelControl_ >= 0) {
        // Esc presses the cancel button as if it were clicked.
        ::SendMessageW(controls_[cancelControl_], BM_CLICK, 0, 0);
        return 0;
      }
      if (id == IDOK) {
        // Enter: the dialog keys of a window that is no dialog ask for IDOK.
        // It presses the focused push button; the windows have no default
        // button, so Enter anywhere else presses nothing.
        if (const int button = FocusedPushButton(); button >= 0) {
          ::SendMessageW(controls_[button], BM_CLICK, 0, 0);
        }
        return 0;
      }
      return 0;
    }
    case WM_SIZE:
      if (ready_) events_.OnResize();
      return 0;
    case WM_CLOSE:
      // The form runtime decides: a window cannot close while a handler runs.
      if (ready_) events_.OnCloseRequest();
      return 0;
    case WM_QUERYENDSESSION:
      // Nothing here is worth keeping the user from logging off.
      return TRUE;
    case WM_ENDSESSION:
      // The system ends the process once this returns, without a WM_CLOSE:
      // the form unloads now, so that a result window deletes its report.
      if (wParam && ready_) events_.OnSessionEnd();
      return 0;
    case WM_SETCURSOR:
      if (system_.MousePointer() == pointer::kHourglass) {
        ::SetCursor(::LoadCursorW(nullptr, IDC_WAIT));
        return TRUE;
      }
      break;
    case WM_ACTIVATE:
      if (LOWORD(wParam) == WA_INACTIVE) {
        const HWND focus = ::GetFocus();
        if (focus && ::IsChild(hwnd_, focus)) savedFocus_ = focus;
      } else if (!HIWORD(wParam)) {
        if (savedFocus_ && ::IsWindow(savedFocus_) && ::IsChild(hwnd_, savedFocus_)) {
          ::SetFocus(savedFocus_);
        } else {
          FocusFirstControl();
        }
        return 0;
      }
      break;
    case WM_DPICHANGED: {
      dpi_ = HIWORD(wParam);
      const RECT* suggested = reinterpret_cast<const RECT*>(lParam);
      ::SetWindowPos(hwnd_, nullptr, suggested->left, suggested->top,
                     suggested->right - suggested->left, suggested->bottom - suggested->top,
                     SWP_NOZORDER | SWP_NOACTIVATE);
      ApplyLayout();
      ApplyIcons();
      return 0;
    }
    default:
      break;
  }
  return ::DefWindowProcW(hwnd_, message, wParam, lParam);
}

}  // namespace pravex::win32
