// What an earlier run may have left behind and would change the next one:
// report files on C:\ and Pravex's settings (debug mode would open a box
// before the main window).
#pragma once

#include <string>
#include <vector>

namespace pravex::bench {

// Where the interpreter-alone runs send the report.
inline constexpr wchar_t kBaselineReport[] = L"C:\\bench.txt";

// The report files Pravex has written, by the prefix it names them with.
std::vector<std::wstring> PravexReportFiles();

// Deletes Pravex's report files, the baseline's report and Pravex's
// settings key; throws std::runtime_error if one cannot be deleted.
void RemoveLeftovers();

}  // namespace pravex::bench
