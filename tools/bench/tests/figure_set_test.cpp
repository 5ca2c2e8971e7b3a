#include "tools/bench/figure_set.h"

#include <gtest/gtest.h>

#include <stdexcept>

namespace pravex::bench {
namespace {

StartupSamples Startups() {
  return {.emptyMs = {200, 210, 190, 205, 195},
          .pravexMs = {240, 245, 230, 900, 235},
          .emptyPeakBytes = {10e6, 10e6, 10e6, 10e6, 10e6},
          .pravexPeakBytes = {14e6, 14e6, 14e6, 14e6, 14e6}};
}

DiagnosisSamples Diagnoses(std::uint64_t bytes) {
  return {.reportBytes = bytes,
          .interpreterMs = {100, 100, 100, 100, 100},
          .pravexMs = {150, 150, 150, 150, 150},
          .pravexPeakBytes = {60e6, 60e6, 60e6, 60e6, 60e6}};
}

const Figure* Named(const std::vector<Figure>& figures, std::string_view start) {
  for (const Figure& figure : figures) {
    if (figure.name.starts_with(start)) return &figure;
  }
  return nullptr;
}

TEST(MedianTest, OddCountGivesTheMiddleValue) {
  EXPECT_DOUBLE_EQ(Median({5, 1, 3}), 3);
}

TEST(MedianTest, EvenCountGivesTheMeanOfTheMiddleTwo) {
  EXPECT_DOUBLE_EQ(Median({4, 1, 3, 2}), 2.5);
}

TEST(MedianTest, OneSlowRunDoesNotMoveIt) {
  EXPECT_DOUBLE_EQ(Median({300, 310, 305, 9000, 302}), 305);
}

TEST(MedianTest, OneValueIsItsOwnMedian) {
  EXPECT_DOUBLE_EQ(Median({42}), 42);
}

TEST(MedianTest, NoValuesThrow) {
  EXPECT_THROW(Median({}), std::invalid_argument);
}

TEST(ReportLabelTest, NamesTheSizesInDecimalUnits) {
  EXPECT_EQ(ReportLabel(1'000), "1 KB");
  EXPECT_EQ(ReportLabel(1'000'000), "1 MB");
  EXPECT_EQ(ReportLabel(20'000'000), "20 MB");
}

TEST(GoalsTest, DiagnosisGoalsDependOnTheReportSize) {
  EXPECT_EQ(DiagnosisGoal(1'000).kind, GoalKind::kOwnCostAtMost);
  EXPECT_DOUBLE_EQ(DiagnosisGoal(1'000).limit, 15);
  EXPECT_DOUBLE_EQ(DiagnosisGoal(1'000'000).limit, 1.1);
  EXPECT_DOUBLE_EQ(DiagnosisGoal(20'000'000).limit, 1.3);
  EXPECT_EQ(DiagnosisGoal(5'000).kind, GoalKind::kNone);
}

TEST(GoalsTest, MemoryGoalIsTwiceTheReportAndTwentyFiveMegabytes) {
  EXPECT_EQ(MemoryGoal(20'000'000).kind, GoalKind::kMeasuredAtMost);
  EXPECT_DOUBLE_EQ(MemoryGoal(20'000'000).limit, 65e6);
  EXPECT_EQ(MemoryGoal(1'000'000).kind, GoalKind::kNone);
}

TEST(BuildFiguresTest, TakesMediansAndComparesWithTheBaselines) {
  const auto figures = BuildFigures(Startups(), {Diagnoses(20'000'000)}, {345088, 20000});
  const Figure* startup = Named(figures, "start-up");
  ASSERT_NE(startup, nullptr);
  EXPECT_DOUBLE_EQ(*startup->measured, 240);
  EXPECT_DOUBLE_EQ(*startup->baseline, 200);
  EXPECT_EQ(GoalMet(*startup), true);

  const Figure* memory = Named(figures, "peak working set, 20 MB");
  ASSERT_NE(memory, nullptr);
  EXPECT_DOUBLE_EQ(*memory->measured, 60e6);
  EXPECT_DOUBLE_EQ(*memory->baseline, 10e6);
  EXPECT_EQ(GoalMet(*memory), true);

  const Figure* size = Named(figures, "Pravex.exe");
  ASSERT_NE(size, nullptr);
  EXPECT_EQ(GoalMet(*size), true);
}

TEST(BuildFiguresTest, TheSmallestReportHasNoMemoryRowOfItsOwn) {
  const auto figures = BuildFigures(Startups(), {Diagnoses(1'000)}, {1, 1});
  EXPECT_NE(Named(figures, "diagnosis, 1 KB"), nullptr);
  EXPECT_EQ(Named(figures, "peak working set, 1 KB"), nullptr);
}

TEST(BuildFiguresTest, RunsThatStoppedGiveNoFigureButTheReason) {
  DiagnosisSamples stopped = Diagnoses(1'000'000);
  stopped.problem = "gave up waiting";
  const auto figures = BuildFigures(Startups(), {stopped}, {1, 1});
  const Figure* diagnosis = Named(figures, "diagnosis, 1 MB");
  ASSERT_NE(diagnosis, nullptr);
  EXPECT_FALSE(diagnosis->measured);
  EXPECT_EQ(diagnosis->problem, "gave up waiting");
  EXPECT_EQ(GoalMet(*diagnosis), std::nullopt);
}

}  // namespace
}  // namespace pravex::bench
