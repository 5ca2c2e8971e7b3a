// Summaries of repeated measurements.
#pragma once

#include <vector>

namespace pravex::bench {

// The middle value, or the mean of the two middle ones for an even count:
// one slow run (a page-in, another process) does not move it.
// Throws std::invalid_argument for no values.
double Median(std::vector<double> values);

}  // namespace pravex::bench
