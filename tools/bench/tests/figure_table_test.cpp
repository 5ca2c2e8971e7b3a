#include "tools/bench/figure_table.h"

#include <gtest/gtest.h>

namespace pravex::bench {
namespace {

Figure Timed(double measured, double baseline, Goal goal) {
  return Figure{.name = "start-up",
                .unit = Unit::kMilliseconds,
                .measured = measured,
                .baseline = baseline,
                .goal = goal};
}

TEST(FormatValueTest, ShowsMillisecondsThenSeconds) {
  EXPECT_EQ(FormatValue(412.4, Unit::kMilliseconds), "412 ms");
  EXPECT_EQ(FormatValue(12345, Unit::kMilliseconds), "12.35 s");
}

TEST(FormatValueTest, ShowsDecimalKilobytesAndMegabytes) {
  EXPECT_EQ(FormatValue(345088, Unit::kBytes), "345.1 KB");
  EXPECT_EQ(FormatValue(90'000'000, Unit::kBytes), "90.0 MB");
  EXPECT_EQ(FormatValue(512, Unit::kBytes), "512 B");
}

TEST(GoalTest, RatioGoalIsMetUpToTheLimit) {
  EXPECT_EQ(GoalMet(Timed(130, 100, {GoalKind::kRatioAtMost, 1.3})), true);
  EXPECT_EQ(GoalMet(Timed(131, 100, {GoalKind::kRatioAtMost, 1.3})), false);
}

TEST(GoalTest, OwnCostGoalIsMetUpToTheLimitAndPrefersTheCostMeasuredApart) {
  EXPECT_EQ(GoalMet(Timed(115, 100, {GoalKind::kOwnCostAtMost, 15})), true);
  Figure figure = Timed(116, 100, {GoalKind::kOwnCostAtMost, 15});
  EXPECT_EQ(GoalMet(figure), false);
  EXPECT_EQ(GoalText(figure), "own <= 15 ms");
  figure.own = 12;
  EXPECT_EQ(GoalMet(figure), true);
}

TEST(GoalTest, BelowGoalIsNotMetAtTheLimit) {
  Figure size{.unit = Unit::kBytes, .measured = 2e6, .goal = {GoalKind::kMeasuredBelow, 2e6}};
  EXPECT_EQ(GoalMet(size), false);
  size.measured = 1.99e6;
  EXPECT_EQ(GoalMet(size), true);
  EXPECT_EQ(GoalText(size), "< 2.0 MB");
}

TEST(GoalTest, NoGoalOrNoValueMeansNoVerdict) {
  EXPECT_EQ(GoalMet(Timed(100, 100, {})), std::nullopt);
  Figure missing = Timed(0, 100, {GoalKind::kRatioAtMost, 1.2});
  missing.measured.reset();
  EXPECT_EQ(GoalMet(missing), std::nullopt);
  EXPECT_EQ(RatioOf(missing), std::nullopt);
}

TEST(MarkdownTableTest, PrintsOneRowPerFigure) {
  const std::string table = MarkdownTable({Timed(260, 200, {GoalKind::kRatioAtMost, 1.3})});
  EXPECT_EQ(table,
            "| figure | measured | baseline | ratio | Pravex's own | goal | met? |\n"
            "|---|---:|---:|---:|---:|---|---|\n"
            "| start-up | 260 ms | 200 ms | 1.30x | 60 ms | <= 1.3x | yes |\n");
}

TEST(MarkdownTableTest, AMissedGoalStandsOut) {
  const std::string table = MarkdownTable({Timed(300, 200, {GoalKind::kRatioAtMost, 1.3})});
  EXPECT_NE(table.find("| 1.50x | 100 ms | <= 1.3x | **no** |"), std::string::npos) << table;
}

TEST(MarkdownTableTest, ARatioJustOverItsLimitShowsOneMoreDecimal) {
  const std::string table = MarkdownTable({Timed(177, 136, {GoalKind::kRatioAtMost, 1.3})});
  EXPECT_NE(table.find("| 1.301x | 41 ms | <= 1.3x | **no** |"), std::string::npos) << table;
}

TEST(MarkdownTableTest, SaysWhyAFigureIsMissingWithoutBreakingTheRow) {
  Figure figure = Timed(0, 0, {GoalKind::kRatioAtMost, 1.2});
  figure.measured.reset();
  figure.baseline.reset();
  figure.problem = "gave up | after 5 ms";
  const std::string table = MarkdownTable({figure});
  EXPECT_NE(table.find("| not measured: gave up / after 5 ms |"), std::string::npos) << table;
  EXPECT_NE(table.find("| - | - | <= 1.2x | - |"), std::string::npos) << table;
}

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
