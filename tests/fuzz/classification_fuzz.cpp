// Any report gets exactly the verdict the ordered table calls for.
#include "diagnosis/classification.h"
#include "tests/fuzz/fuzz_input.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using pravex::fuzz::Check;
  const std::wstring report = pravex::fuzz::WideFrom(data, size);
  const pravex::ClassificationTable& table = pravex::ConfiguredTable();
  const pravex::Verdict verdict = pravex::Classify(report, table);

  const bool valid = report.find(table.validityMarker) != std::wstring::npos;
  Check(verdict.valid == valid);
  if (!valid) {
    Check(verdict.row == 0);
    return 0;
  }
  int expected = 0;
  for (std::size_t row = 0; row < table.rows.size() && expected == 0; ++row) {
    if (report.find(table.rows[row].marker) != std::wstring::npos) {
      expected = static_cast<int>(row) + 1;
    }
  }
  Check(verdict.row == expected);
  return 0;
}
