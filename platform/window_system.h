// The windows of the form runtime. The core declares a window as a FormDef
// and drives it through IFormWindow; the window reports user actions back
// through IFormEvents. Controls are addressed by their index in the table.
#pragma once

#include <functional>
#include <memory>
#include <string>
#include <string_view>

#include "ui/form_def.h"

namespace pravex {

class IFormEvents {
 public:
  virtual ~IFormEvents() = default;
  virtual void OnClick(int control) = 0;
  virtual void OnMenu(int menuItem) = 0;
  virtual void OnResize() = 0;
  // The user asked to close the window (close box, system menu, Alt+F4).
  virtual void OnCloseRequest() = 0;
  // The user logs off or the system shuts down: the process is ended once
  // this returns, whatever runs at the time.
  virtual void OnSessionEnd() = 0;
};

class IFormWindow {
 public:
  // Destroying the object destroys the window.
  virtual ~IFormWindow() = default;

  // Makes the window visible the first time; afterwards brings it to the front.
  virtual void Show() = 0;

  virtual std::wstring Caption() const = 0;
  virtual void SetCaption(std::wstring_view caption) = 0;

  // A text box's text, or a label's or button's caption.
  virtual std::wstring Text(int control) const = 0;
  // The window takes the text over; a large report is moved, not copied.
  virtual void SetText(int control, std::wstring text) = 0;

  // Whether an option button is selected.
  virtual bool Value(int control) const = 0;
  virtual void SetValue(int control, bool selected) = 0;

  virtual TwipsRect ControlRect(int control) const = 0;
  virtual void MoveControl(int control, const TwipsRect& rect) = 0;

  // The whole window, border and caption bar included.
  virtual TwipsSize OuterSize() const = 0;
};

class IWindowSystem {
 public:
  virtual ~IWindowSystem() = default;

  // Creates the window and its controls, hidden. Throws HostError.
  virtual std::unique_ptr<IFormWindow> CreateFormWindow(const FormDef& form,
                                                        IFormEvents& events) = 0;

  // Keeps the user's input to `window` alone (every other window of the
  // program is disabled) and processes messages until `isOpen` turns false.
  virtual void RunModal(IFormWindow& window, const std::function<bool()>& isOpen) = 0;

  // Runs `work` away from the window thread and returns once it has ended,
  // throwing what it threw. Meanwhile the windows keep painting and
  // answering, as while the status tool runs: the user's keys and clicks
  // are dropped, and so are the presses and close requests that reach the
  // form runtime while a handler runs. `work` touches nothing of the windows.
  virtual void RunOffTheWindowThread(const std::function<void()>& work) = 0;

  // Ends the program's message loop: its last window has been unloaded.
  virtual void Quit() = 0;
};

}  // namespace pravex
