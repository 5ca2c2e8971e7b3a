// What the benchmark hands the interpreter and the search path, built from
// the same pieces Pravex uses, so the baseline runs the very same command.
#pragma once

#include <string>
#include <string_view>

namespace pravex::bench {

// The arguments Pravex gives %ComSpec% for a Vastrel diagnosis, with the
// report sent to `reportPath`: "/c qvstatus /product:vastrel>C:\x.txt 2<&1".
std::wstring InterpreterArguments(std::wstring_view reportPath);

// `folder` first, then the rest of the search path as it was.
std::wstring PathWithFolderFirst(std::wstring_view folder, std::wstring_view path);

}  // namespace pravex::bench
