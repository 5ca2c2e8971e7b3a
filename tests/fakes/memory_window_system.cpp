#include "tests/fakes/memory_window_system.h"

#include <algorithm>
#include <stdexcept>

#include "common/errors.h"

namespace pravex::testing {

MemoryWindow::MemoryWindow(MemoryWindowSystem& system, const FormDef& def, IFormEvents& events)
    : system_(system), def_(def), events_(events), caption_(def.caption) {
  for (const auto& control : def.controls) {
    texts_.emplace_back(control.caption);
    values_.push_back(false);
    rects_.push_back(control.rect);
  }
  const int menu = def.menus.empty() ? 0 : MemoryWindowSystem::kMenuHeight;
  outer_ = {def.client.width + MemoryWindowSystem::kFrameWidth,
            def.client.height + MemoryWindowSystem::kFrameHeight + menu};
  system_.windows_.push_back(this);
  system_.log_.push_back(L"created: " + std::wstring(def.name));
}

MemoryWindow::~MemoryWindow() {
  std::erase(system_.windows_, this);
  system_.log_.push_back(L"destroyed: " + std::wstring(def_.name));
}

void MemoryWindow::Show() {
  if (!visible_)
    system_.log_.push_back(L"shown: " + std::wstring(def_.name));
  else
    system_.log_.push_back(L"front: " + std::wstring(def_.name));
  visible_ = true;
  ++showCount_;
}

void MemoryWindow::SetText(int control, std::wstring text) {
  if (system_.failSetText && Row(control).kind == ControlKind::kTextBox) {
    throw HostError(error::kOutOfMemory);
  }
  texts_.at(control) = std::move(text);
}

void MemoryWindow::SetValue(int control, bool selected) {
  values_.at(control) = selected;
  // Option buttons of one window form one group.
  if (selected && Row(control).kind == ControlKind::kOptionButton) {
    for (std::size_t i = 0; i < values_.size(); ++i) {
      if (static_cast<int>(i) != control && def_.controls[i].kind == ControlKind::kOptionButton) {
        values_[i] = false;
      }
    }
  }
}

void MemoryWindow::MoveControl(int control, const TwipsRect& rect) {
  if (rect.width < 0 || rect.height < 0) throw std::logic_error("negative control size");
  rects_.at(control) = rect;
}

const ControlDef& MemoryWindow::Row(int control) const {
  if (control < 0 || control >= static_cast<int>(def_.controls.size())) {
    throw std::out_of_range("no control at that index");
  }
  return def_.controls[control];
}

int MemoryWindow::Index(std::wstring_view control) const {
  const int index = ControlIndex(def_, control);
  if (index < 0) throw std::logic_error("no such control");
  return index;
}

void MemoryWindow::Click(std::wstring_view control) {
  const int index = Index(control);
  if (def_.controls[index].kind == ControlKind::kOptionButton) SetValue(index, true);
  events_.OnClick(index);
}

void MemoryWindow::ChooseMenu(std::wstring_view item) {
  const int index = MenuItemIndex(def_, item);
  if (index < 0) throw std::logic_error("no such menu item");
  events_.OnMenu(index);
}

void MemoryWindow::Type(std::wstring_view control, std::wstring_view text) {
  SetText(Index(control), std::wstring(text));
}

void MemoryWindow::ResizeTo(TwipsSize outer) {
  outer_ = outer;
  events_.OnResize();
}

void MemoryWindow::Close() {
  events_.OnCloseRequest();
}

void MemoryWindow::EndSession() {
  events_.OnSessionEnd();
}

std::unique_ptr<IFormWindow> MemoryWindowSystem::CreateFormWindow(const FormDef& form,
                                                                  IFormEvents& events) {
  ++created;
  return std::make_unique<MemoryWindow>(*this, form, events);
}

void MemoryWindowSystem::RunModal(IFormWindow& window, const std::function<bool()>& isOpen) {
  log_.push_back(L"modal: " + std::wstring(static_cast<MemoryWindow&>(window).Def().name));
  if (!onModal) throw std::logic_error("a modal window opened but the test has no onModal");
  onModal(static_cast<MemoryWindow&>(window));
  if (isOpen()) throw std::logic_error("the modal window is still open");
}

void MemoryWindowSystem::RunOffTheWindowThread(const std::function<void()>& work) {
  log_.push_back(L"wait");
  if (onWait) onWait();
  work();
}

void MemoryWindowSystem::Quit() {
  quit = true;
  log_.push_back(L"quit");
}

MemoryWindow* MemoryWindowSystem::Find(std::wstring_view form) const {
  for (MemoryWindow* window : windows_) {
    if (window->Def().name == form) return window;
  }
  return nullptr;
}

MemoryWindow& MemoryWindowSystem::Get(std::wstring_view form) const {
  MemoryWindow* window = Find(form);
  if (!window) throw std::logic_error("that form is not loaded");
  return *window;
}

}  // namespace pravex::testing
