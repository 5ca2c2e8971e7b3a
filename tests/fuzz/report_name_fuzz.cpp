// Whatever the user's date and time formats produce, the report path keeps
// its prefix and extension and holds no blank, slash or further colon.
#include "forms/main/report_name.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using pravex::fuzz::Check;
  const std::wstring dateText = pravex::fuzz::WideFrom(data, size);
  const std::wstring path = pravex::ReportFilePath(dateText);
  Check(path.starts_with(L"C:\\QuorvelPravexResult_"));
  Check(path.ends_with(L".txt"));
  Check(path.size() == dateText.size() + 27);
  Check(path.find_first_of(L" /") == std::wstring::npos);
  Check(path.find(L':', 2) == std::wstring::npos);

  const std::wstring line = pravex::ReportCommandLine(L"qvstatus /product:zpx", path);
  Check(line == L"%ComSpec% /c qvstatus /product:zpx>" + path + L" 2<&1");
  return 0;
}
