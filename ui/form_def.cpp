#include "ui/form_def.h"

#include <algorithm>

namespace pravex {

std::vector<int> CreationOrder(const FormDef& form) {
  const int count = static_cast<int>(form.controls.size());
  std::vector<int> focusable;
  for (int i = 0; i < count; ++i) {
    if (form.controls[i].tabIndex != kNoTabStop) focusable.push_back(i);
  }
  std::stable_sort(focusable.begin(), focusable.end(), [&](int a, int b) {
    return form.controls[a].tabIndex < form.controls[b].tabIndex;
  });
  std::vector<int> order;
  order.reserve(form.controls.size());
  for (const int control : focusable) {
    // The labels standing just before the control in the table are its own.
    int first = control;
    while (first > 0 && form.controls[first - 1].tabIndex == kNoTabStop) --first;
    for (int label = first; label < control; ++label) order.push_back(label);
    order.push_back(control);
  }
  // Labels after the last control that takes the focus.
  int trailing = count;
  while (trailing > 0 && form.controls[trailing - 1].tabIndex == kNoTabStop) --trailing;
  for (int label = trailing; label < count; ++label) order.push_back(label);
  return order;
}

const FontSpec& EffectiveFont(const FormDef& form, const ControlDef& control) {
  return control.font ? *control.font : form.font;
}

}  // namespace pravex
