#include "forms/main/classification.h"

#include "pravex_config.h"

namespace pravex {

const ClassificationTable& ConfiguredTable() {
  static const ClassificationTable table{
      config::kValidityMarker,
      {{
          {config::kRows[0].marker, config::kRows[0].label},
          {config::kRows[1].marker, config::kRows[1].label},
          {config::kRows[2].marker, config::kRows[2].label},
          {config::kRows[3].marker, config::kRows[3].label},
          {config::kRows[4].marker, config::kRows[4].label},
          {config::kRows[5].marker, config::kRows[5].label},
      }},
  };
  return table;
}

Verdict Classify(std::wstring_view report, const ClassificationTable& table) {
  if (report.find(table.validityMarker) == std::wstring_view::npos) return {};
  for (std::size_t i = 0; i < table.rows.size(); ++i) {
    if (report.find(table.rows[i].marker) != std::wstring_view::npos) {
      return {true, static_cast<int>(i) + 1};
    }
  }
  return {true, 0};
}

ResultKind WindowFor(const Verdict& verdict) {
  switch (verdict.row) {
    case 1:
      return ResultKind::IssueA;
    case 2:
    case 3:
      return ResultKind::IssueB;
    case 4:
    case 5:
      return ResultKind::IssueC;
    case 6:
      return ResultKind::IssueD;
    default:
      return ResultKind::Result;
  }
}

}  // namespace pravex
