#include <gtest/gtest.h>

#include <string>

#include "diagnosis/classification.h"

namespace pravex {
namespace {

// Markers with the shapes the table relies on: two families with their own
// leading text, row 3 a prefix of row 1, row 6 a prefix of rows 4 and 5.
const ClassificationTable kTable{
    L"VALID",
    {{{L"LIC: bad (expired)", L"one"},
      {L"LIC: none", L"two"},
      {L"LIC: bad", L"three"},
      {L"SVC: down (crash)", L"four"},
      {L"SVC: down (off)", L"five"},
      {L"SVC: down", L"six"}}},
};

TEST(Classify, TriesValidityThenTheRowsInOrder) {
  struct Case {
    const wchar_t* report;
    bool valid;
    int row;
  };
  const Case cases[] = {
      {L"", false, 0},
      {L"nothing here", false, 0},
      {L"LIC: none but not valid", false, 0},  // no validity marker beats any row
      {L"VALID", true, 0},
      {L"xxVALIDxx\r\nall well", true, 0},
      {L"VALID LIC: bad (expired)", true, 1},  // row 1 beats row 3, its prefix
      {L"VALID LIC: bad", true, 3},
      {L"VALID LIC: none", true, 2},
      {L"VALID SVC: down (crash)", true, 4},  // row 4 beats row 6
      {L"VALID SVC: down (off)", true, 5},
      {L"VALID SVC: down", true, 6},
      {L"SVC: down (crash) LIC: none VALID", true, 2},  // rows 2 and 4: row 2 wins, wherever
      {L"VALID lic: none SVC: DOWN", true, 0},          // other letter case does not match
      {L"VALID LIC: non", true, 0},                     // a marker must occur whole
      {L"VALI", false, 0},
      {L"VALID LIC: nonLIC: none", true, 2},  // a near miss just before the marker
      {L"LIC: bad (expiredVALID", true, 3},   // the row 1 marker cut short at its end
      {L"VALID LIC: bad, LIC: none, LIC: bad (expired)", true, 1},  // an earlier row found lower
      {L"VALID SVC: down, SVC: down (off)", true, 5},
  };
  for (std::size_t row = 0; row < std::size(cases); ++row) {
    const Verdict verdict = Classify(cases[row].report, kTable);
    EXPECT_EQ(verdict.valid, cases[row].valid) << "row " << row;
    EXPECT_EQ(verdict.row, cases[row].row) << "row " << row;
  }
}

TEST(Classify, FindsMarkersAnywhereInALongReport) {
  std::wstring report(5'000'000, L'x');
  report += L"VALID";
  report.insert(10, L"LIC: none");
  EXPECT_EQ(Classify(report, kTable).row, 2);
  report.push_back(L'\0');
  report += L"SVC: down";
  EXPECT_EQ(Classify(report, kTable).row, 2) << "NUL characters do not end the search";
}

TEST(WindowFor, MapsRowsToTheirWindows) {
  const std::pair<int, ResultKind> cases[] = {
      {0, ResultKind::kResult}, {1, ResultKind::kIssueA}, {2, ResultKind::kIssueB},
      {3, ResultKind::kIssueB}, {4, ResultKind::kIssueC}, {5, ResultKind::kIssueC},
      {6, ResultKind::kIssueD},
  };
  for (std::size_t row = 0; row < std::size(cases); ++row) {
    EXPECT_EQ(WindowFor({true, cases[row].first}), cases[row].second) << "row " << row;
  }
}

// Configuring refuses markers that break the order's rules; what is left is
// that each row of the table as built holds its own marker.
TEST(ConfiguredTable, FindsEachRowByItsOwnMarker) {
  const ClassificationTable& table = ConfiguredTable();
  for (std::size_t row = 0; row < table.rows.size(); ++row) {
    const std::wstring report =
        std::wstring(table.validityMarker) + L"\r\n" + std::wstring(table.rows[row].marker);
    EXPECT_EQ(Classify(report, table).row, static_cast<int>(row) + 1) << "row " << row;
  }
}

}  // namespace
}  // namespace pravex
