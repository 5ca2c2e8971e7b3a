#include "forms/main/report_name.h"

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

std::wstring ReportFilePath(std::wstring_view generalDateText) {
  std::wstring path(kReportPrefix);
  path += ReplaceAll(std::wstring(generalDateText), L':', L'-');
  path += L".txt";
  return ReplaceAll(ReplaceAll(std::move(path), L' ', L'_'), L'/', L'-');
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
