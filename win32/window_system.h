// The Win32 side of the form runtime: creates the windows, runs the message
// loop and the modal loops, keeps the program's windows painting while a
// long operation blocks, and makes popups modal to the whole program.
#pragma once

#include <windows.h>

#include <chrono>
#include <functional>
#include <memory>
#include <vector>

#include "platform/mouse_pointer.h"
#include "platform/window_system.h"
#include "win32/form_resources.h"

namespace pravex::win32 {

class Win32FormWindow;

class Win32WindowSystem final : public IWindowSystem, public IMousePointer {
 public:
  explicit Win32WindowSystem(HINSTANCE instance) : instance_(instance), resources_(instance) {}
  Win32WindowSystem(const Win32WindowSystem&) = delete;
  Win32WindowSystem& operator=(const Win32WindowSystem&) = delete;

  std::unique_ptr<IFormWindow> CreateFormWindow(const FormDef& form, IFormEvents& events) override;
  void RunModal(IFormWindow& window, const std::function<bool()>& isOpen) override;
  // On a thread of its own, waited for in WaitKeepingWindowsPainted.
  void RunOffTheWindowThread(const std::function<void()>& work) override;
  void Quit() override;

  // The application-wide pointer: the hourglass over every window of ours.
  void SetMousePointer(int pointer) override;
  int MousePointer() const { return pointer_; }

  // Runs the program's message loop until Quit; returns the exit code.
  int RunMessageLoop();

  // Waits until `object` is signalled, at most `limit`; returns whether it
  // was. Meanwhile the windows keep painting but take no input: keys and
  // mouse clicks meant for them are dropped (and the form runtime drops the
  // presses and close requests that reach it while the handler runs).
  bool WaitKeepingWindowsPainted(HANDLE object, std::chrono::milliseconds limit);

  // The window a popup (message box, Save dialog) belongs to: the active
  // window of ours, else the one shown last; null when none is visible.
  HWND PopupOwner() const;
  // Any live window of ours, visible or not (the clipboard needs one).
  HWND AnyWindow() const;

  // Disables every window of ours but `except` while it lives, so that a
  // popup is modal to the whole program.
  class DisabledWindows {
   public:
    DisabledWindows(Win32WindowSystem& system, HWND except);
    DisabledWindows(const DisabledWindows&) = delete;
    DisabledWindows& operator=(const DisabledWindows&) = delete;
    ~DisabledWindows() { Restore(); }
    void Restore();

   private:
    std::vector<HWND> disabled_;
  };

  HINSTANCE Instance() const { return instance_; }
  FormResources& Resources() { return resources_; }
  void Register(Win32FormWindow* window);
  // Called as a window is about to be destroyed: a modal window gives the
  // others back their input first, so that activation returns to them.
  void Unregister(Win32FormWindow* window);
  Win32FormWindow* Find(HWND root) const;

 private:
  struct ModalFrame {
    Win32FormWindow* window;
    DisabledWindows* disabled;
  };

  void Dispatch(MSG& msg);

  HINSTANCE instance_;
  FormResources resources_;
  std::vector<Win32FormWindow*> windows_;  // in the order they were shown
  std::vector<ModalFrame> modal_;
  int pointer_ = pointer::kDefault;
};

}  // namespace pravex::win32
