// Caret stops around surrogate pairs and CR LF.
#include "text/caret_stops.h"

#include <gtest/gtest.h>

#include <string_view>

namespace pravex::text {
namespace {

// A character beyond the first 65536: two UTF-16 code units.
#define PAIR L"\xD83D\xDE00"

TEST(CaretStopsTest, NeverInsideASurrogatePairOrCrLf) {
  struct Row {
    std::wstring_view text;
    std::size_t pos;
    bool stop;
    std::size_t atOrBefore;
    std::size_t next;
    std::size_t previous;
  };
  const Row rows[] = {
      {L"a" PAIR L"b", 1, true, 1, 3, 0},
      {L"a" PAIR L"b", 2, false, 1, 3, 1},
      {L"a" PAIR L"b", 3, true, 3, 4, 1},
      {L"a\r\nb", 2, false, 1, 3, 1},
      {L"a\r\nb", 3, true, 3, 4, 1},
      {L"\r\r\n", 1, true, 1, 3, 0},
      {L"\xDE00\xD83D", 1, true, 1, 2, 0},  // halves the wrong way round are two characters
      {L"ab", 5, false, 2, 2, 1},           // past the end
      {L"", 0, true, 0, 0, 0},
  };
  for (std::size_t row = 0; row < std::size(rows); ++row) {
    const Row& r = rows[row];
    if (r.pos <= r.text.size()) {
      EXPECT_EQ(IsCaretStop(r.text, r.pos), r.stop) << "row " << row;
    }
    EXPECT_EQ(CaretStopAtOrBefore(r.text, r.pos), r.atOrBefore) << "row " << row;
    EXPECT_EQ(NextCaretStop(r.text, r.pos), r.next) << "row " << row;
    EXPECT_EQ(PreviousCaretStop(r.text, r.pos), r.previous) << "row " << row;
  }
}
}  // namespace
}  // namespace pravex::text
