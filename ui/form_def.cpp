#include "ui/form_def.h"

#include <algorithm>

namespace pravex {

int ControlIndex(const FormDef& form, std::wstring_view name) {
  for (std::size_t i = 0; i < form.controls.size(); ++i) {
    if (form.controls[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

int ControlId(const FormDef& form, std::wstring_view name) {
  const int index = ControlIndex(form, name);
  return index < 0 ? -1 : kFirstControlId + index;
}

int MenuItemIndex(const FormDef& form, std::wstring_view name) {
  int index = 0;
  for (const auto& menu : form.menus) {
    for (const auto& item : menu.items) {
      if (item.name == name) return index;
      ++index;
    }
  }
  return -1;
}

int MenuItemId(const FormDef& form, std::wstring_view name) {
  const int index = MenuItemIndex(form, name);
  return index < 0 ? -1 : kFirstMenuItemId + index;
}

const MenuItemDef* MenuItemAt(const FormDef& form, int index) {
  if (index < 0) return nullptr;
  for (const auto& menu : form.menus) {
    if (index < static_cast<int>(menu.items.size())) return &menu.items[index];
    index -= static_cast<int>(menu.items.size());
  }
  return nullptr;
}

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
