// The command line cmdshim hands to the real command interpreter. Wine's
// cmd.exe lacks the right-to-left form "2<&1" that Windows' cmd.exe takes as
// "send standard error where standard output goes"; Pravex ends every line it
// runs with it, so the shim rewrites that ending and nothing else.
#pragma once

#include <string>
#include <string_view>

namespace pravex::cmdshim {

// What follows the program name, separator included. The name ends at its
// closing quote, or, unquoted, after `ownPath` (ComSpec is never quoted, so
// a path with spaces arrives bare), or else at the first blank.
std::wstring_view ArgumentsAfterProgramName(std::wstring_view commandLine,
                                            std::wstring_view ownPath);

// " 2<&1" at the very end becomes " 2>&1", also when only the quote that
// closes a quoted /c command follows it; any other text stays as it is.
std::wstring FixTrailingRedirection(std::wstring_view arguments);

// The shim's own command line with its program name replaced by the quoted
// interpreter path and the trailing redirection fixed.
std::wstring InterpreterCommandLine(std::wstring_view shimCommandLine, std::wstring_view ownPath,
                                    std::wstring_view interpreterPath);

}  // namespace pravex::cmdshim
