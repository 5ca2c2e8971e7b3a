// Word boundaries for Ctrl+Left/Right and double-click.
#include "text/word_bounds.h"

#include <gtest/gtest.h>

#include <string_view>

namespace pravex::text {
namespace {

TEST(WordBoundsTest, CtrlArrowsAndDoubleClick) {
  struct Row {
    std::wstring_view text;
    std::size_t from;
    std::size_t next;      // Ctrl+Right
    std::size_t previous;  // Ctrl+Left
    Span word;             // double-click
  };
  const Row rows[] = {
      {L"one two", 0, 4, 0, {0, 4}},   {L"one two", 2, 4, 0, {0, 4}}, {L"one two", 4, 7, 0, {4, 7}},
      {L"one two", 7, 7, 4, {4, 7}},    // at the end: the word before
      {L"one   two", 4, 6, 0, {3, 6}},  // in blanks: the blanks
      {L"a.b", 0, 1, 0, {0, 1}},        // punctuation is a word of its own
      {L"ab\r\ncd", 2, 4, 0, {0, 2}},   // CR LF is one step, and no word
      {L"ab\r\ncd", 4, 6, 2, {4, 6}},  {L"ab \r\n", 5, 5, 3, {5, 5}},  // on the empty last line
      {L"", 0, 0, 0, {0, 0}},          {L"a_b c", 0, 4, 0, {0, 4}},    // an underscore joins a word
  };
  for (std::size_t row = 0; row < std::size(rows); ++row) {
    const Row& r = rows[row];
    EXPECT_EQ(NextWordStart(r.text, r.from), r.next) << "row " << row;
    EXPECT_EQ(PreviousWordStart(r.text, r.from), r.previous) << "row " << row;
    const Span word = WordAt(r.text, r.from);
    EXPECT_EQ(word.start, r.word.start) << "row " << row;
    EXPECT_EQ(word.end, r.word.end) << "row " << row;
  }
}
}  // namespace
}  // namespace pravex::text
