// The five result windows: one family declaration and the table of what
// sets them apart.
#pragma once

#include <array>
#include <cstddef>
#include <string_view>

#include "diagnosis/guidance.h"
#include "ui/form_def.h"

namespace pravex {

// What sets one result window apart from the others.
struct ResultVariant {
  ResultKind kind;
  std::wstring_view name;
  std::wstring_view caption;
  StartPosition startPosition;
  int ftpLeft;
  int textLeft;
  int textWidth;
  FontSpec textFont;
  FontSpec windowFont;
  std::wstring_view copyButtonName;
  bool trapsLoadErrors;  // its Form_Load reports its own errors
};

namespace result_family_table {

// The client area's top-left corner of the windows that open at a fixed place.
inline constexpr int kFixedLeft = 2145;
inline constexpr int kFixedTop = 1905;
inline constexpr int kFtpLeftNarrow = 4440;
inline constexpr int kFtpLeftWide = 7560;

// In ResultKind order.
inline constexpr std::array<ResultVariant, 5> kVariants{{
    {.kind = ResultKind::kResult,
     .name = L"FormResult",
     .caption = L"Quorvel Pravex - No problem detected",
     .startPosition = StartPosition::kManual,
     .ftpLeft = kFtpLeftNarrow,
     .textLeft = 120,
     .textWidth = 10695,
     .textFont = kLargeFont,
     .windowFont = kLargeFont,
     .copyButtonName = L"CopyToClipboard",
     .trapsLoadErrors = false},
    {.kind = ResultKind::kIssueA,
     .name = L"FormIssueA",
     .caption = L"Quorvel Pravex - License expired",
     .startPosition = StartPosition::kWindowsDefault,
     .ftpLeft = kFtpLeftWide,
     .textLeft = 120,
     .textWidth = 10575,
     .textFont = kDefaultFont,
     .windowFont = kLargeFont,
     .copyButtonName = L"CopyToClibBoard",
     .trapsLoadErrors = true},
    {.kind = ResultKind::kIssueB,
     .name = L"FormIssueB",
     .caption = L"Quorvel Pravex - License missing or invalid",
     .startPosition = StartPosition::kManual,
     .ftpLeft = kFtpLeftWide,
     .textLeft = 120,
     .textWidth = 10575,
     .textFont = kLargeFont,
     .windowFont = kDefaultFont,
     .copyButtonName = L"CopyToClipboard",
     .trapsLoadErrors = false},
    {.kind = ResultKind::kIssueC,
     .name = L"FormIssueC",
     .caption = L"Quorvel Pravex - Runtime service crashed or disabled",
     .startPosition = StartPosition::kWindowsDefault,
     .ftpLeft = kFtpLeftNarrow,
     .textLeft = 100,
     .textWidth = 10680,
     .textFont = kLargeFont,
     .windowFont = kDefaultFont,
     .copyButtonName = L"CopyToClipboard",
     .trapsLoadErrors = false},
    {.kind = ResultKind::kIssueD,
     .name = L"FormIssueD",
     .caption = L"Quorvel Pravex - Runtime service stopped",
     .startPosition = StartPosition::kWindowsDefault,
     .ftpLeft = kFtpLeftNarrow,
     .textLeft = 120,
     .textWidth = 10575,
     .textFont = kLargeFont,
     .windowFont = kDefaultFont,
     .copyButtonName = L"CopyToClipboard",
     .trapsLoadErrors = false},
}};
static_assert(
    [] {
      for (std::size_t i = 0; i < kVariants.size(); ++i) {
        if (kVariants[i].kind != static_cast<ResultKind>(i)) return false;
      }
      return true;
    }(),
    "the variants are listed in ResultKind order");

constexpr std::array<ControlDef, 4> ControlsOf(const ResultVariant& v) {
  return {{
      {.name = v.copyButtonName,
       .kind = ControlKind::kCommandButton,
       .caption = L"Copy to Clipboard",
       .rect = {120, 120, 2000, 375},
       .font = kDefaultFont,
       .tabIndex = 1},
      {.name = L"Save",
       .kind = ControlKind::kCommandButton,
       .caption = L"Save as...",
       .rect = {2280, 120, 2000, 375},
       .font = kDefaultFont,
       .tabIndex = 2},
      {.name = L"FTP",
       .kind = ControlKind::kCommandButton,
       .caption = L"Send the result to Quorvel FTP Server",
       .rect = {v.ftpLeft, 120, 3000, 375},
       .font = kDefaultFont,
       .tabIndex = 3},
      {.name = L"Text1",
       .kind = ControlKind::kTextBox,
       .rect = {v.textLeft, 600, v.textWidth, 5775},
       .font = v.textFont,
       .tabIndex = 0,
       .multiLine = true},
  }};
}

inline constexpr auto kControls = [] {
  std::array<std::array<ControlDef, 4>, kVariants.size()> controls{};
  for (std::size_t i = 0; i < kVariants.size(); ++i) controls[i] = ControlsOf(kVariants[i]);
  return controls;
}();

inline constexpr auto kDefs = [] {
  std::array<FormDef, kVariants.size()> defs{};
  for (std::size_t i = 0; i < kVariants.size(); ++i) {
    const ResultVariant& v = kVariants[i];
    defs[i] = {.name = v.name,
               .caption = v.caption,
               .client = {10875, 6495},
               .startPosition = v.startPosition,
               .left = kFixedLeft,
               .top = kFixedTop,
               .font = v.windowFont,
               .controls = kControls[i]};
  }
  return defs;
}();

}  // namespace result_family_table

constexpr const ResultVariant& VariantOf(ResultKind kind) {
  return result_family_table::kVariants[static_cast<std::size_t>(kind)];
}

constexpr const FormDef& ResultFormDef(ResultKind kind) {
  return result_family_table::kDefs[static_cast<std::size_t>(kind)];
}

namespace result_family_table {

// The control that `nameOf` names in each window, found when the program is
// built; it must stand at the same place in all five.
constexpr ControlRef SamePlaceInAll(auto nameOf) {
  const ControlRef first = ControlNamed(kDefs[0], nameOf(kVariants[0]));
  for (std::size_t i = 0; i < kVariants.size(); ++i) {
    if (ControlNamed(kDefs[i], nameOf(kVariants[i])).index != first.index) {
      throw "the control stands elsewhere in another result window";
    }
  }
  return first;
}

}  // namespace result_family_table

constexpr ControlRef ResultControlNamed(std::wstring_view name) {
  return result_family_table::SamePlaceInAll([name](const ResultVariant&) { return name; });
}

// Each window's copy button, whatever its name.
constexpr ControlRef ResultCopyButton() {
  return result_family_table::SamePlaceInAll(
      [](const ResultVariant& v) { return v.copyButtonName; });
}

}  // namespace pravex
