// Whatever the user's date and time formats produce, the report is a file
// in C:\ whose stamp has one character for each of the date text's: a safe
// one (ASCII letter or digit, ".", "-", "_") kept as it was, a blank made
// "_", anything else "-"; and the upload names it by that same stamp.
#include "diagnosis/report_name.h"
#include "net/remote_name.h"
#include "tests/fuzz/fuzz_input.h"

namespace {

bool IsSafe(wchar_t c) {
  return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') ||
         c == L'.' || c == L'-' || c == L'_';
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using pravex::fuzz::Check;
  const std::wstring dateText = pravex::fuzz::WideFrom(data, size);
  const std::wstring path = pravex::ReportFilePath(dateText);
  const std::wstring_view prefix = L"C:\\QuorvelPravexResult_";
  Check(path.starts_with(prefix) && path.ends_with(L".txt"));
  const std::wstring stamp = path.substr(prefix.size(), path.size() - prefix.size() - 4);
  Check(stamp.size() == dateText.size());
  for (std::size_t i = 0; i < stamp.size(); ++i) {
    const wchar_t from = dateText[i];
    Check(stamp[i] == (IsSafe(from) ? from : from == L' ' ? L'_' : L'-'));
  }
  Check(pravex::RemoteFileName(path, L"n", L"c") == L"QuorvelPravexResult_n_c_" + stamp + L".txt");
  return 0;
}
