#include "tools/bench/command_lines.h"

#include "forms/main/report_name.h"
#include "pravex_config.h"

namespace pravex::bench {

namespace {

constexpr std::wstring_view kInterpreterVariable = L"%ComSpec% ";

}  // namespace

std::wstring InterpreterArguments(std::wstring_view reportPath) {
  const std::wstring command =
      std::wstring(config::kStatusCommand) + L" " + std::wstring(config::kArgVastrel);
  std::wstring line = ReportCommandLine(command, reportPath);
  if (line.starts_with(kInterpreterVariable)) line.erase(0, kInterpreterVariable.size());
  return line;
}

std::wstring PathWithFolderFirst(std::wstring_view folder, std::wstring_view path) {
  std::wstring joined(folder);
  if (!path.empty()) {
    joined += L';';
    joined += path;
  }
  return joined;
}

}  // namespace pravex::bench
