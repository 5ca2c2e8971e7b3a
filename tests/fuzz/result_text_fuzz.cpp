// Every result window's text ends with the report exactly as read.
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
  const std::wstring_view separator =
      kind == pravex::ResultKind::Result ? pravex::kPlainSeparator : pravex::kResultsBelowSeparator;
  Check(head.find(separator) != std::wstring::npos);
  Check(head == pravex::ComposeResultText(kind, vastrel, zpx, L""));
  return 0;
}
