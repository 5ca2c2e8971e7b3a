#include "tools/bench/stage_table.h"

#include <cstdio>

#include "tools/bench/figure_set.h"

namespace pravex::bench {

std::string StageTable(const std::vector<std::vector<StageMark>>& runs) {
  std::string table =
      "| stage | since click | since previous stage | working set | peak working set |\n"
      "|---|---:|---:|---:|---:|\n";
  if (runs.empty()) return table;
  char row[256];
  for (std::size_t stage = 0; stage < runs.front().size(); ++stage) {
    std::vector<double> since, step, workingSet, peak;
    for (const auto& marks : runs) {
      since.push_back(marks[stage].milliseconds);
      step.push_back(stage == 0 ? 0 : marks[stage].milliseconds - marks[stage - 1].milliseconds);
      workingSet.push_back(marks[stage].workingSetBytes);
      peak.push_back(marks[stage].peakWorkingSetBytes);
    }
    std::snprintf(row, sizeof(row), "| %s | %.0f ms | %.0f ms | %.1f MB | %.1f MB |\n",
                  runs.front()[stage].stage.c_str(), Median(since), Median(step),
                  Median(workingSet) / 1e6, Median(peak) / 1e6);
    table += row;
  }
  return table;
}

}  // namespace pravex::bench
