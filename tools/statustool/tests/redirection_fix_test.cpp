#include <gtest/gtest.h>

#include <span>
#include <string>

#include "tools/statustool/redirection_fix.h"

namespace pravex::cmdshim {
namespace {

constexpr std::wstring_view kInterpreter = L"C:\\windows\\system32\\cmd.exe";
constexpr std::wstring_view kOwnPath = L"C:\\Program Files\\Pravex tests\\cmdshim.exe";

struct Case {
  std::wstring_view shimLine;
  std::wstring_view interpreterLine;
};

void ExpectRows(std::span<const Case> cases) {
  for (std::size_t row = 0; row < cases.size(); ++row) {
    EXPECT_EQ(InterpreterCommandLine(cases[row].shimLine, kOwnPath, kInterpreter),
              cases[row].interpreterLine)
        << "row " << row;
  }
}

TEST(InterpreterCommandLine, ReplacesTheProgramNameHoweverItIsWritten) {
  const Case cases[] = {
      {L"cmdshim.exe /c dir", L"\"C:\\windows\\system32\\cmd.exe\" /c dir"},
      {L"\"C:\\tools\\cmdshim.exe\" /c dir", L"\"C:\\windows\\system32\\cmd.exe\" /c dir"},
      {L"\"C:\\Program Files\\Pravex tests\\cmdshim.exe\" /c dir",
       L"\"C:\\windows\\system32\\cmd.exe\" /c dir"},
      // ComSpec is never quoted: the shim's own path tells where the name ends.
      {L"C:\\Program Files\\Pravex tests\\cmdshim.exe /c dir",
       L"\"C:\\windows\\system32\\cmd.exe\" /c dir"},
      {L"c:\\PROGRAM FILES\\pravex tests\\CMDSHIM.EXE /c dir",
       L"\"C:\\windows\\system32\\cmd.exe\" /c dir"},
      {L"C:\\Program Files\\Pravex tests\\cmdshim.exe", L"\"C:\\windows\\system32\\cmd.exe\""},
      // A name that is not the shim's path ends at the first blank.
      {L"C:\\PROGRA~1\\PRAVEX~1\\cmdshim.exe /c dir", L"\"C:\\windows\\system32\\cmd.exe\" /c dir"},
      {L"C:\\Program Files\\Pravex tests\\cmdshim.exe.bak /c dir",
       L"\"C:\\windows\\system32\\cmd.exe\" Files\\Pravex tests\\cmdshim.exe.bak /c dir"},
      {L"cmdshim.exe\t/c dir", L"\"C:\\windows\\system32\\cmd.exe\"\t/c dir"},
      {L"\"C:\\tools\\cmdshim.exe\"/c dir", L"\"C:\\windows\\system32\\cmd.exe\" /c dir"},
      {L"\"C:\\tools\\cmdshim.exe /c dir", L"\"C:\\windows\\system32\\cmd.exe\""},
      {L"\"C:\\tools\\cmdshim.exe\"", L"\"C:\\windows\\system32\\cmd.exe\""},
      {L"cmdshim.exe", L"\"C:\\windows\\system32\\cmd.exe\""},
      {L"", L"\"C:\\windows\\system32\\cmd.exe\""},
  };
  ExpectRows(cases);
}

TEST(InterpreterCommandLine, FixesOnlyARightToLeftRedirectionAtTheVeryEnd) {
  const Case cases[] = {
      {L"cmdshim.exe /c qvstatus /product:zpx>C:\\QuorvelPravexResult_1-2-2024.txt 2<&1",
       L"\"C:\\windows\\system32\\cmd.exe\" /c qvstatus "
       L"/product:zpx>C:\\QuorvelPravexResult_1-2-2024.txt 2>&1"},
      {L"C:\\Program Files\\Pravex tests\\cmdshim.exe /c a>b 2<&1",
       L"\"C:\\windows\\system32\\cmd.exe\" /c a>b 2>&1"},
      {L"cmdshim.exe  /c   a  >  b 2<&1", L"\"C:\\windows\\system32\\cmd.exe\"  /c   a  >  b 2>&1"},
      {L"cmdshim.exe 2<&1", L"\"C:\\windows\\system32\\cmd.exe\" 2>&1"},
      {L"cmdshim.exe /c \"a>b 2<&1\"", L"\"C:\\windows\\system32\\cmd.exe\" /c \"a>b 2>&1\""},
      // Everything else passes through untouched.
      {L"cmdshim.exe /c a 2<&1 & b", L"\"C:\\windows\\system32\\cmd.exe\" /c a 2<&1 & b"},
      {L"cmdshim.exe /c a 2<&1 ", L"\"C:\\windows\\system32\\cmd.exe\" /c a 2<&1 "},
      {L"cmdshim.exe /c \"a>b 2<&1\"\"", L"\"C:\\windows\\system32\\cmd.exe\" /c \"a>b 2<&1\"\""},
      {L"cmdshim.exe /c \"a>b 2<&1\" ", L"\"C:\\windows\\system32\\cmd.exe\" /c \"a>b 2<&1\" "},
      {L"cmdshim.exe /c a2<&1", L"\"C:\\windows\\system32\\cmd.exe\" /c a2<&1"},
      {L"cmdshim.exe /c a>b 2>&1", L"\"C:\\windows\\system32\\cmd.exe\" /c a>b 2>&1"},
      {L"cmdshim.exe /c a 2<&1 2<&1", L"\"C:\\windows\\system32\\cmd.exe\" /c a 2<&1 2>&1"},
      {L"cmdshim.exe /c dir C:\\", L"\"C:\\windows\\system32\\cmd.exe\" /c dir C:\\"},
      {L"\"C:\\x 2<&1\"", L"\"C:\\windows\\system32\\cmd.exe\""},
  };
  ExpectRows(cases);
}

}  // namespace
}  // namespace pravex::cmdshim
