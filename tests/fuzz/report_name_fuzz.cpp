// Whatever the user's date and time formats produce, the report path keeps
// its prefix and extension, one character for each of the date text's, and
// its stamp holds only ASCII letters, digits, ".", "-" and "_".
#include <algorithm>
#include <cctype>

#include "forms/main/report_name.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using pravex::fuzz::Check;
  const std::wstring dateText = pravex::fuzz::WideFrom(data, size);
  const std::wstring path = pravex::ReportFilePath(dateText);
  Check(path.starts_with(L"C:\\QuorvelPravexResult_"));
  Check(path.ends_with(L".txt"));
  Check(path.size() == dateText.size() + 27);
  const std::wstring_view stamp = std::wstring_view(path).substr(23, dateText.size());
  Check(std::all_of(stamp.begin(), stamp.end(), [](wchar_t c) {
    return (c < 0x80 && std::isalnum(static_cast<int>(c))) || c == L'.' || c == L'-' || c == L'_';
  }));

  const std::wstring line = pravex::ReportCommandLine(L"qvstatus /product:zpx", path);
  Check(line == L"%ComSpec% /c qvstatus /product:zpx>" + path + L" 2<&1");
  return 0;
}
