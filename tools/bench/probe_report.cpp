#include "tools/bench/probe_report.h"

#include <windows.h>

#include <cstdio>
#include <stdexcept>
#include <string>

#include "win32/handles.h"

namespace pravex::bench {

namespace {

constexpr std::size_t kPieceBytes = 1u << 20;

void WriteAll(HANDLE file, const std::string& bytes) {
  DWORD written = 0;
  if (!::WriteFile(file, bytes.data(), static_cast<DWORD>(bytes.size()), &written, nullptr) ||
      written != bytes.size()) {
    throw std::runtime_error("cannot write the sample report (error " +
                             std::to_string(::GetLastError()) + ")");
  }
}

}  // namespace

void WriteSampleReport(const std::wstring& path, std::uint64_t bytes) {
  const win32::UniqueFile file(::CreateFileW(path.c_str(), GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                                             FILE_ATTRIBUTE_NORMAL, nullptr));
  if (!file) throw std::runtime_error("cannot create the sample report");
  std::string piece = "ZPX STATUS REPORT\r\nLicense check: OK\r\nRuntime service: RUNNING\r\n";
  std::uint64_t left = bytes;
  char line[96];
  for (unsigned number = 1; left > 0; ++number) {
    std::snprintf(line, sizeof(line),
                  "2024-05-14 09:31:07 #%08u ZpxRuntime heartbeat: queue 0, 41 MB in use\r\n",
                  number);
    piece += line;
    if (piece.size() >= kPieceBytes || piece.size() >= left) {
      if (piece.size() > left) piece.resize(static_cast<std::size_t>(left));
      WriteAll(file.get(), piece);
      left -= piece.size();
      piece.clear();
    }
  }
}

}  // namespace pravex::bench
