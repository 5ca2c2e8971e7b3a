#include "forms/form.h"

#include <algorithm>

#include "common/errors.h"
#include "forms/forms.h"

namespace pravex {

TwipsSize FittedTextSize(TwipsSize outer, int widthMargin, int heightMargin) {
  return {std::max(outer.width - widthMargin, 0), std::max(outer.height - heightMargin, 0)};
}

IFormWindow& Form::Window() const {
  if (!window_) Raise(error::kObjectNotSet);
  return *window_;
}

// A NUL, which a report may hold, is shown as a blank, and that is what is
// copied and saved. A single-line text box, whose text would end at it,
// gets the blank in its place.
std::wstring Form::Control::Text() const {
  std::wstring text = form_.Window().Text(index_);
  std::replace(text.begin(), text.end(), L'\0', L' ');
  return text;
}
void Form::Control::SetText(std::wstring text) {
  if (!form_.def_.controls[index_].multiLine) std::replace(text.begin(), text.end(), L'\0', L' ');
  form_.Window().SetText(index_, std::move(text));
}
bool Form::Control::Value() const {
  return form_.Window().Value(index_);
}
void Form::Control::SetValue(bool selected) {
  form_.Window().SetValue(index_, selected);
}
TwipsRect Form::Control::Rect() const {
  return form_.Window().ControlRect(index_);
}
void Form::Control::Move(const TwipsRect& rect) {
  form_.Window().MoveControl(index_, rect);
}

void Form::Control::SetWidth(int width) {
  TwipsRect rect = Rect();
  rect.width = std::max(width, 0);
  Move(rect);
}

void Form::Control::SetHeight(int height) {
  TwipsRect rect = Rect();
  rect.height = std::max(height, 0);
  Move(rect);
}

std::wstring Form::Caption() const {
  return Window().Caption();
}
void Form::SetCaption(std::wstring_view caption) {
  Window().SetCaption(caption);
}
int Form::Width() const {
  return Window().OuterSize().width;
}
int Form::Height() const {
  return Window().OuterSize().height;
}

void Form::OnClick(int control) {
  if (control < 0 || control >= static_cast<int>(def_.controls.size())) return;
  Press(ClickBinding::Source::kControl, control, def_.controls[control].name);
}

void Form::OnMenu(int menuItem) {
  if (const MenuItemDef* item = MenuItemAt(def_, menuItem)) {
    Press(ClickBinding::Source::kMenuItem, menuItem, item->name);
  }
}

// Labels, text boxes and option buttons have no click handler.
void Form::Press(ClickBinding::Source source, int index, std::wstring_view name) {
  const auto bound = std::ranges::find_if(clicks_, [&](const ClickBinding& click) {
    return click.source == source && click.index == index;
  });
  if (bound != clicks_.end()) forms_.Click(*this, name, bound->handler);
}

void Form::OnResize() {
  forms_.Resize(*this);
}
void Form::OnCloseRequest() {
  forms_.CloseRequest(*this);
}
void Form::OnSessionEnd() {
  forms_.SessionEnd(*this);
}

}  // namespace pravex
