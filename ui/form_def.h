// Windows declared as data: the controls with their names, kinds, captions,
// twips geometry, fonts and tab order, and the menus. The forms declare
// their windows with these tables, known when the program is built; the
// window systems (the real one and the tests' in-memory one) build windows
// from them.
#pragma once

#include <optional>
#include <span>
#include <string_view>
#include <vector>

namespace pravex {

// 1440 twips are one inch.
struct TwipsRect {
  int left = 0;
  int top = 0;
  int width = 0;
  int height = 0;
  friend bool operator==(const TwipsRect&, const TwipsRect&) = default;
};

struct TwipsSize {
  int width = 0;
  int height = 0;
  friend bool operator==(const TwipsSize&, const TwipsSize&) = default;
};

struct FontSpec {
  std::wstring_view face = L"MS Sans Serif";
  int centipoints = 825;  // 8.25 pt
  bool bold = false;
  friend bool operator==(const FontSpec&, const FontSpec&) = default;
};

inline constexpr FontSpec kDefaultFont{};
inline constexpr FontSpec kDefaultBoldFont{L"MS Sans Serif", 825, true};
inline constexpr FontSpec kLargeFont{L"MS Sans Serif", 975, false};

enum class ControlKind { kLabel, kOptionButton, kCommandButton, kTextBox };

inline constexpr int kNoTabStop = -1;

struct ControlDef {
  std::wstring_view name;
  ControlKind kind = ControlKind::kLabel;
  std::wstring_view caption;  // a text box's initial text
  TwipsRect rect;
  std::optional<FontSpec> font;  // empty: the form's font
  int tabIndex = kNoTabStop;     // labels take no focus
  bool multiLine = false;        // text boxes: several lines, vertical scroll bar only
  bool cancel = false;           // Esc presses this button
};

struct MenuItemDef {
  std::wstring_view name;
  std::wstring_view caption;
};

struct MenuDef {
  std::wstring_view name;
  std::wstring_view caption;
  std::span<const MenuItemDef> items;
};

enum class StartPosition {
  kWindowsDefault,  // the window system places it
  kManual,          // the client area's top-left corner at `left`, `top` twips on the screen
};

struct FormDef {
  std::wstring_view name;
  std::wstring_view caption;
  TwipsSize client;
  StartPosition startPosition = StartPosition::kWindowsDefault;
  int left = 0;
  int top = 0;
  FontSpec font = kDefaultFont;
  bool maxButton = true;
  std::span<const ControlDef> controls;
  std::span<const MenuDef> menus;
};

// Command identifiers of the real window's controls and menu items. They are
// derived from the position in the table so that the end-to-end driver can
// find a control by its name. They stay clear of IDOK and IDCANCEL.
inline constexpr int kFirstControlId = 1000;
inline constexpr int kFirstMenuItemId = 2000;

// -1 when the table has no such control.
constexpr int ControlIndex(const FormDef& form, std::wstring_view name) {
  for (std::size_t i = 0; i < form.controls.size(); ++i) {
    if (form.controls[i].name == name) return static_cast<int>(i);
  }
  return -1;
}

constexpr int ControlId(const FormDef& form, std::wstring_view name) {
  const int index = ControlIndex(form, name);
  return index < 0 ? -1 : kFirstControlId + index;
}

// Menu items are numbered across all menus in table order.
constexpr int MenuItemIndex(const FormDef& form, std::wstring_view name) {
  int index = 0;
  for (const MenuDef& menu : form.menus) {
    for (const MenuItemDef& item : menu.items) {
      if (item.name == name) return index;
      ++index;
    }
  }
  return -1;
}

constexpr int MenuItemId(const FormDef& form, std::wstring_view name) {
  const int index = MenuItemIndex(form, name);
  return index < 0 ? -1 : kFirstMenuItemId + index;
}

constexpr const MenuItemDef* MenuItemAt(const FormDef& form, int index) {
  if (index < 0) return nullptr;
  for (const MenuDef& menu : form.menus) {
    if (index < static_cast<int>(menu.items.size())) return &menu.items[index];
    index -= static_cast<int>(menu.items.size());
  }
  return nullptr;
}

// One control or menu item of a window, as its form's code reaches it: by
// its place in the table, found by name when the program is built, so that
// a name the table lacks stops the build instead of failing at run time.
struct ControlRef {
  int index;
};
struct MenuItemRef {
  int index;
};

// For constexpr constants only: evaluated where the program is built, a
// throw for a missing name stops the build.

constexpr ControlRef ControlNamed(const FormDef& form, std::wstring_view name) {
  const int index = ControlIndex(form, name);
  if (index < 0) throw "the window has no control of that name";
  return {index};
}

constexpr MenuItemRef MenuItemNamed(const FormDef& form, std::wstring_view name) {
  const int index = MenuItemIndex(form, name);
  if (index < 0) throw "the window has no menu item of that name";
  return {index};
}

// The window order of the controls: those that take the focus in tab index
// order, each preceded by the labels standing just before it in the table.
// Tab follows this order, and assistive technology names a field after the
// label just before it.
std::vector<int> CreationOrder(const FormDef& form);

const FontSpec& EffectiveFont(const FormDef& form, const ControlDef& control);

}  // namespace pravex
