#include <gtest/gtest.h>

#include <iterator>
#include <new>
#include <stdexcept>

#include "common/errors.h"

namespace pravex {
namespace {

TEST(CurrentErrorInfo, GivesWhatWasThrownTheHostsNumberAndText) {
  struct Row {
    void (*raise)();
    int number;
    const wchar_t* description;
  };
  const Row rows[] = {
      {[] { Raise(70); }, 70, L"Permission denied"},
      {[] { throw HostError(1234); }, 1234, L"Application-defined or object-defined error"},
      {[] { throw std::bad_alloc(); }, 7, L"Out of memory"},
      {[] { throw std::runtime_error("broken"); }, 51, L"Internal error (broken)"},
      {[] { throw 1; }, 51, L"Internal error"},
  };
  for (std::size_t row = 0; row < std::size(rows); ++row) {
    try {
      rows[row].raise();
    } catch (...) {
      const ErrorInfo error = CurrentErrorInfo();
      EXPECT_EQ(error.number, rows[row].number) << "row " << row;
      EXPECT_EQ(error.description, rows[row].description) << "row " << row;
    }
  }
}

}  // namespace
}  // namespace pravex
