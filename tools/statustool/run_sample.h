// Gives a sample's report the way the sample says.
#pragma once

#include "tools/statustool/output.h"
#include "tools/statustool/report_values.h"
#include "tools/statustool/samples.h"
#include "tools/statustool/settings.h"

namespace pravex::statustool {

// The process exit code; a crashing sample never returns.
int RunSample(const Sample& sample, const ReportValues& values, const Settings& settings,
              Output& out);

}  // namespace pravex::statustool
