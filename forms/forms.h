// The form runtime: shows, loads and unloads the program's windows with the
// host's rules, runs every handler behind one error boundary, and ends the
// program when its last window has been unloaded.
#pragma once

#include <functional>
#include <memory>
#include <string_view>
#include <vector>

namespace pravex {

class Form;
class Module1;
class IFormWindow;
class IWindowSystem;

enum class ShowMode { kModeless, kModal };

class Forms {
 public:
  Forms(Module1& module, IWindowSystem& windows) : module_(module), windows_(windows) {}
  Forms(const Forms&) = delete;
  Forms& operator=(const Forms&) = delete;
  ~Forms();

  Module1& module() { return module_; }

  // Loads the form when it is not loaded (its Form_Load runs, then its first
  // Form_Resize) and shows it; a loaded form is brought to the front. A modal
  // show returns when the form has been unloaded.
  void Show(Form& form, ShowMode mode = ShowMode::kModeless);

  // Runs Form_Unload and destroys the window; unloaded from inside one of
  // its own handlers, the window goes once the outermost of them has
  // returned. The program ends when no window is left.
  void Unload(Form& form);

  bool AnyLoaded() const { return !loaded_.empty(); }

  // Whether the user's presses and close requests reach `form` now. While a
  // handler runs (the status tool, the upload, any message box it shows)
  // they reach no form but a modal one that the handler waits on; what
  // arrives meanwhile is dropped, so one press never runs inside another.
  bool TakesInput(const Form& form) const {
    return inputOwners_.empty() || inputOwners_.back() == &form;
  }

  // Runs one handler of `form`. An error that the handler does not trap
  // itself is reported in the program's usual style (a trace line and a
  // message box) and never travels further. While it runs, the form's
  // window stays, also when the handler unloads the form.
  void RunHandler(Form& form, std::wstring_view handler, const std::function<void()>& body);

  // The user pressed the control or chose the menu item of that name, whose
  // handler is `handler`.
  void Click(Form& form, std::wstring_view name, void (*handler)(Form& form));
  void Resize(Form& form);
  void CloseRequest(Form& form);
  // The session ends and the process with it: the form unloads, also under
  // a running handler, so that its Form_Unload leaves nothing behind.
  void SessionEnd(Form& form);

 private:
  void Load(Form& form);
  // Destroys the windows of `form` unloaded while its handlers ran.
  void DestroyUnloadedWindows(const Form& form);

  // Who takes input: the innermost running handler (null: nobody) or the
  // modal form it waits on.
  class InputOwner;
  // Counts a handler of a form as running.
  class Running;

  struct UnloadedWindow {
    const Form* form;
    std::unique_ptr<IFormWindow> window;
  };

  Module1& module_;
  IWindowSystem& windows_;
  std::vector<Form*> loaded_;
  std::vector<UnloadedWindow> unloadedWindows_;
  std::vector<const Form*> inputOwners_;
};

}  // namespace pravex
