#include <gtest/gtest.h>

#include "net/remote_name.h"

namespace pravex {
namespace {

TEST(RemoteFileName, CarriesNameCompanyAndTheReportsStamp) {
  struct Case {
    const wchar_t* resultFile;
    const wchar_t* name;
    const wchar_t* company;
    const wchar_t* expected;
  };
  const Case cases[] = {
      {L"C:\\QuorvelPravexResult_3-3-2025_2-05-09_PM.txt", L"Test User", L"Test Company Ltd",
       L"QuorvelPravexResult_Test_User_Test_Company_Ltd_3-3-2025_2-05-09_PM.txt"},
      // Taken at midnight: the stamp is the date alone.
      {L"C:\\QuorvelPravexResult_3-3-2025.txt", L"Ann", L"Acme",
       L"QuorvelPravexResult_Ann_Acme_3-3-2025.txt"},
      // Blanks at either end, and two in a row, each become an underscore.
      {L"C:\\QuorvelPravexResult_1.txt", L" Ann  Lee ", L"Acme ",
       L"QuorvelPravexResult__Ann__Lee__Acme__1.txt"},
      // Slashes, colons and letters beyond ASCII go as typed.
      {L"C:\\QuorvelPravexResult_1.txt", L"A/B", L"C:D \u00e9\u4e2d",
       L"QuorvelPravexResult_A/B_C:D_\u00e9\u4e2d_1.txt"},
      // The cuts are by length, whatever the path holds.
      {L"X:\\SomethingElseEntirely_9.txt", L"n", L"c", L"QuorvelPravexResult_n_c_y_9.txt"},
      {L"C:\\Short", L"n", L"c", L"QuorvelPravexResult_n_c_"},
      {L"", L"n", L"c", L"QuorvelPravexResult_n_c_"},
  };
  for (std::size_t row = 0; row < std::size(cases); ++row) {
    EXPECT_EQ(RemoteFileName(cases[row].resultFile, cases[row].name, cases[row].company),
              cases[row].expected)
        << "row " << row;
  }
}

TEST(RemoteFileName, NeverLetsAControlCharacterThrough) {
  const std::wstring name = std::wstring(L"Ann\r\nDELE x") + L'\0' + L"\t\x7f" + L"\x1b";
  EXPECT_EQ(RemoteFileName(L"C:\\QuorvelPravexResult_1.txt", name, L"Co\rLtd"),
            L"QuorvelPravexResult_Ann__DELE_x_____Co_Ltd_1.txt");
}

TEST(WithoutControlCharacters, ReplacesOnlyControlCharacters) {
  EXPECT_EQ(WithoutControlCharacters(L"a\x01 b\x1f\x20~\x7f\x80\u00a0", L'?'),
            L"a? b? ~?\x80\u00a0");
}

}  // namespace
}  // namespace pravex
