#include <gtest/gtest.h>

#include "tools/bench/stage_table.h"

namespace pravex::bench {
namespace {

std::vector<StageMark> MarksOfOneRun(double click, double shown, double peak) {
  return {{"Diagnose clicked", click, 30e6, 30e6}, {"result window visible", shown, 40e6, peak}};
}

TEST(StageTableTest, GivesMediansSinceTheClickAndSinceTheStageBefore) {
  const std::string table = StageTable(
      {MarksOfOneRun(1, 1001, 50e6), MarksOfOneRun(1, 2001, 60e6), MarksOfOneRun(1, 3001, 70e6)});
  EXPECT_NE(table.find("| Diagnose clicked | 1 ms | 0 ms | 30.0 MB | 30.0 MB |"), std::string::npos)
      << table;
  EXPECT_NE(table.find("| result window visible | 2001 ms | 2000 ms | 40.0 MB | 60.0 MB |"),
            std::string::npos)
      << table;
}

TEST(StageTableTest, NoRunsGiveOnlyTheHeading) {
  EXPECT_EQ(StageTable({}),
            "| stage | since click | since previous stage | working set | peak working set |\n"
            "|---|---:|---:|---:|---:|\n");
}

}  // namespace
}  // namespace pravex::bench
