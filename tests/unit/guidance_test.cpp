#include <gtest/gtest.h>

#include <cstddef>
#include <map>
#include <string>
#include <vector>

#include "forms/results/guidance.h"

namespace pravex {
namespace {

enum class Product { Vastrel, Zpx };

struct Row {
  ResultKind kind;
  bool choseVastrel;
  bool choseZpx;
  std::size_t blockCount;
  // 1-based block number -> line count, for the blocks with more than one line.
  std::map<std::size_t, std::size_t> lineCounts;
  // 1-based block number -> the product whose variant it must be.
  std::map<std::size_t, Product> productBlocks;
};

constexpr Product V = Product::Vastrel;
constexpr Product Z = Product::Zpx;

// Every kind with every combination of the product flags. The first row of a
// kind is the reference the others are compared with.
const std::vector<Row>& Rows() {
  static const std::vector<Row> rows = {
      // Result: blocks 2 and 3 name the ZPX tool when ZPX was chosen, else Vastrel.
      {ResultKind::Result, true, false, 5, {}, {{2, V}, {3, V}}},
      {ResultKind::Result, false, true, 5, {}, {{2, Z}, {3, Z}}},
      {ResultKind::Result, true, true, 5, {}, {{2, Z}, {3, Z}}},
      {ResultKind::Result, false, false, 5, {}, {{2, V}, {3, V}}},
      // IssueA: block 5 is the Vastrel variant when Vastrel was chosen, else ZPX.
      {ResultKind::IssueA, true, false, 8, {{2, 5}}, {{5, V}}},
      {ResultKind::IssueA, false, true, 8, {{2, 5}}, {{5, Z}}},
      {ResultKind::IssueA, true, true, 8, {{2, 5}}, {{5, V}}},
      {ResultKind::IssueA, false, false, 8, {{2, 5}}, {{5, Z}}},
      // IssueB: a Vastrel block if Vastrel was chosen, then a ZPX block if ZPX was.
      {ResultKind::IssueB, true, false, 7, {}, {{3, V}}},
      {ResultKind::IssueB, false, true, 7, {}, {{3, Z}}},
      {ResultKind::IssueB, true, true, 8, {}, {{3, V}, {4, Z}}},
      {ResultKind::IssueB, false, false, 6, {}, {}},
      // IssueC: block 25 is the Vastrel variant when Vastrel was chosen, else ZPX.
      {ResultKind::IssueC, true, false, 29, {{9, 6}, {25, 5}}, {{25, V}}},
      {ResultKind::IssueC, false, true, 29, {{9, 6}, {25, 5}}, {{25, Z}}},
      {ResultKind::IssueC, true, true, 29, {{9, 6}, {25, 5}}, {{25, V}}},
      {ResultKind::IssueC, false, false, 29, {{9, 6}, {25, 5}}, {{25, Z}}},
      // IssueD: no product variants.
      {ResultKind::IssueD, true, false, 4, {{3, 2}}, {}},
      {ResultKind::IssueD, false, true, 4, {{3, 2}}, {}},
      {ResultKind::IssueD, true, true, 4, {{3, 2}}, {}},
      {ResultKind::IssueD, false, false, 4, {{3, 2}}, {}},
  };
  return rows;
}

std::vector<std::wstring> BlocksOf(const Row& row) {
  return GuidanceBlocks(row.kind, row.choseVastrel, row.choseZpx);
}

std::vector<std::wstring> SplitLines(const std::wstring& block) {
  std::vector<std::wstring> lines;
  std::size_t start = 0;
  for (;;) {
    const std::size_t end = block.find(L"\r\n", start);
    if (end == std::wstring::npos) {
      lines.push_back(block.substr(start));
      return lines;
    }
    lines.push_back(block.substr(start, end - start));
    start = end + 2;
  }
}

bool Names(const std::wstring& text, const wchar_t* name) {
  return text.find(name) != std::wstring::npos;
}

// The blocks of a row that are the same for both products, in order.
std::vector<std::wstring> SharedBlocks(const Row& row, const std::vector<std::wstring>& blocks) {
  std::vector<std::wstring> shared;
  for (std::size_t index = 0; index < blocks.size(); ++index) {
    if (!row.productBlocks.contains(index + 1)) shared.push_back(blocks[index]);
  }
  return shared;
}

// The product-specific blocks of a row for one product, in order.
std::vector<std::wstring> VariantBlocks(const Row& row, const std::vector<std::wstring>& blocks,
                                        Product product) {
  std::vector<std::wstring> variants;
  for (const auto& [number, owner] : row.productBlocks) {
    if (owner == product && number <= blocks.size()) variants.push_back(blocks[number - 1]);
  }
  return variants;
}

// The first row of the given kind whose flags pick only the given product.
const Row* SingleProductRow(ResultKind kind, Product product) {
  for (const Row& row : Rows()) {
    if (row.kind == kind && row.choseVastrel == (product == V) && row.choseZpx == (product == Z)) {
      return &row;
    }
  }
  return nullptr;
}

TEST(GuidanceBlocks, HaveTheFixedNumberOfBlocks) {
  for (std::size_t row = 0; row < Rows().size(); ++row) {
    EXPECT_EQ(BlocksOf(Rows()[row]).size(), Rows()[row].blockCount) << "row " << row;
  }
}

TEST(GuidanceBlocks, HaveTheFixedNumberOfLinesInEachBlock) {
  for (std::size_t row = 0; row < Rows().size(); ++row) {
    const Row& expected = Rows()[row];
    const std::vector<std::wstring> blocks = BlocksOf(expected);
    for (std::size_t index = 0; index < blocks.size(); ++index) {
      const auto special = expected.lineCounts.find(index + 1);
      const std::size_t lines = special == expected.lineCounts.end() ? 1 : special->second;
      EXPECT_EQ(SplitLines(blocks[index]).size(), lines)
          << "row " << row << ", block " << index + 1 << ": " << blocks[index];
    }
  }
}

TEST(GuidanceBlocks, AreWellFormedPrintableAscii) {
  for (std::size_t row = 0; row < Rows().size(); ++row) {
    const std::vector<std::wstring> blocks = BlocksOf(Rows()[row]);
    for (std::size_t index = 0; index < blocks.size(); ++index) {
      const std::wstring& block = blocks[index];
      const std::string where =
          "row " + std::to_string(row) + ", block " + std::to_string(index + 1);
      ASSERT_FALSE(block.empty()) << where;
      EXPECT_FALSE(block.starts_with(L"\r\n")) << where;
      EXPECT_FALSE(block.ends_with(L"\r\n")) << where;
      const std::vector<std::wstring> lines = SplitLines(block);
      for (std::size_t line = 0; line < lines.size(); ++line) {
        const std::wstring& text = lines[line];
        EXPECT_FALSE(text.empty()) << where << ", line " << line + 1 << " is empty";
        EXPECT_EQ(text.find_first_of(L"\r\n"), std::wstring::npos)
            << where << ", line " << line + 1 << " holds a lone CR or LF";
        EXPECT_FALSE(text.starts_with(L" ") || text.ends_with(L" "))
            << where << ", line " << line + 1 << " has a leading or trailing space";
        for (std::size_t at = 0; at < text.size(); ++at) {
          EXPECT_TRUE(text[at] >= 0x20 && text[at] <= 0x7E)
              << where << ", line " << line + 1 << ", character " << at << " is "
              << static_cast<unsigned long>(text[at]);
        }
      }
    }
  }
}

TEST(GuidanceBlocks, NameTheChosenProductInTheProductBlocks) {
  for (std::size_t row = 0; row < Rows().size(); ++row) {
    const Row& expected = Rows()[row];
    const std::vector<std::wstring> blocks = BlocksOf(expected);
    for (const auto& [number, product] : expected.productBlocks) {
      ASSERT_LE(number, blocks.size()) << "row " << row;
      const std::wstring& block = blocks[number - 1];
      if (product == V) {
        EXPECT_TRUE(Names(block, L"Vastrel")) << "row " << row << ", block " << number;
        EXPECT_FALSE(Names(block, L"ZPX")) << "row " << row << ", block " << number;
      } else {
        EXPECT_TRUE(Names(block, L"ZPX")) << "row " << row << ", block " << number;
        EXPECT_FALSE(Names(block, L"Vastrel")) << "row " << row << ", block " << number;
      }
    }
  }
}

TEST(GuidanceBlocks, UseTheSameVariantTextWheneverTheyPickAProduct) {
  for (std::size_t row = 0; row < Rows().size(); ++row) {
    const Row& expected = Rows()[row];
    const std::vector<std::wstring> blocks = BlocksOf(expected);
    for (const Product product : {V, Z}) {
      const Row* reference = SingleProductRow(expected.kind, product);
      ASSERT_NE(reference, nullptr) << "row " << row;
      const std::vector<std::wstring> variants = VariantBlocks(expected, blocks, product);
      if (variants.empty()) continue;
      EXPECT_EQ(variants, VariantBlocks(*reference, BlocksOf(*reference), product))
          << "row " << row << ", " << (product == V ? "Vastrel" : "ZPX") << " variant";
    }
  }
}

TEST(GuidanceBlocks, AreOtherwiseTheSameForBothProducts) {
  for (std::size_t row = 0; row < Rows().size(); ++row) {
    const Row& expected = Rows()[row];
    const Row* reference = SingleProductRow(expected.kind, V);
    ASSERT_NE(reference, nullptr) << "row " << row;
    EXPECT_EQ(SharedBlocks(expected, BlocksOf(expected)),
              SharedBlocks(*reference, BlocksOf(*reference)))
        << "row " << row;
  }
}

TEST(GuidanceBlocks, NameBothProductsOrNeitherInTheSharedBlocks) {
  for (std::size_t row = 0; row < Rows().size(); ++row) {
    const std::vector<std::wstring> shared = SharedBlocks(Rows()[row], BlocksOf(Rows()[row]));
    for (std::size_t index = 0; index < shared.size(); ++index) {
      EXPECT_EQ(Names(shared[index], L"Vastrel"), Names(shared[index], L"ZPX"))
          << "row " << row << ", shared block " << index + 1 << ": " << shared[index];
    }
  }
}

TEST(GuidanceBlocks, DifferBetweenProductsInTheProductBlocks) {
  for (const ResultKind kind :
       {ResultKind::Result, ResultKind::IssueA, ResultKind::IssueB, ResultKind::IssueC}) {
    const Row* vastrel = SingleProductRow(kind, V);
    const Row* zpx = SingleProductRow(kind, Z);
    ASSERT_NE(vastrel, nullptr);
    ASSERT_NE(zpx, nullptr);
    const std::vector<std::wstring> vastrelBlocks = BlocksOf(*vastrel);
    const std::vector<std::wstring> zpxBlocks = BlocksOf(*zpx);
    for (const auto& [number, product] : vastrel->productBlocks) {
      ASSERT_LE(number, vastrelBlocks.size()) << "kind " << static_cast<int>(kind);
      ASSERT_LE(number, zpxBlocks.size()) << "kind " << static_cast<int>(kind);
      EXPECT_NE(vastrelBlocks[number - 1], zpxBlocks[number - 1])
          << "kind " << static_cast<int>(kind) << ", block " << number;
    }
  }
}

}  // namespace
}  // namespace pravex
