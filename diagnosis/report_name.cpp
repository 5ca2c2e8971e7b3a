#include "diagnosis/report_name.h"

#include <algorithm>

namespace pravex {

std::wstring GeneralDateText(IClock& clock, const LocalDateTime& moment) {
  std::wstring text = clock.ShortDate(moment);
  if (moment.hour != 0 || moment.minute != 0 || moment.second != 0) {
    text += L' ';
    text += clock.LongTime(moment);
  }
  return text;
}

std::wstring ReplaceAll(std::wstring text, wchar_t from, wchar_t to) {
  std::replace(text.begin(), text.end(), from, to);
  return text;
}

namespace {

// Safe in a path, on the interpreter's command line (no "&", "%", "^", quotes
// or redirections) and in every ANSI code page.
bool IsSafeStampCharacter(wchar_t c) {
  return (c >= L'a' && c <= L'z') || (c >= L'A' && c <= L'Z') || (c >= L'0' && c <= L'9') ||
         c == L'.' || c == L'-' || c == L'_';
}

}  // namespace

std::wstring ReportFilePath(std::wstring_view generalDateText) {
  std::wstring stamp = ReplaceAll(std::wstring(generalDateText), L':', L'-');
  stamp = ReplaceAll(ReplaceAll(std::move(stamp), L' ', L'_'), L'/', L'-');
  // One character for one: the upload's cuts by count still find the stamp.
  std::replace_if(
      stamp.begin(), stamp.end(), [](wchar_t c) { return !IsSafeStampCharacter(c); }, L'-');
  std::wstring path(kReportPrefix);
  path += stamp;
  path += L".txt";
  return path;
}

std::wstring ReportCommandLine(std::wstring_view command, std::wstring_view reportPath) {
  std::wstring line = L"%ComSpec% /c ";
  line += command;
  line += L'>';
  line += reportPath;
  line += L" 2<&1";
  return line;
}

}  // namespace pravex
