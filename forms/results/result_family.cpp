#include "forms/results/result_family.h"

namespace pravex {

namespace {

constexpr std::wstring_view kLineBreak = L"\r\n";
constexpr std::wstring_view kParagraphBreak = L"\r\n\r\n";

}  // namespace

std::wstring ComposeResultText(ResultKind kind, bool choseVastrel, bool choseZpx,
                               std::wstring report) {
  std::wstring head;
  for (const std::wstring& block : GuidanceBlocks(kind, choseVastrel, choseZpx)) {
    if (!head.empty()) head += kParagraphBreak;
    head += block;
  }
  // The stopped-service guidance runs straight into its separator.
  head += kind == ResultKind::kIssueD ? kLineBreak : kParagraphBreak;
  if (kind == ResultKind::kResult) {
    head += kPlainSeparator;
    head += kLineBreak;
  } else {
    head += kResultsBelowSeparator;
    head += kParagraphBreak;
  }
  report.insert(0, head);
  return report;
}

}  // namespace pravex
