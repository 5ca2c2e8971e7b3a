// The stand-in for the maker's status tool, named after the configured
// command. It lets a newcomer see every result window and lets the
// end-to-end tests drive every path; it never ships with Pravex.
//
//   set PRAVEX_SAMPLE=expired
//   qvstatus /product:vastrel
#include <cstdio>
#include <string>

#include "pravex_config.h"
#include "tools/statustool/output.h"
#include "tools/statustool/report_values.h"
#include "tools/statustool/samples.h"
#include "tools/statustool/settings.h"

namespace {

constexpr int kUsageExitCode = 2;

}  // namespace

int wmain(int argc, wchar_t** argv) {
  using namespace pravex::statustool;
  namespace config = pravex::config;
  const std::wstring command(config::kStatusCommand);

  if (argc == 2 && argv[1] == kHelperArgument) {
    std::wstring problem;
    const auto settings = ReadSettings(problem);
    return settings ? RunHelper(*settings) : kUsageExitCode;
  }
  const std::optional<ReportValues> values = argc == 2 ? ConfiguredValues(argv[1]) : std::nullopt;
  if (!values) {
    std::fwprintf(stderr, L"usage: %ls %ls | %ls\n", command.c_str(),
                  std::wstring(config::kArgVastrel).c_str(), std::wstring(config::kArgZpx).c_str());
    return kUsageExitCode;
  }
  std::wstring problem;
  const auto settings = ReadSettings(problem);
  if (!settings) {
    std::fwprintf(stderr, L"%ls: %ls\n", command.c_str(), problem.c_str());
    return kUsageExitCode;
  }
  const Sample* sample = FindSample(settings->sample);
  if (!sample) {
    std::fwprintf(stderr, L"%ls: no sample \"%ls\"; PRAVEX_SAMPLE is one of %ls\n", command.c_str(),
                  settings->sample.c_str(), SampleNames().c_str());
    return kUsageExitCode;
  }
  Output out;
  return RunSample(*sample, *values, *settings, out);
}
