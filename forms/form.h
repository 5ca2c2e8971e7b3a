// A window of the program: its declaration, its handlers and, while it is
// loaded, its live window. Each form exists once for the whole run (its
// default instance); loading creates the window, unloading destroys it and
// with it everything the user typed.
#pragma once

#include <memory>
#include <span>
#include <string>
#include <string_view>

#include "forms/click_binding.h"
#include "platform/window_system.h"
#include "ui/form_def.h"

namespace pravex {

class Forms;

// The size of a text area fitted to a window of the given outer size, less
// the margins; never negative. The help and result windows resize their
// text boxes by it.
TwipsSize FittedTextSize(TwipsSize outer, int widthMargin, int heightMargin);

class Form : public IFormEvents {
 public:
  // `clicks` names the handler of each command button and menu item.
  Form(Forms& forms, const FormDef& def, std::span<const ClickBinding> clicks = {})
      : forms_(forms), def_(def), clicks_(clicks) {}
  Form(const Form&) = delete;
  Form& operator=(const Form&) = delete;
  ~Form() override = default;

  const FormDef& Def() const { return def_; }
  std::wstring_view Name() const { return def_.name; }
  bool IsLoaded() const { return window_ != nullptr; }
  std::span<const ClickBinding> Clicks() const { return clicks_; }

  // One control of the loaded window.
  class Control {
   public:
    Control(Form& form, int index) : form_(form), index_(index) {}
    std::wstring Text() const;
    // Takes the text over: a large report is not copied on its way in.
    void SetText(std::wstring text);
    bool Value() const;
    void SetValue(bool selected);
    TwipsRect Rect() const;
    void Move(const TwipsRect& rect);
    void SetWidth(int width);
    void SetHeight(int height);

   private:
    Form& form_;
    int index_;
  };

  Control Ctl(ControlRef control) { return Control(*this, control.index); }

  std::wstring Caption() const;
  void SetCaption(std::wstring_view caption);
  // The whole window's size in twips, border and caption bar included.
  int Width() const;
  int Height() const;

  // The handlers of the window's own events; each form overrides those it
  // has. Clicks go to the handlers its bindings name.
  virtual void Form_Load() {}
  virtual void Form_Resize() {}
  virtual void Form_Unload() {}

 protected:
  Forms& forms() { return forms_; }

 private:
  friend class Forms;

  IFormWindow& Window() const;

  void OnClick(int control) override;
  void OnMenu(int menuItem) override;
  void OnResize() override;
  void OnCloseRequest() override;
  void OnSessionEnd() override;
  void Press(ClickBinding::Source source, int index, std::wstring_view name);

  Forms& forms_;
  const FormDef& def_;
  std::span<const ClickBinding> clicks_;
  std::unique_ptr<IFormWindow> window_;
  bool loading_ = false;
  bool unloading_ = false;
  int handlersRunning_ = 0;
};

}  // namespace pravex
