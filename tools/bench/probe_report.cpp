#include "tools/bench/probe_report.h"

#include <windows.h>

#include <stdexcept>
#include <string_view>

#include "tools/statustool/log_padding.h"
#include "win32/handles.h"

namespace pravex::bench {

void WriteSampleReport(const std::wstring& path, std::uint64_t bytes) {
  const win32::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw std::runtime_error("cannot create the sample report");
  using statustool::Stream;
  statustool::Output out(file.get(), file.get());
  const std::string_view header =
      "ZPX STATUS REPORT\r\nLicense check: OK\r\nRuntime service: RUNNING\r\n";
  out.Write(Stream::kOut, header.substr(0, bytes));
  if (bytes > header.size()) {
    statustool::WriteLogLines(out, Stream::kOut, bytes - header.size(), statustool::LineEnd::kCrLf);
  }
}

}  // namespace pravex::bench
