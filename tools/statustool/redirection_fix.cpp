#include "tools/statustool/redirection_fix.h"

#include <algorithm>

namespace pravex::cmdshim {

namespace {

constexpr std::wstring_view kRightToLeft = L" 2<&1";
constexpr std::wstring_view kLeftToRight = L" 2>&1";

bool IsBlank(wchar_t c) {
  return c == L' ' || c == L'\t';
}

wchar_t FoldAsciiCase(wchar_t c) {
  return (c >= L'A' && c <= L'Z') ? c - L'A' + L'a' : c;
}

// File names compare without regard to letter case.
bool StartsWithPath(std::wstring_view text, std::wstring_view path) {
  return !path.empty() && text.size() >= path.size() &&
         std::equal(path.begin(), path.end(), text.begin(),
                    [](wchar_t a, wchar_t b) { return FoldAsciiCase(a) == FoldAsciiCase(b); });
}

}  // namespace

std::wstring_view ArgumentsAfterProgramName(std::wstring_view commandLine,
                                            std::wstring_view ownPath) {
  if (commandLine.starts_with(L'"')) {
    const std::size_t closing = commandLine.find(L'"', 1);
    return closing == std::wstring_view::npos ? std::wstring_view{}
                                              : commandLine.substr(closing + 1);
  }
  if (StartsWithPath(commandLine, ownPath) &&
      (commandLine.size() == ownPath.size() || IsBlank(commandLine[ownPath.size()]))) {
    return commandLine.substr(ownPath.size());
  }
  const std::size_t blank = commandLine.find_first_of(L" \t");
  return blank == std::wstring_view::npos ? std::wstring_view{} : commandLine.substr(blank);
}

std::wstring FixTrailingRedirection(std::wstring_view arguments) {
  std::wstring fixed(arguments);
  // cmd drops the outer quotes of `/c "command"`, so a closing quote still
  // leaves the redirection at the end of the command.
  const std::size_t quote = arguments.ends_with(L'"') ? 1 : 0;
  if (arguments.substr(0, arguments.size() - quote).ends_with(kRightToLeft)) {
    fixed.replace(fixed.size() - quote - kRightToLeft.size(), kRightToLeft.size(), kLeftToRight);
  }
  return fixed;
}

std::wstring InterpreterCommandLine(std::wstring_view shimCommandLine, std::wstring_view ownPath,
                                    std::wstring_view interpreterPath) {
  const std::wstring_view arguments = ArgumentsAfterProgramName(shimCommandLine, ownPath);
  std::wstring line = L"\"";
  line += interpreterPath;
  line += L'"';
  if (!arguments.empty() && !IsBlank(arguments.front())) line += L' ';
  line += FixTrailingRedirection(arguments);
  return line;
}

}  // namespace pravex::cmdshim
