// The guidance of each window, for every combination of the product
// options: which blocks name which product, how many lines they hold, and
// that every line is clean text.
#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "diagnosis/guidance.h"

namespace pravex {
namespace {

// One character a block: 'V' names Vastrel only, 'Z' ZPX only, '-' both or neither.
std::string ProductsNamed(const std::vector<std::wstring>& blocks) {
  std::string named;
  for (const std::wstring& block : blocks) {
    const bool vastrel = block.find(L"Vastrel") != std::wstring::npos;
    const bool zpx = block.find(L"ZPX") != std::wstring::npos;
    named += vastrel == zpx ? '-' : vastrel ? 'V' : 'Z';
  }
  return named;
}

std::size_t Count(std::wstring_view text, std::wstring_view piece) {
  std::size_t count = 0;
  for (std::size_t at = text.find(piece); at != std::wstring_view::npos;
       at = text.find(piece, at + piece.size())) {
    ++count;
  }
  return count;
}

// Printable ASCII lines joined by CR LF, none empty, none with a blank at either end.
bool IsCleanText(const std::wstring& block) {
  std::size_t lineStart = 0;
  for (std::size_t at = 0; at <= block.size(); ++at) {
    const bool lineEnd = at == block.size() || block.compare(at, 2, L"\r\n") == 0;
    if (lineEnd) {
      if (at == lineStart || block[lineStart] == L' ' || block[at - 1] == L' ') return false;
      lineStart = at + 2;
      ++at;
    } else if (block[at] < 0x20 || block[at] > 0x7E) {
      return false;
    }
  }
  return true;
}

TEST(GuidanceBlocks, NameTheChosenProductWhereTheWindowWordsByProduct) {
  struct Row {
    ResultKind kind;
    bool choseVastrel;
    bool choseZpx;
    std::string named;
    std::size_t lines;
  };
  const std::string issueC = std::string(24, '-') + "V----";
  const Row rows[] = {
      // The ZPX wording when ZPX was chosen, else the Vastrel one.
      {ResultKind::kResult, true, false, "-VV--", 5},
      {ResultKind::kResult, false, true, "-ZZ--", 5},
      {ResultKind::kResult, true, true, "-ZZ--", 5},
      {ResultKind::kResult, false, false, "-VV--", 5},
      // The Vastrel wording when Vastrel was chosen, else the ZPX one.
      {ResultKind::kIssueA, true, false, "----V---", 12},
      {ResultKind::kIssueA, false, true, "----Z---", 12},
      {ResultKind::kIssueA, true, true, "----V---", 12},
      {ResultKind::kIssueA, false, false, "----Z---", 12},
      // A Vastrel block if Vastrel was chosen, then a ZPX block if ZPX was.
      {ResultKind::kIssueB, true, false, "--V----", 7},
      {ResultKind::kIssueB, false, true, "--Z----", 7},
      {ResultKind::kIssueB, true, true, "--VZ----", 8},
      {ResultKind::kIssueB, false, false, "------", 6},
      {ResultKind::kIssueC, true, false, issueC, 38},
      {ResultKind::kIssueC, false, true, std::string(24, '-') + "Z----", 38},
      {ResultKind::kIssueC, true, true, issueC, 38},
      {ResultKind::kIssueC, false, false, std::string(24, '-') + "Z----", 38},
      {ResultKind::kIssueD, true, false, "----", 5},
      {ResultKind::kIssueD, false, true, "----", 5},
  };
  for (std::size_t row = 0; row < std::size(rows); ++row) {
    const Row& r = rows[row];
    const std::vector<std::wstring> blocks = GuidanceBlocks(r.kind, r.choseVastrel, r.choseZpx);
    EXPECT_EQ(ProductsNamed(blocks), r.named) << "row " << row;
    std::size_t lines = 0;
    for (std::size_t block = 0; block < blocks.size(); ++block) {
      EXPECT_TRUE(IsCleanText(blocks[block])) << "row " << row << ", block " << block + 1;
      lines += 1 + Count(blocks[block], L"\r\n");
    }
    EXPECT_EQ(lines, r.lines) << "row " << row;
  }
}

}  // namespace
}  // namespace pravex
