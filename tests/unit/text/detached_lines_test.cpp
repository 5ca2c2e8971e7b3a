// Lines laid out on their own far into a text, and the estimates that
// number them.
#include "text/detached_lines.h"

#include <gtest/gtest.h>

#include <string>

#include "tests/unit/text/test_advances.h"

namespace pravex::text {
namespace {

TEST(DetachedLinesTest, AreTheLinesTheWholeLayoutFindsThere) {
  std::wstring text;
  for (int n = 0; text.size() < 20'000; ++n) {
    text += std::wstring(static_cast<std::size_t>(n * 7 % 45), L'i') + L" word W" +
            (n % 5 == 0 ? L"\n" : L"\r\n");
  }
  CharAdvances advances = TestAdvances();
  const WrapOptions options{.width = 120, .tabWidth = 40};
  LineLayout whole;
  whole.Wrap(text, advances, options);
  struct Row {
    std::size_t pos, floor, before, after;
  };
  const std::size_t end = text.size();
  const Row rows[] = {
      {10'000, 0, 0, 30},     // inside a hard line
      {12'003, 9'000, 4, 1},  // lines above it too
      {end, 0, 29, 0},        // the last screen
      {end - 5, 0, 0, 30},    // the text ends first
      {300, 0, 1'000, 5},     // earlier lines down to the text's start
  };
  for (const Row& row : rows) {
    const std::size_t floor = whole.LineStart(whole.LineOf(row.floor));
    const auto lines =
        DetachedLines::Around(text, advances, options, row.pos,
                              IsHardLineStart(text, floor) ? floor : 0, row.before, row.after);
    ASSERT_TRUE(lines) << row.pos;
    const std::size_t offset = whole.LineOf(lines->First());
    EXPECT_EQ(whole.LineStart(offset), lines->First()) << row.pos;
    for (std::size_t line = 0; line < lines->LineCount(); ++line) {
      EXPECT_EQ(lines->LineStart(line), whole.LineStart(offset + line)) << row.pos << " " << line;
      EXPECT_EQ(lines->LineEnd(text, line), whole.LineEnd(text, offset + line)) << row.pos;
    }
    const std::size_t at = lines->LineOf(row.pos);
    EXPECT_EQ(offset + at, whole.LineOf(row.pos)) << row.pos;
    EXPECT_TRUE(at >= row.before || lines->First() <= floor) << row.pos;
    EXPECT_TRUE(lines->LineCount() > at + row.after || lines->ReachesEnd()) << row.pos;
    EXPECT_EQ(lines->ReachesEnd(), offset + lines->LineCount() == whole.LineCount()) << row.pos;
  }
  // No line break within reach: the caller lays out from the start instead.
  const std::wstring long_(200'000, L'i');
  EXPECT_FALSE(DetachedLines::Around(long_, advances, options, 150'000, 0, 0, 5));
  EXPECT_EQ(DetachedLines::Around(long_, advances, options, 50'000, 0, 0, 5)->First(), 0u);
}

TEST(DetachedLinesTest, EstimatesGoByTheLinesLaidOutSoFar) {
  EXPECT_EQ(EstimatedLineCount(10, 100, 1'000), 100u);
  EXPECT_EQ(EstimatedLineCount(10, 100, 50), 10u);  // never fewer than laid out
  EXPECT_EQ(EstimatedLineCount(1, 0, 1'000), 1u);
  EXPECT_EQ(EstimatedLineStart(20, 10, 100, 1'000), 200u);
  EXPECT_EQ(EstimatedLineStart(500, 10, 100, 1'000), 1'000u);  // at most the end
  EXPECT_EQ(EstimatedLineStart(5, 10, 100, 1'000), 100u);      // within: where the layout stops
}
}  // namespace
}  // namespace pravex::text
