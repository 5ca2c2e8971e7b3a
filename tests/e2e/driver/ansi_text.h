// Text as a program writes it to files: bytes in the system's ANSI code
// page. The driver converts with the same code page to say what a file
// must hold and to read back what it does hold.
#pragma once

#include <string>
#include <string_view>

namespace pravex::e2e {

// Every byte becomes a character as the system's ANSI code page maps it.
std::wstring AnsiToWide(std::string_view bytes);

// Characters the ANSI code page lacks become its default character.
std::string WideToAnsi(std::wstring_view text);

}  // namespace pravex::e2e
