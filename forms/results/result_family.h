// The five result windows: one family declaration, the table of what sets
// them apart, and the composition of their text.
#pragma once

#include <string>
#include <string_view>

#include "forms/results/guidance.h"
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

const ResultVariant& VariantOf(ResultKind kind);
const FormDef& ResultFormDef(ResultKind kind);

inline constexpr std::wstring_view kResultsBelowSeparator =
    L"========================= Results below ===============================";
inline constexpr std::wstring_view kPlainSeparator = L"===========================================";

// The guidance, the separator and the report, exactly as the text box shows
// them: nothing follows the report's last character. The report's own
// buffer becomes the result, so a large report is not copied when it has
// room for the guidance in front.
std::wstring ComposeResultText(ResultKind kind, bool choseVastrel, bool choseZpx,
                               std::wstring report);

}  // namespace pravex
