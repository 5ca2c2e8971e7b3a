#include "forms/forms.h"

#include <algorithm>

#include "common/errors.h"
#include "common/module1.h"
#include "forms/form.h"
#include "platform/window_system.h"

namespace pravex {

class Forms::InputOwner {
 public:
  InputOwner(Forms& forms, const Form* owner) : owners_(forms.inputOwners_) {
    owners_.push_back(owner);
  }
  InputOwner(const InputOwner&) = delete;
  InputOwner& operator=(const InputOwner&) = delete;
  ~InputOwner() { owners_.pop_back(); }

 private:
  std::vector<const Form*>& owners_;
};

class Forms::Running {
 public:
  explicit Running(Form& form) : form_(form) { ++form_.handlersRunning_; }
  Running(const Running&) = delete;
  Running& operator=(const Running&) = delete;
  ~Running() { --form_.handlersRunning_; }

 private:
  Form& form_;
};

Forms::~Forms() = default;

void Forms::RunHandler(Form& form, std::wstring_view handler, const std::function<void()>& body) {
  {
    const InputOwner nobody(*this, nullptr);
    const Running running(form);
    try {
      body();
    } catch (...) {
      const ErrorInfo error = CurrentErrorInfo();
      try {
        module_.ReportTrappedError(std::wstring(form.Name()) + L"." + std::wstring(handler), error);
      } catch (...) {
        // The report itself failed; the program still goes on.
      }
    }
  }
  if (form.handlersRunning_ == 0) DestroyUnloadedWindows(form);
}

void Forms::Load(Form& form) {
  form.window_ = windows_.CreateFormWindow(form.Def(), form);
  loaded_.push_back(&form);
  form.loading_ = true;
  RunHandler(form, L"Form_Load", [&] { form.Form_Load(); });
  form.loading_ = false;
}

void Forms::Show(Form& form, ShowMode mode) {
  if (!form.IsLoaded()) {
    RunHandler(form, L"Form_Load", [&] { Load(form); });
    if (!form.IsLoaded()) return;  // it unloaded itself, or could not be created
    Resize(form);
  }
  if (!form.IsLoaded()) return;
  form.window_->Show();
  if (mode == ShowMode::kModal) {
    const InputOwner modal(*this, &form);
    windows_.RunModal(*form.window_, [&form] { return form.IsLoaded(); });
  }
}

void Forms::Unload(Form& form) {
  if (!form.IsLoaded() || form.unloading_) return;
  form.unloading_ = true;
  RunHandler(form, L"Form_Unload", [&] { form.Form_Unload(); });
  form.unloading_ = false;
  // The form is unloaded from here on. Its window, and with it what the user
  // typed, goes once no handler of the form runs: none of their later lines
  // meets a destroyed window.
  unloadedWindows_.push_back({&form, std::move(form.window_)});
  std::erase(loaded_, &form);
  if (form.handlersRunning_ == 0) DestroyUnloadedWindows(form);
}

void Forms::DestroyUnloadedWindows(const Form& form) {
  // Taken off the list before they go: a window being destroyed may still
  // hear from the system.
  std::vector<std::unique_ptr<IFormWindow>> going;
  for (UnloadedWindow& unloaded : unloadedWindows_) {
    if (unloaded.form == &form) going.push_back(std::move(unloaded.window));
  }
  if (going.empty()) return;
  std::erase_if(unloadedWindows_, [](const UnloadedWindow& unloaded) { return !unloaded.window; });
  going.clear();
  if (loaded_.empty() && unloadedWindows_.empty()) windows_.Quit();
}

void Forms::Click(Form& form, std::wstring_view name, void (*handler)(Form& form)) {
  if (!form.IsLoaded() || !TakesInput(form)) return;
  // A click handler is named after its control or menu item.
  RunHandler(form, std::wstring(name) + L"_Click", [&] { handler(form); });
}

void Forms::Resize(Form& form) {
  if (!form.IsLoaded() || form.loading_) return;
  RunHandler(form, L"Form_Resize", [&] { form.Form_Resize(); });
}

void Forms::CloseRequest(Form& form) {
  if (TakesInput(form)) Unload(form);
}

void Forms::SessionEnd(Form& form) {
  Unload(form);
}

}  // namespace pravex
