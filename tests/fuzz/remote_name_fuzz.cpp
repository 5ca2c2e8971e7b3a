// The uploaded file's name never carries a blank or a control character
// into the FTP command, and always ends with the report's own tail.
#include "net/remote_name.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using pravex::fuzz::Check;
  const std::wstring input = pravex::fuzz::WideFrom(data, size);
  const auto [name, company] = pravex::fuzz::SplitOnce(input);
  const std::wstring resultFile = L"C:\\QuorvelPravexResult_3-3-2025_2-05-09_PM.txt";
  const std::wstring remote = pravex::RemoteFileName(resultFile, name, company);

  Check(remote.starts_with(L"QuorvelPravexResult_"));
  Check(remote.ends_with(L"_3-3-2025_2-05-09_PM.txt"));
  Check(remote.size() == 20 + name.size() + 1 + company.size() + 1 + 23);
  for (wchar_t c : remote) Check(c != L' ' && c >= 0x20 && c != 0x7F);

  // A short or foreign path is cut by length all the same, never past its end.
  const std::wstring odd = pravex::RemoteFileName(name, L"n", L"c");
  Check(odd.starts_with(L"QuorvelPravexResult_n_c_"));
  return 0;
}
