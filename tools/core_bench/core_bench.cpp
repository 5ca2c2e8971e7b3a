// core_bench: how long the core's two loops over a whole report take,
// natively on this machine, printed as a Markdown section for
// docs/benchmarks.md (scripts/bench.sh runs it). The figures only report.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <functional>
#include <random>
#include <string>

#include "diagnosis/classification.h"
#include "text/line_layout.h"

namespace {

constexpr int kRuns = 5;

// The best of kRuns runs of `work`, in milliseconds: the least disturbed.
double BestMilliseconds(const std::function<void()>& work) {
  double best = 1e300;
  for (int run = 0; run < kRuns; ++run) {
    const auto begin = std::chrono::steady_clock::now();
    work();
    const std::chrono::duration<double, std::milli> took = std::chrono::steady_clock::now() - begin;
    best = std::min(best, took.count());
  }
  return best;
}

// A valid report of 20 million characters that holds no row's marker: the
// usual large report, in which every row's search reads to the end.
std::wstring ReportWithoutAMarker(const pravex::ClassificationTable& table) {
  std::wstring report = std::wstring(table.validityMarker) + L"\r\n";
  while (report.size() < 20'000'000) {
    report += L"2024-05-14 09:31:07 #00012345 ZpxRuntime heartbeat: queue 0, 41 MB in use\r\n";
  }
  return report;
}

// 20 million characters of words of 1 to 12 letters, in lines of 40 to 120.
std::wstring Prose() {
  std::mt19937 random(7);
  std::uniform_int_distribution<int> lineLength(40, 120);
  std::uniform_int_distribution<int> wordLength(1, 12);
  std::uniform_int_distribution<int> letter(0, 25);
  std::wstring text;
  text.reserve(20'100'000);
  while (text.size() < 20'000'000) {
    const std::size_t lineEnd = text.size() + static_cast<std::size_t>(lineLength(random));
    while (text.size() < lineEnd) {
      for (int n = wordLength(random); n > 0; --n) {
        text += static_cast<wchar_t>(L'a' + letter(random));
      }
      text += L' ';
    }
    text += L"\r\n";
  }
  return text;
}

}  // namespace

int main() {
  using pravex::text::CharAdvances;
  using pravex::text::LineLayout;

  const pravex::ClassificationTable& table = pravex::ConfiguredTable();
  const std::wstring report = ReportWithoutAMarker(table);
  int row = -1;
  const double classify = BestMilliseconds([&] { row = pravex::Classify(report, table).row; });

  // A proportional font's spread of widths, at a width that wraps the
  // longer lines as a result window does.
  std::wstring text = Prose();
  CharAdvances advances([](char16_t first, CharAdvances::Block& widths) {
    for (std::size_t i = 0; i < widths.size(); ++i) {
      widths[i] = static_cast<std::uint16_t>(4 + (first + i) % 6);
    }
  });
  LineLayout layout;
  const double wrap = BestMilliseconds([&] { layout.Wrap(text, advances, {560, 48}); });
  const double typed = BestMilliseconds([&] {
    const std::size_t middle = text.size() / 2;
    text.insert(middle, L"x");
    layout.Update(text, middle, 0, 1, advances);
  });

  std::printf("\n## The core alone\n\n");
  std::printf(
      "The classification and the text view's line layout, run natively by\n"
      "`tools/core_bench` (host build) over 20 million characters, best of %d runs each.\n\n",
      kRuns);
  std::printf("| step | ms |\n|---|---:|\n");
  std::printf("| classify a valid report with no row's marker (verdict: row %d) | %.1f |\n", row,
              classify);
  std::printf("| lay out the whole text at 560 pixels (%zu display lines) | %.1f |\n",
              layout.LineCount(), wrap);
  std::printf("| lay out again after one character typed in the middle | %.2f |\n", typed);
  return row == 0 ? 0 : 1;
}
