// Whatever the user's date and time formats produce, the report is a file
// in C:\ with no blank, slash or further colon in its name, the rest of the
// date text kept as it was, and the upload names it by that same stamp.
#include "forms/main/report_name.h"
#include "net/remote_name.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using pravex::fuzz::Check;
  const std::wstring dateText = pravex::fuzz::WideFrom(data, size);
  const std::wstring path = pravex::ReportFilePath(dateText);
  const std::wstring_view prefix = L"C:\\QuorvelPravexResult_";
  Check(path.starts_with(prefix) && path.ends_with(L".txt"));
  const std::wstring stamp = path.substr(prefix.size(), path.size() - prefix.size() - 4);
  Check(stamp.find_first_of(L" /:") == std::wstring::npos);
  Check(stamp.size() == dateText.size());
  bool control = false;
  for (std::size_t i = 0; i < stamp.size(); ++i) {
    Check(stamp[i] == dateText[i] ||
          (dateText[i] == L' ' || dateText[i] == L'/' || dateText[i] == L':'));
    control = control || dateText[i] < 0x20 || dateText[i] == 0x7F;
  }
  if (!control) {
    Check(pravex::RemoteFileName(path, L"n", L"c") ==
          L"QuorvelPravexResult_n_c_" + stamp + L".txt");
  }
  return 0;
}
