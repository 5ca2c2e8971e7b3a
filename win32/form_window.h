// One real window built from a FormDef: its controls, fonts and menus,
// measured in twips and laid out in pixels at the window's own DPI.
#pragma once

#include <windows.h>

#include <vector>

#include "platform/window_system.h"
#include "win32/handles.h"

namespace pravex::win32 {

class Win32WindowSystem;

class Win32FormWindow final : public IFormWindow {
 public:
  Win32FormWindow(Win32WindowSystem& system, const FormDef& def, IFormEvents& events);
  ~Win32FormWindow() override;
  Win32FormWindow(const Win32FormWindow&) = delete;
  Win32FormWindow& operator=(const Win32FormWindow&) = delete;

  void Show() override;
  std::wstring Caption() const override;
  void SetCaption(std::wstring_view caption) override;
  std::wstring Text(int control) const override;
  void SetText(int control, std::wstring text) override;
  bool Value(int control) const override;
  void SetValue(int control, bool selected) override;
  TwipsRect ControlRect(int control) const override;
  void MoveControl(int control, const TwipsRect& rect) override;
  TwipsSize OuterSize() const override;

  HWND Handle() const { return hwnd_; }
  const FormDef& Def() const { return def_; }
  // Whether Esc presses one of its buttons.
  bool HasCancelButton() const { return cancelControl_ >= 0; }

 private:
  static LRESULT CALLBACK WindowProc(HWND hwnd, UINT message, WPARAM wParam, LPARAM lParam);
  LRESULT OnMessage(UINT message, WPARAM wParam, LPARAM lParam);

  HMENU BuildMenu() const;
  void CreateControls();
  void ApplyLayout();
  // The icons of the window's DPI, where it differs from the system's.
  void ApplyIcons();
  void FocusFirstControl();
  void KeepOptionTabStops();
  // The table index of the push button that has the focus, or -1.
  int FocusedPushButton() const;
  HWND ControlHandle(int control) const;

  Win32WindowSystem& system_;
  const FormDef& def_;
  IFormEvents& events_;
  HWND hwnd_ = nullptr;
  UINT dpi_ = USER_DEFAULT_SCREEN_DPI;
  std::vector<HWND> controls_;    // by table index; owned by the window
  std::vector<TwipsRect> rects_;  // by table index
  bool iconsSet_ = false;         // the window has icons of its own, not the class's
  int cancelControl_ = -1;
  HWND savedFocus_ = nullptr;
  bool ready_ = false;  // events flow only once the window is complete
};

}  // namespace pravex::win32
