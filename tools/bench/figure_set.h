// The figures the benchmark prints, built from the samples of one run: each
// time and memory figure is a median, set against a baseline measured in the
// same run, with its goal.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <vector>

#include "tools/bench/figure_table.h"

namespace pravex::bench {

// Start-up of the empty window and of Pravex, one value per run.
struct StartupSamples {
  std::vector<double> emptyMs;
  std::vector<double> pravexMs;
  std::vector<double> emptyPeakBytes;
  std::vector<double> pravexPeakBytes;  // main window shown, nothing diagnosed yet
  std::string problem;                  // why the runs stopped, if they did
};

// Diagnoses of one report size, one value per run.
struct DiagnosisSamples {
  std::uint64_t reportBytes = 0;
  std::vector<double> interpreterMs;
  std::vector<double> pravexMs;
  std::vector<double> pravexPeakBytes;
  std::vector<double> ownMs;  // each run's time less its own interpreter's
  std::string problem;
};

struct FileSizes {
  std::optional<double> pravexBytes;
  std::optional<double> emptyWindowBytes;
};

// The middle value, or the mean of the two middle ones for an even count:
// one slow run (a page-in, another process) does not move it.
// Throws std::invalid_argument for no values.
double Median(std::vector<double> values);

// "1 KB", "1 MB", "20 MB".
std::string ReportLabel(std::uint64_t bytes);

// The most Pravex may add to the interpreter's time for a report of this
// size, as a ratio or as its own cost; none for sizes without a goal.
Goal DiagnosisGoal(std::uint64_t reportBytes);

// The most memory Pravex may hold with the report open; none for sizes
// without a goal.
Goal MemoryGoal(std::uint64_t reportBytes);

std::vector<Figure> BuildFigures(const StartupSamples& startup,
                                 const std::vector<DiagnosisSamples>& diagnoses,
                                 const FileSizes& sizes);

}  // namespace pravex::bench
