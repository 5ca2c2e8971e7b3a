#include "tools/bench/interaction_table.h"

#include <gtest/gtest.h>

#include <string>

namespace pravex::bench {
namespace {

InteractionRun Timings(double painted, double nextKey, double keys, int dragSteps = kDragSteps) {
  InteractionRun run;
  run.ms.fill(keys);
  run.ms[static_cast<std::size_t>(Interaction::kResizePainted)] = painted;
  run.ms[static_cast<std::size_t>(Interaction::kResizeNextKey)] = nextKey;
  run.dragSteps = dragSteps;
  return run;
}

// The row of the table that starts with `name`.
std::string Row(const std::string& table, const std::string& name) {
  const std::size_t start = table.find("| " + name + " |");
  return start == std::string::npos ? "" : table.substr(start, table.find('\n', start) - start);
}

TEST(InteractionTableTest, SetsTheGoalsOnPravexWithTheLargeReport) {
  struct Case {
    double painted, nextKey, keys;
    const char* nextKeyVerdict;
    const char* keyVerdict;
  };
  const Case cases[] = {
      {40, 48, 16, "yes", "yes"},
      {40, 49, 17, "**no**", "**no**"},
  };
  for (const Case& c : cases) {
    const std::vector<InteractionColumn> columns = {
        {.heading = "Pravex 1 MB",
         .pravex = true,
         .reportBytes = 1'000'000,
         .runs = {Timings(1, 1, 99)}},
        {.heading = "Pravex 20 MB",
         .pravex = true,
         .reportBytes = 20'000'000,
         .runs = {Timings(c.painted, c.nextKey, c.keys), Timings(c.painted, c.nextKey, c.keys),
                  Timings(900, 900, 900)}},
        {.heading = "system text box 20 MB",
         .reportBytes = 20'000'000,
         .runs = {Timings(5, 5, 5, 3)}},
    };
    const std::string table = InteractionTable(columns);
    EXPECT_EQ(table.substr(0, table.find('\n')),
              "| interaction | Pravex 1 MB | Pravex 20 MB | system text box 20 MB | goal (Pravex, "
              "20 MB) | met? |");
    EXPECT_EQ(Row(table, "resize, next key handled"),
              "| resize, next key handled | 1 ms | " + std::to_string(int(c.nextKey)) +
                  " ms | 5 ms | <= 1.2x resize, painted | " + c.nextKeyVerdict + " |");
    EXPECT_EQ(Row(table, "Page Down"), "| Page Down | 99 ms | " + std::to_string(int(c.keys)) +
                                           " ms | 5 ms | <= 16 ms | " + c.keyVerdict + " |");
    EXPECT_EQ(Row(table, "drag of 20 width steps, slowest step"),
              "| drag of 20 width steps, slowest step | 99 ms | " + std::to_string(int(c.keys)) +
                  " ms | 5 ms (3 steps) | - | - |");
  }
}

TEST(InteractionTableTest, SaysWhyAColumnOrTheUploadWasNotMeasured) {
  const std::string table = InteractionTable({{.heading = "Pravex 20 MB",
                                               .pravex = true,
                                               .reportBytes = 20'000'000,
                                               .problem = "the spare key was not taken"}});
  EXPECT_EQ(Row(table, "Ctrl+End"),
            "| Ctrl+End | not measured: the spare key was not taken | <= 16 ms | - |");
  const std::string upload = UploadTable({.runs = {{12'000, 12'000}, {13'000, 4}, {11'000, 2}}});
  EXPECT_EQ(Row(upload, "the upload, OK to the outcome's box"),
            "| the upload, OK to the outcome's box | 12.00 s | - | - |");
  const std::string answer = "longest wait for an answer, to a sent message or a key";
  EXPECT_EQ(Row(upload, answer), "| " + answer + " | 4 ms | <= 1000 ms | yes |");
  EXPECT_EQ(Row(UploadTable({.runs = {{9'000, 1'001}}}), answer),
            "| " + answer + " | 1001 ms | <= 1000 ms | **no** |");
  EXPECT_EQ(Row(UploadTable({.problem = "no drop"}), answer),
            "| " + answer + " | not measured: no drop | <= 1000 ms | - |");
}

}  // namespace
}  // namespace pravex::bench
