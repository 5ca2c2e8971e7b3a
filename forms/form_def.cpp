#include "forms/form_def.h"

#include <algorithm>
#include <numeric>

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
  std::vector<int> order(form.controls.size());
  std::iota(order.begin(), order.end(), 0);
  std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
    return form.controls[a].tabIndex < form.controls[b].tabIndex;
  });
  return order;
}

const FontSpec& EffectiveFont(const FormDef& form, const ControlDef& control) {
  return control.font ? *control.font : form.font;
}

}  // namespace pravex
