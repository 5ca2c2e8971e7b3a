#include <gtest/gtest.h>

#include "common/debug_switch.h"
#include "common/errors.h"

namespace pravex {
namespace {

struct Conversion {
  const wchar_t* text;
  bool value;
};

TEST(TextToBoolean, ConvertsWordsAndNumbersLikeTheHost) {
  const Conversion cases[] = {
      {L"True", true},   {L"true", true},   {L"TRUE", true},   {L"tRUE", true},   {L"False", false},
      {L"false", false}, {L"fALSE", false}, {L"0", false},     {L"1", true},      {L"-1", true},
      {L" 1 ", true},    {L"\t0\t", false}, {L"-0", false},    {L"+0", false},    {L"0.0", false},
      {L"0.5", true},    {L".5", true},     {L"1e3", true},    {L"0e5", false},   {L"2E-3", true},
      {L"1D2", true},    {L"&H10", true},   {L"&h0", false},   {L"&HFFFF", true}, {L"&O17", true},
      {L"&o0", false},   {L"&7", true},     {L"00000", false},
  };
  for (std::size_t row = 0; row < std::size(cases); ++row) {
    EXPECT_EQ(TextToBoolean(cases[row].text), cases[row].value) << "row " << row;
  }
}

TEST(TextToBoolean, AnythingElseIsATypeMismatch) {
  const std::wstring longNumber(10000, L'7');
  const std::wstring longText(10000, L'x');
  EXPECT_TRUE(TextToBoolean(longNumber)) << "only zero-ness matters, so length never overflows";

  const std::wstring rejected[] = {L"",      L" ",         L"yes",   L"no",    L"On",    L" True",
                                   L"True ", L"#TRUE#",    L"1,000", L"1e",    L"e3",    L"&H",
                                   L"&HG",   L"&O8",       L"--1",   L"1.2.3", L".",     L"Vrai",
                                   longText, L"Tr\u00fce", L"1 1",   L"0x10",  L"\u0661"};
  for (std::size_t row = 0; row < std::size(rejected); ++row) {
    try {
      TextToBoolean(rejected[row]);
      ADD_FAILURE() << "row " << row << " was accepted";
    } catch (const HostError& e) {
      EXPECT_EQ(e.Number(), 13) << "row " << row;
      EXPECT_EQ(e.Description(), L"Type mismatch") << "row " << row;
    }
  }
}

}  // namespace
}  // namespace pravex
