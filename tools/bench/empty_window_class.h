// The window class of empty_window.exe, which the benchmark waits for.
#pragma once

namespace pravex::bench {

inline constexpr wchar_t kEmptyWindowClass[] = L"PravexBenchEmptyWindow";

}  // namespace pravex::bench
