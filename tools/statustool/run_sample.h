// Gives a sample's report the way the sample says.
#pragma once

#include <string_view>

#include "tools/statustool/output.h"
#include "tools/statustool/report_values.h"
#include "tools/statustool/samples.h"
#include "tools/statustool/settings.h"

namespace pravex::statustool {

// The tool started as the helper that the "helper" sample leaves running.
inline constexpr std::wstring_view kHelperArgument = L"/helper";

// The helper's life: PRAVEX_SAMPLE_SECONDS of sleep.
int RunHelper(const Settings& settings);

// The process exit code; a crashing sample never returns.
int RunSample(const Sample& sample, const ReportValues& values, const Settings& settings,
              Output& out);

}  // namespace pravex::statustool
