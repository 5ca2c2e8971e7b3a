// Every conversion between the program's wide text and 8-bit text happens
// here, with the code page named: the system's ANSI code page (CP_ACP) for the
// files the program writes and reads and for the Internet library.
#pragma once

#include <string>
#include <string_view>

namespace pravex::win32 {

// Characters the ANSI code page lacks become the code page's default
// character ('?').
std::string WideToAnsi(std::wstring_view text);
// Every byte becomes a character; bytes the code page does not define map
// to what the system maps them to, NUL bytes stay.
std::wstring AnsiToWide(std::string_view bytes);

}  // namespace pravex::win32
