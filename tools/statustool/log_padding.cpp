#include "tools/statustool/log_padding.h"

#include <charconv>
#include <string>

namespace pravex::statustool {

namespace {

constexpr std::string_view kLineStart = "2024-05-14 09:31:07 #";
constexpr std::string_view kLineRest = " ZpxRuntime heartbeat: queue 0, 41 MB in use";
constexpr int kNumberDigits = 8;

void AppendNumber(std::string& line, std::uint64_t number) {
  char digits[24];
  const auto end = std::to_chars(digits, digits + sizeof(digits), number).ptr;
  const auto length = static_cast<int>(end - digits);
  if (length < kNumberDigits) line.append(static_cast<std::size_t>(kNumberDigits - length), '0');
  line.append(digits, end);
}

}  // namespace

void WriteLogLines(Output& out, Stream stream, std::uint64_t bytes, LineEnd lineEnd) {
  const std::string_view end = lineEnd == LineEnd::kCrLf ? "\r\n" : "\n";
  std::string line;
  for (std::uint64_t number = 1; bytes > 0; ++number) {
    line.assign(kLineStart);
    AppendNumber(line, number);
    line += kLineRest;
    // The last line takes up whatever is left, so the size comes out exact.
    if (bytes < 2 * (line.size() + end.size())) {
      if (bytes < end.size()) {
        out.Write(stream, std::string(static_cast<std::size_t>(bytes), ' '));
        return;
      }
      line.resize(static_cast<std::size_t>(bytes) - end.size(), '.');
    }
    line += end;
    out.Write(stream, line);
    bytes -= line.size();
  }
}

}  // namespace pravex::statustool
