// The ranges a screen reader moves and expands by each unit, kept valid
// after edits, and the text it looks for in them.
#include "text/text_range.h"

#include <gtest/gtest.h>

#include <cwctype>
#include <string>

#include "text/caret_stops.h"

namespace pravex::text {
namespace {

// A character beyond the first 65536: two UTF-16 code units.
#define PAIR L"\xD83D\xDE00"

// Display lines at 10 characters of 10 pixels ('i' 5):
//   0 "one two\r\n"  9 "three four "  20 "five six\r\n"  30 "\r\n"  32 "x" PAIR "y"
constexpr std::wstring_view kText = L"one two\r\nthree four five six\r\n\r\nx" PAIR L"y";

class TextRangeTest : public ::testing::Test {
 protected:
  void SetUp() override { lines_.Wrap(kText, advances_, {.width = 100, .tabWidth = 80}); }
  TextUnits Units() const { return TextUnits(kText, lines_); }

  CharAdvances advances_{[](char16_t first, CharAdvances::Block& widths) {
    for (std::size_t i = 0; i < widths.size(); ++i) widths[i] = first + i == L'i' ? 5 : 10;
  }};
  LineLayout lines_;
};

using U = TextUnit;

TEST_F(TextRangeTest, ExpandsToTheUnitHoldingTheStart) {
  struct Row {
    TextUnit unit;
    Span span;
    Span expanded;
  };
  const Row rows[] = {
      {U::kCharacter, {0, 0}, {0, 1}},     {U::kCharacter, {7, 7}, {7, 9}},  // CR LF is one
      {U::kCharacter, {34, 34}, {33, 35}},                                   // inside the pair
      {U::kCharacter, {36, 36}, {35, 36}},                                   // at the end: the last
      {U::kWord, {5, 5}, {4, 7}},          {U::kWord, {3, 3}, {0, 4}},      // a blank ends its word
      {U::kWord, {8, 8}, {7, 9}},          {U::kWord, {16, 30}, {15, 20}},  // longer: shortened
      {U::kWord, {36, 36}, {32, 36}},      {U::kFormat, {5, 5}, {4, 7}},    // format is word
      {U::kLine, {19, 19}, {9, 20}},       {U::kLine, {22, 22}, {20, 30}},
      {U::kLine, {36, 36}, {32, 36}},      {U::kParagraph, {0, 0}, {0, 9}},
      {U::kParagraph, {22, 22}, {9, 30}},  {U::kParagraph, {31, 31}, {30, 32}},
      {U::kPage, {5, 5}, {0, 36}},         {U::kDocument, {5, 9}, {0, 36}},
  };
  for (std::size_t row = 0; row < std::size(rows); ++row) {
    const Row& r = rows[row];
    const Span expanded = Units().Expand(r.unit, r.span);
    EXPECT_EQ(expanded.start, r.expanded.start) << "row " << row;
    EXPECT_EQ(expanded.end, r.expanded.end) << "row " << row;
  }
}

TEST_F(TextRangeTest, MovesRangesAndEndpointsByUnits) {
  enum class What { kRange, kStart, kEnd };
  struct Row {
    What what;
    TextUnit unit;
    int count;
    Span span;
    int moved;
    Span after;
  };
  const Row rows[] = {
      // An empty range moves as the caret, onto the text's end too.
      {What::kRange, U::kCharacter, 1, {33, 33}, 1, {35, 35}},
      {What::kRange, U::kCharacter, -1, {35, 35}, -1, {33, 33}},
      {What::kRange, U::kCharacter, 2, {6, 6}, 2, {9, 9}},
      {What::kRange, U::kWord, 1, {5, 5}, 1, {7, 7}},
      {What::kRange, U::kWord, -1, {5, 5}, -1, {4, 4}},
      {What::kRange, U::kLine, 1, {35, 35}, 1, {36, 36}},
      {What::kRange, U::kLine, -2, {36, 36}, -2, {30, 30}},
      {What::kRange, U::kLine, -1, {0, 0}, 0, {0, 0}},
      {What::kRange, U::kDocument, 1, {5, 5}, 1, {36, 36}},
      // Any other becomes the unit it lands on, counted from its own start.
      {What::kRange, U::kCharacter, 1, {0, 1}, 1, {1, 2}},
      {What::kRange, U::kCharacter, 5, {33, 35}, 1, {35, 36}},
      {What::kRange, U::kCharacter, 1, {35, 36}, 0, {35, 36}},  // nothing after the last
      {What::kRange, U::kWord, 2, {16, 18}, 2, {25, 28}},
      {What::kRange, U::kWord, -3, {16, 18}, -3, {4, 7}},
      {What::kRange, U::kLine, 1, {0, 3}, 1, {9, 20}},
      {What::kRange, U::kLine, 10, {0, 1}, 4, {32, 36}},
      {What::kRange, U::kLine, 1, {32, 33}, 0, {32, 33}},
      {What::kRange, U::kParagraph, 1, {10, 12}, 1, {30, 32}},
      {What::kRange, U::kParagraph, -1, {31, 31}, -1, {9, 9}},
      {What::kRange, U::kDocument, 1, {0, 5}, 0, {0, 5}},
      // An end moved past the other takes it along.
      {What::kEnd, U::kCharacter, 2, {0, 32}, 2, {0, 35}},
      {What::kStart, U::kWord, 2, {0, 5}, 2, {7, 7}},
      {What::kEnd, U::kLine, -1, {5, 25}, -1, {5, 20}},
      {What::kEnd, U::kLine, 10, {0, 0}, 5, {0, 36}},
      {What::kEnd, U::kParagraph, -1, {30, 30}, -1, {9, 9}},
      {What::kStart, U::kDocument, -1, {5, 9}, -1, {0, 9}},
      {What::kEnd, U::kDocument, 1, {0, 36}, 0, {0, 36}},
  };
  for (std::size_t row = 0; row < std::size(rows); ++row) {
    const Row& r = rows[row];
    Span span = r.span;
    const int moved =
        r.what == What::kRange
            ? Units().Move(r.unit, r.count, span)
            : Units().MoveEndpoint(r.what == What::kStart ? Endpoint::kStart : Endpoint::kEnd,
                                   r.unit, r.count, span);
    EXPECT_EQ(moved, r.moved) << "row " << row;
    EXPECT_EQ(span.start, r.after.start) << "row " << row;
    EXPECT_EQ(span.end, r.after.end) << "row " << row;
  }
}

TEST_F(TextRangeTest, RangesThatOutliveAnEditAreClampedOntoTheNewText) {
  const Span kept = Units().Clamp({34, 40});  // into the pair and past the end
  EXPECT_EQ(kept, (Span{33, 36}));

  const std::wstring shorter = L"ab";
  LineLayout lines;
  lines.Wrap(shorter, advances_, {.width = 100, .tabWidth = 80});
  const TextUnits units(shorter, lines);
  EXPECT_EQ(units.Clamp({20, 30}), (Span{2, 2}));
  Span span{20, 30};
  EXPECT_EQ(units.Move(U::kLine, 1, span), 0);
  EXPECT_EQ(span, (Span{20, 30})) << "unmoved, but read through Clamp from here on";
  EXPECT_EQ(units.Expand(U::kWord, {20, 30}), (Span{0, 2}));

  LineLayout none;
  none.Wrap(L"", advances_, {.width = 100, .tabWidth = 80});
  const TextUnits empty(L"", none);
  for (const TextUnit unit : {U::kCharacter, U::kWord, U::kLine, U::kParagraph, U::kDocument}) {
    EXPECT_EQ(empty.Expand(unit, {3, 3}), (Span{0, 0})) << static_cast<int>(unit);
    Span at{0, 0};
    EXPECT_EQ(empty.Move(unit, 1, at), 0) << static_cast<int>(unit);
  }
}

// Ctrl+Left stops at the line break before an indented line; a word
// before the line's first one starts at its leading blanks.
TEST_F(TextRangeTest, MovesBackByWordOntoAnIndentedLinesLeadingBlanks) {
  const std::wstring text = L"ab\r\n  cd";
  LineLayout lines;
  lines.Wrap(text, advances_, {.width = 100, .tabWidth = 80});
  Span caret{6, 6};
  EXPECT_EQ(TextUnits(text, lines).Move(U::kWord, -1, caret), -1);
  EXPECT_EQ(caret, (Span{4, 4}));
}

TEST(FindTextTest, ForwardBackwardAndIgnoringCase) {
  auto lower = [](wchar_t c) { return static_cast<wchar_t>(std::towlower(c)); };
  struct Row {
    Span within;
    std::wstring_view needle;
    bool backward;
    bool ignoreCase;
    std::optional<Span> found;
  };
  const Row rows[] = {
      {{0, 11}, L"one", false, false, Span{8, 11}},  {{0, 11}, L"one", false, true, Span{0, 3}},
      {{0, 11}, L"ONE", true, true, Span{8, 11}},    {{1, 11}, L"one", false, true, Span{8, 11}},
      {{0, 10}, L"one", false, false, std::nullopt}, {{0, 11}, L"", false, false, std::nullopt},
  };
  for (std::size_t row = 0; row < std::size(rows); ++row) {
    const Row& r = rows[row];
    EXPECT_EQ(
        FindText(L"One two one", r.within, r.needle, r.backward, r.ignoreCase ? +lower : nullptr),
        r.found)
        << "row " << row;
  }
}

}  // namespace
}  // namespace pravex::text
