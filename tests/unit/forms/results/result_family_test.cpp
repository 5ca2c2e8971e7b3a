// A result window's text: the guidance blocks with an empty line between
// them, the window's line of '=' with its own line breaks, then the report
// unchanged. The words and the lines themselves are compared by the
// end-to-end tests.
#include <gtest/gtest.h>

#include <string>

#include "forms/results/result_family.h"

namespace pravex {
namespace {

std::size_t Count(std::wstring_view text, std::wstring_view piece) {
  std::size_t count = 0;
  for (std::size_t at = text.find(piece); at != std::wstring_view::npos;
       at = text.find(piece, at + 1)) {
    ++count;
  }
  return count;
}

TEST(ComposeResultText, IsTheGuidanceBlocksTheWindowsLineAndTheReportUnchanged) {
  struct Row {
    ResultKind kind;
    std::size_t blocks;
    std::wstring_view before;  // the line breaks before the line of '='
    std::wstring_view line;
    std::wstring_view after;
    bool wordsByProduct;
  };
  const Row rows[] = {
      {ResultKind::kResult, 5, L"\r\n\r\n", kPlainSeparator, L"\r\n", true},
      {ResultKind::kIssueA, 8, L"\r\n\r\n", kResultsBelowSeparator, L"\r\n\r\n", true},
      {ResultKind::kIssueB, 7, L"\r\n\r\n", kResultsBelowSeparator, L"\r\n\r\n", true},
      {ResultKind::kIssueC, 29, L"\r\n\r\n", kResultsBelowSeparator, L"\r\n\r\n", true},
      {ResultKind::kIssueD, 4, L"\r\n", kResultsBelowSeparator, L"\r\n\r\n", false},
  };
  const std::wstring reports[] = {L"", L"REPORT\r\n\r\n\"quoted\"\n\tno final break\r",
                                  std::wstring(L"a\0b", 3) + std::wstring(kResultsBelowSeparator)};
  for (std::size_t row = 0; row < std::size(rows); ++row) {
    const Row& r = rows[row];
    for (const std::wstring& report : reports) {
      const std::wstring text = ComposeResultText(r.kind, true, false, report);
      const std::wstring tail =
          std::wstring(r.before) + std::wstring(r.line) + std::wstring(r.after) + report;
      ASSERT_TRUE(text.ends_with(tail)) << "row " << row;
      const std::wstring guidance = text.substr(0, text.size() - tail.size());
      EXPECT_EQ(Count(guidance, L"\r\n\r\n") + 1, r.blocks) << "row " << row;
      EXPECT_FALSE(guidance.starts_with(L"\r\n") || guidance.ends_with(L"\r\n")) << "row " << row;
    }
    // The product options reach the guidance: each window that words by
    // product names the chosen one more often.
    const std::wstring vastrel = ComposeResultText(r.kind, true, false, L"");
    const std::wstring zpx = ComposeResultText(r.kind, false, true, L"");
    EXPECT_EQ(Count(vastrel, L"Vastrel") > Count(zpx, L"Vastrel"), r.wordsByProduct)
        << "row " << row;
    EXPECT_EQ(Count(zpx, L"ZPX") > Count(vastrel, L"ZPX"), r.wordsByProduct) << "row " << row;
  }
}

}  // namespace
}  // namespace pravex
