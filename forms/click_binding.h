// Which handler runs when the user presses a command button or chooses a menu
// item. Each form lists its own next to its handlers, one row per control or
// item:
//   constexpr ClickBinding kClicks[] = {
//       On<&ContactInfoForm::OKButton_Click>(kOKButton), ...};
// and hands the list to Form. The runtime reports a handler's errors under
// the name of its control or item followed by "_Click".
#pragma once

#include "ui/form_def.h"

namespace pravex {

class Form;

struct ClickBinding {
  enum class Source { kControl, kMenuItem };

  Source source;
  int index;  // in the control table, or among the menu items in table order
  void (*handler)(Form& form);
};

namespace click_binding_detail {

template <class Member>
struct FormOf;
template <class F>
struct FormOf<void (F::*)()> {
  using type = F;
};

// The binding belongs to the form whose member the handler is, so the form
// it runs on is one.
template <auto member>
void Run(Form& form) {
  using F = typename FormOf<decltype(member)>::type;
  (static_cast<F&>(form).*member)();
}

}  // namespace click_binding_detail

template <auto member>
constexpr ClickBinding On(ControlRef control) {
  return {ClickBinding::Source::kControl, control.index, &click_binding_detail::Run<member>};
}

template <auto member>
constexpr ClickBinding On(MenuItemRef item) {
  return {ClickBinding::Source::kMenuItem, item.index, &click_binding_detail::Run<member>};
}

}  // namespace pravex
