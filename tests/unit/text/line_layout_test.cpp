// The line layout: where display lines start for hard breaks of each kind,
// wrapping at blanks and inside long words, tabs; an edit's rewrap agreeing
// with a full one. (scripts/bench.sh times 20 MB.)
#include "text/line_layout.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <vector>

#include "tests/unit/text/test_advances.h"

namespace pravex::text {
namespace {

std::string Printable(std::wstring_view text) {
  std::string out;
  for (const wchar_t c : text) {
    if (c == L'\r')
      out += "\\r";
    else if (c == L'\n')
      out += "\\n";
    else if (c == L'\t')
      out += "\\t";
    else if (c == L'\0')
      out += "\\0";
    else
      out += c < 0x80 ? static_cast<char>(c) : '?';
  }
  return out;
}

// The display lines as the text they cover, line break included.
std::vector<std::wstring> DisplayLines(std::wstring_view text, const LineLayout& layout) {
  std::vector<std::wstring> lines;
  for (std::size_t line = 0; line < layout.LineCount(); ++line) {
    const std::size_t end =
        line + 1 < layout.LineCount() ? layout.LineStart(line + 1) : text.size();
    lines.emplace_back(text.substr(layout.LineStart(line), end - layout.LineStart(line)));
  }
  return lines;
}

std::wstring WithoutLineBreak(std::wstring line) {
  while (!line.empty() && IsLineBreak(line.back())) line.pop_back();
  return line;
}

TEST(LineLayoutTest, HardBreaksWrapsAndTabs) {
  struct Row {
    std::wstring text;
    int width;
    std::vector<std::wstring> lines;
  };
  using namespace std::string_literals;
  const Row rows[] = {
      {L"", 100, {L""}},
      {L"abc", 100, {L"abc"}},
      {L"ab\r\ncd", 100, {L"ab\r\n", L"cd"}},
      {L"ab\ncd", 100, {L"ab\n", L"cd"}},
      {L"ab\rcd", 100, {L"ab\r", L"cd"}},
      {L"ab\r\n", 100, {L"ab\r\n", L""}},  // a break at the end: an empty last line
      {L"\n\n", 100, {L"\n", L"\n", L""}},
      {L"a\r\rb", 100, {L"a\r", L"\r", L"b"}},  // two lone CRs
      {L"a\n\rb", 100, {L"a\n", L"\r", L"b"}},  // LF CR is two breaks
      {L"aaaa bbbb cccc", 100, {L"aaaa bbbb ", L"cccc"}},
      {L"aaaaaaaaaa   bb", 100, {L"aaaaaaaaaa   ", L"bb"}},  // blanks hang past the width
      {L"aaaaaaaaaaaaaaaaaaaaaaaaa", 100, {L"aaaaaaaaaa", L"aaaaaaaaaa", L"aaaaa"}},
      {L"ab cccccccccccccc", 100, {L"ab ", L"cccccccccc", L"cccc"}},
      {L"aaaaaaaa\r\naaaaaaaa", 100, {L"aaaaaaaa\r\n", L"aaaaaaaa"}},
      {L"aaaaaaaaaa \r\nb", 100, {L"aaaaaaaaaa \r\n", L"b"}},
      {L"a\tb", 100, {L"a\tb"}},                       // the tab reaches 80, b ends at 90
      {L"a\tbbb", 100, {L"a\t", L"bbb"}},              // the third b would end at 110
      {L"aaaaaaaaa\tb", 100, {L"aaaaaaaaa\t", L"b"}},  // from 90 the next stop is 160
      {L"abc", 5, {L"a", L"b", L"c"}},                 // at least one character a line
      {std::wstring(20, L'i'), 100, {std::wstring(20, L'i')}},
      {std::wstring(21, L'i'), 100, {std::wstring(20, L'i'), L"i"}},
      {L"aaaaWaaaaa", 100, {L"aaaaWaaaa", L"a"}},
      {L"aaaaaaaaaa\0bb"s, 100, {L"aaaaaaaaaa\0"s, L"bb"}},  // a NUL is a blank
      // A surrogate pair wraps whole, even when it alone is wider than the line.
      {L"aaaaaaaaa\xD83D\xDE00", 100, {L"aaaaaaaaa", L"\xD83D\xDE00"}},
      {L"\xD83D\xDE00"
       L"b",
       5,
       {L"\xD83D\xDE00", L"b"}},
  };
  for (std::size_t row = 0; row < std::size(rows); ++row) {
    const Row& r = rows[row];
    CharAdvances advances = TestAdvances();
    LineLayout layout;
    layout.Wrap(r.text, advances, {.width = r.width, .tabWidth = 80});
    EXPECT_EQ(DisplayLines(r.text, layout), r.lines)
        << "row " << row << ": \"" << Printable(r.text) << "\"";
    for (std::size_t line = 0; line < layout.LineCount() && line < r.lines.size(); ++line) {
      EXPECT_EQ(layout.LineEnd(r.text, line) - layout.LineStart(line),
                WithoutLineBreak(r.lines[line]).size())
          << "row " << row << ", line " << line << ": where its characters end";
      EXPECT_EQ(layout.LineOf(layout.LineStart(line)), line) << "row " << row << ", line " << line;
    }
  }
}

TEST(LineLayoutTest, CaretPositionsAndPixels) {
  struct Row {
    std::wstring line;
    std::size_t pos;
    int x;  // pixels from the line's start to pos
  };
  const Row rows[] = {
      {L"abc", 0, 0}, {L"abc", 2, 20}, {L"iWa", 2, 25}, {L"a\tb", 2, 80}, {L"a\tb", 3, 90},
  };
  for (std::size_t row = 0; row < std::size(rows); ++row) {
    const Row& r = rows[row];
    CharAdvances advances = TestAdvances();
    EXPECT_EQ(XOf(r.line, 0, r.pos, advances, 80), r.x) << "row " << row;
    // A click up to the middle of the next character lands here.
    EXPECT_EQ(PosAtX(r.line, 0, r.line.size(), r.x, advances, 80), r.pos) << "row " << row;
    EXPECT_EQ(PosAtX(r.line, 0, r.line.size(), r.x + 2, advances, 80), r.pos) << "row " << row;
  }
}

TEST(LineLayoutTest, PositionsBeyondTheRangeOfAnIntStayExact) {
  // Tabs hang past the width; 3000 stops of 2^20 pixels pass 2^31.
  const int tabWidth = 1 << 20;
  const std::wstring tabs(3000, L'\t');
  const std::wstring text = tabs + L"abc def";
  CharAdvances advances = TestAdvances();
  LineLayout layout;
  layout.Wrap(text, advances, {.width = 100, .tabWidth = tabWidth});
  EXPECT_EQ(DisplayLines(text, layout), (std::vector<std::wstring>{tabs, L"abc def"}));
  EXPECT_EQ(XOf(text, 0, tabs.size(), advances, tabWidth), 3000LL << 20);
  EXPECT_EQ(PosAtX(text, 0, tabs.size(), (3000LL << 20) - 1, advances, tabWidth), tabs.size());
}

TEST(LineLayoutTest, AnEditsRewrapEqualsAFullRewrap) {
  // Breaks of every kind and blanks are frequent, so edits split and join
  // CR LF pairs, surrogate pairs, lines and words.
  const std::wstring alphabet = L"aaaaiiiWW     \t\r\r\n\n\n\xD83D\xDE00";
  const std::wstring starts[] = {L"", L"hello world", L"one\r\ntwo\rthree\nfour\r\n",
                                 std::wstring(300, L'a')};
  std::mt19937 random(20261208);
  auto pick = [&](std::size_t below) {
    return std::uniform_int_distribution<std::size_t>(0, below)(random);
  };
  for (std::size_t row = 0; row < std::size(starts); ++row) {
    std::wstring text = starts[row];
    CharAdvances advances = TestAdvances();
    LineLayout layout;
    const WrapOptions options{.width = 60, .tabWidth = 40};
    layout.Wrap(text, advances, options);
    for (int edit = 0; edit < 1500; ++edit) {
      const std::wstring before = text;
      const std::size_t pos = pick(text.size());
      const std::size_t removed = pick(std::min<std::size_t>(text.size() - pos, 6));
      std::wstring inserted;
      for (std::size_t n = pick(7); n > 0; --n) inserted += alphabet[pick(alphabet.size() - 1)];
      text.replace(pos, removed, inserted);
      layout.Update(text, pos, removed, inserted.size(), advances);

      LineLayout fresh;
      fresh.Wrap(text, advances, options);
      ASSERT_EQ(layout.Starts(), fresh.Starts())
          << "row " << row << ", edit " << edit << ": \"" << Printable(before) << "\" with "
          << removed << " removed at " << pos << " and \"" << Printable(inserted) << "\" inserted";
    }
  }
}

TEST(LineLayoutTest, ALayoutBegunAndExtendedInPiecesEqualsAWholeOne) {
  const std::wstring text =
      L"first line\r\nsecond line that wraps around the width\rthird\n\nfifth\xD83D\xDE00 "
      L"last words\r\n";
  CharAdvances advances = TestAdvances();
  const WrapOptions options{.width = 60, .tabWidth = 40};
  LineLayout whole;
  whole.Wrap(text, advances, options);
  for (std::size_t first = 0; first < text.size(); first += 7) {
    LineLayout pieces;
    pieces.WrapStart(text, advances, options, first);
    ASSERT_GT(pieces.LaidTo(), first) << "from " << first;
    EXPECT_TRUE(pieces.LaidTo() == text.size() || IsHardLineStart(text, pieces.LaidTo()))
        << "from " << first;
    for (std::size_t through = first; !pieces.Complete(); through += 5) {
      const std::size_t before = pieces.LaidTo();
      pieces.Extend(text, advances, through);
      // The lines laid out so far are those of the whole layout.
      const std::vector<std::uint32_t>& got = pieces.Starts();
      ASSERT_TRUE(std::equal(got.begin(), got.end(), whole.Starts().begin())) << "from " << first;
      EXPECT_EQ(pieces.LineEnd(text, got.size() - 1), whole.LineEnd(text, got.size() - 1))
          << "from " << first << " through " << through;
      EXPECT_GE(pieces.LaidTo(), before);
    }
    EXPECT_EQ(pieces.Starts(), whole.Starts()) << "from " << first;
  }
}

TEST(CharAdvancesTest, MeasuresABlockOnceAndAnewAfterAFontChange) {
  std::uint16_t width = 10;
  int loads = 0;
  CharAdvances advances([&](char16_t, CharAdvances::Block& widths) {
    ++loads;
    widths.fill(width);
  });
  EXPECT_EQ(advances.Of(L'a') + advances.Of(L'b'), 20);
  EXPECT_EQ(loads, 1);
  width = 12;
  advances.Forget();
  EXPECT_EQ(advances.Of(L'a'), 12);
}

}  // namespace
}  // namespace pravex::text
