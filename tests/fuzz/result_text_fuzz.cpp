// Every result window's text is its guidance, the same whatever the report
// holds, ending in the window's line and a line break, then the report
// exactly as read.
#include "forms/results/result_family.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using pravex::fuzz::Check;
  if (size == 0) return 0;
  const auto kind = static_cast<pravex::ResultKind>(data[0] % 5);
  const bool vastrel = data[0] & 0x10;
  const bool zpx = data[0] & 0x20;
  const std::wstring report = pravex::fuzz::WideFrom(data + 1, size - 1);
  const std::wstring text = pravex::ComposeResultText(kind, vastrel, zpx, report);

  Check(text.ends_with(report));
  const std::wstring head = text.substr(0, text.size() - report.size());
  const std::wstring other = pravex::ComposeResultText(kind, vastrel, zpx, L"x");
  Check(other == head + L"x");
  const std::wstring line(kind == pravex::ResultKind::kResult ? pravex::kPlainSeparator
                                                              : pravex::kResultsBelowSeparator);
  Check(head.ends_with(line + L"\r\n") || head.ends_with(line + L"\r\n\r\n"));
  Check(head.find(line) == head.rfind(line));
  return 0;
}
