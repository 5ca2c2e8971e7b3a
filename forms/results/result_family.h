// The five result windows' text: the guidance, a separator and the report.
#pragma once

#include <string>
#include <string_view>

#include "diagnosis/guidance.h"

namespace pravex {

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
