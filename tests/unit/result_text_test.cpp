#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "forms/results/result_family.h"

namespace pravex {
namespace {

std::wstring Join(const std::vector<std::wstring>& blocks, std::wstring_view lastBreak) {
  std::wstring text;
  for (std::size_t i = 0; i < blocks.size(); ++i) {
    text += blocks[i];
    text += i + 1 == blocks.size() ? lastBreak : L"\r\n\r\n";
  }
  return text;
}

struct Layout {
  ResultKind kind;
  std::size_t blocks;
  std::wstring_view lastBlockBreak;
  std::wstring_view separator;
  std::wstring_view separatorBreak;
};

const Layout kLayouts[] = {
    {ResultKind::Result, 5, L"\r\n\r\n", kPlainSeparator, L"\r\n"},
    {ResultKind::IssueA, 8, L"\r\n\r\n", kResultsBelowSeparator, L"\r\n\r\n"},
    {ResultKind::IssueB, 7, L"\r\n\r\n", kResultsBelowSeparator, L"\r\n\r\n"},
    {ResultKind::IssueC, 29, L"\r\n\r\n", kResultsBelowSeparator, L"\r\n\r\n"},
    {ResultKind::IssueD, 4, L"\r\n", kResultsBelowSeparator, L"\r\n\r\n"},
};

TEST(Separators, AreExactly) {
  EXPECT_EQ(kPlainSeparator, std::wstring(43, L'='));
  EXPECT_EQ(kResultsBelowSeparator.size(), 71u);
  EXPECT_EQ(kResultsBelowSeparator,
            std::wstring(25, L'=') + L" Results below " + std::wstring(31, L'='));
}

TEST(ComposeResultText, IsGuidanceSeparatorAndTheReportUnchanged) {
  const std::wstring report = L"REPORT line 1\r\nline 2 \"quoted\"\n\tno final break";
  const std::pair<bool, bool> products[] = {{true, false}, {false, true}};
  for (std::size_t row = 0; row < std::size(kLayouts); ++row) {
    const Layout& layout = kLayouts[row];
    for (const auto& [vastrel, zpx] : products) {
      const std::vector<std::wstring> blocks = GuidanceBlocks(layout.kind, vastrel, zpx);
      ASSERT_EQ(blocks.size(), layout.blocks) << "row " << row << " vastrel " << vastrel;
      const std::wstring expected = Join(blocks, layout.lastBlockBreak) +
                                    std::wstring(layout.separator) +
                                    std::wstring(layout.separatorBreak) + report;
      EXPECT_EQ(ComposeResultText(layout.kind, vastrel, zpx, report), expected)
          << "row " << row << " vastrel " << vastrel;
    }
  }
}

TEST(ComposeResultText, PutsEmptyLinesAroundTheSeparatorAsEachWindowWants) {
  for (std::size_t row = 0; row < std::size(kLayouts); ++row) {
    const Layout& layout = kLayouts[row];
    const std::wstring text = ComposeResultText(layout.kind, true, false, L"R");
    const std::size_t at = text.find(layout.separator);
    ASSERT_NE(at, std::wstring::npos) << "row " << row;
    const std::wstring before = text.substr(at - 4, 4);
    const bool emptyLineBefore = before == L"\r\n\r\n";
    EXPECT_EQ(emptyLineBefore, layout.kind != ResultKind::IssueD) << "row " << row;
    EXPECT_EQ(text.substr(at + layout.separator.size()), std::wstring(layout.separatorBreak) + L"R")
        << "row " << row;
  }
}

TEST(ComposeResultText, AddsNothingAfterTheReport) {
  for (std::size_t row = 0; row < std::size(kLayouts); ++row) {
    EXPECT_EQ(ComposeResultText(kLayouts[row].kind, false, true, L"").back(), L'\n')
        << "row " << row;
    const std::wstring text = ComposeResultText(kLayouts[row].kind, false, true, L"end");
    EXPECT_EQ(text.substr(text.size() - 3), L"end") << "row " << row;
  }
}

TEST(ResultFormDef, DiffersOnlyWhereTheFamilyTableSays) {
  struct Expected {
    ResultKind kind;
    const wchar_t* name;
    StartPosition position;
    int ftpLeft;
    int textLeft;
    int textWidth;
    FontSpec textFont;
    FontSpec windowFont;
    const wchar_t* copyName;
  };
  const Expected cases[] = {
      {ResultKind::Result, L"FormResult", StartPosition::Manual, 4440, 120, 10695, kLargeFont,
       kLargeFont, L"CopyToClipboard"},
      {ResultKind::IssueA, L"FormIssueA", StartPosition::WindowsDefault, 7560, 120, 10575,
       kDefaultFont, kLargeFont, L"CopyToClibBoard"},
      {ResultKind::IssueB, L"FormIssueB", StartPosition::Manual, 7560, 120, 10575, kLargeFont,
       kDefaultFont, L"CopyToClipboard"},
      {ResultKind::IssueC, L"FormIssueC", StartPosition::WindowsDefault, 4440, 100, 10680,
       kLargeFont, kDefaultFont, L"CopyToClipboard"},
      {ResultKind::IssueD, L"FormIssueD", StartPosition::WindowsDefault, 4440, 120, 10575,
       kLargeFont, kDefaultFont, L"CopyToClipboard"},
  };
  for (std::size_t row = 0; row < std::size(cases); ++row) {
    const Expected& e = cases[row];
    const FormDef& def = ResultFormDef(e.kind);
    EXPECT_EQ(def.name, e.name) << "row " << row;
    EXPECT_FALSE(def.caption.empty()) << "row " << row;
    EXPECT_EQ(def.client, (TwipsSize{10875, 6495})) << "row " << row;
    EXPECT_EQ(def.startPosition, e.position) << "row " << row;
    if (e.position == StartPosition::Manual) {
      EXPECT_EQ(def.left, 2145) << "row " << row;
      EXPECT_EQ(def.top, 1905) << "row " << row;
    }
    EXPECT_TRUE(def.maxButton) << "row " << row;
    EXPECT_EQ(def.font, e.windowFont) << "row " << row;
    ASSERT_EQ(def.controls.size(), 4u) << "row " << row;

    const ControlDef& copy = def.controls[ControlIndex(def, e.copyName)];
    EXPECT_EQ(copy.caption, L"Copy to Clipboard") << "row " << row;
    EXPECT_EQ(copy.rect, (TwipsRect{120, 120, 2000, 375})) << "row " << row;
    const ControlDef& save = def.controls[ControlIndex(def, L"Save")];
    EXPECT_EQ(save.caption, L"Save as...") << "row " << row;
    EXPECT_EQ(save.rect, (TwipsRect{2280, 120, 2000, 375})) << "row " << row;
    const ControlDef& ftp = def.controls[ControlIndex(def, L"FTP")];
    EXPECT_EQ(ftp.caption, L"Send the result to Quorvel FTP Server") << "row " << row;
    EXPECT_EQ(ftp.rect, (TwipsRect{e.ftpLeft, 120, 3000, 375})) << "row " << row;
    for (const ControlDef* button : {&copy, &save, &ftp}) {
      EXPECT_EQ(EffectiveFont(def, *button), kDefaultFont) << "row " << row;
    }
    const ControlDef& text = def.controls[ControlIndex(def, L"Text1")];
    EXPECT_EQ(text.rect, (TwipsRect{e.textLeft, 600, e.textWidth, 5775})) << "row " << row;
    EXPECT_EQ(EffectiveFont(def, text), e.textFont) << "row " << row;
    EXPECT_TRUE(text.multiLine) << "row " << row;

    std::vector<std::wstring_view> tabOrder;
    for (int index : CreationOrder(def)) tabOrder.push_back(def.controls[index].name);
    EXPECT_EQ(tabOrder, (std::vector<std::wstring_view>{L"Text1", e.copyName, L"Save", L"FTP"}))
        << "row " << row;
  }
}

}  // namespace
}  // namespace pravex
