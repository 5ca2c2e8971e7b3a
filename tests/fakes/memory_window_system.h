// The form runtime's windows kept in memory: tests load forms, press their
// buttons, resize them and read what they show, without a display.
#pragma once

#include <functional>
#include <map>
#include <string>
#include <vector>

#include "platform/window_system.h"

namespace pravex::testing {

using EventLog = std::vector<std::wstring>;

class MemoryWindowSystem;

class MemoryWindow : public IFormWindow {
 public:
  MemoryWindow(MemoryWindowSystem& system, const FormDef& def, IFormEvents& events);
  ~MemoryWindow() override;

  void Show() override;
  std::wstring Caption() const override { return caption_; }
  void SetCaption(std::wstring_view caption) override { caption_ = caption; }
  std::wstring Text(int control) const override { return texts_.at(control); }
  void SetText(int control, std::wstring text) override;
  bool Value(int control) const override { return values_.at(control); }
  void SetValue(int control, bool selected) override;
  TwipsRect ControlRect(int control) const override { return rects_.at(control); }
  void MoveControl(int control, const TwipsRect& rect) override;
  TwipsSize OuterSize() const override { return outer_; }

  // What a user does.
  void Click(std::wstring_view control);
  void ChooseMenu(std::wstring_view item);
  void Type(std::wstring_view control, std::wstring_view text);
  void ResizeTo(TwipsSize outer);
  void Close();
  void EndSession();

  const FormDef& Def() const { return def_; }
  bool Visible() const { return visible_; }
  int ShowCount() const { return showCount_; }

 private:
  int Index(std::wstring_view control) const;
  const ControlDef& Row(int control) const;

  MemoryWindowSystem& system_;
  const FormDef& def_;
  IFormEvents& events_;
  std::wstring caption_;
  std::vector<std::wstring> texts_;
  std::vector<bool> values_;
  std::vector<TwipsRect> rects_;
  TwipsSize outer_;
  bool visible_ = false;
  int showCount_ = 0;
};

class MemoryWindowSystem : public IWindowSystem {
 public:
  // Border and caption bar of a sizable window at 96 dpi, in twips.
  static constexpr int kFrameWidth = 240;
  static constexpr int kFrameHeight = 690;
  static constexpr int kMenuHeight = 300;

  explicit MemoryWindowSystem(EventLog& log) : log_(log) {}

  std::unique_ptr<IFormWindow> CreateFormWindow(const FormDef& form, IFormEvents& events) override;
  void RunModal(IFormWindow& window, const std::function<bool()>& isOpen) override;
  // Logs "wait", lets the user act (onWait), then runs `work`.
  void RunOffTheWindowThread(const std::function<void()>& work) override;
  void Quit() override;

  // The loaded window of that name, or null.
  MemoryWindow* Find(std::wstring_view form) const;
  MemoryWindow& Get(std::wstring_view form) const;

  // What the user does while a modal window is up; it must close the window.
  std::function<void(MemoryWindow&)> onModal;
  // What the user does while the window thread waits for work off it.
  std::function<void()> onWait;
  bool quit = false;
  int created = 0;
  // Setting a text box's text runs out of memory, as a huge report might.
  bool failSetText = false;

 private:
  friend class MemoryWindow;
  EventLog& log_;
  std::vector<MemoryWindow*> windows_;
};

}  // namespace pravex::testing
