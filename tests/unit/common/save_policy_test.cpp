#include <gtest/gtest.h>

#include "common/save_policy.h"

namespace pravex {
namespace {

TEST(SavePolicy, ReplacesAPlainFileAndWritesInPlaceWhereAReplacementWouldLoseSomething) {
  struct Row {
    const char* target;
    SaveTarget facts;
    SaveMethod method;
  };
  const Row rows[] = {
      {"new file", {.exists = false}, SaveMethod::kWriteInPlace},
      {"plain file", {.exists = true}, SaveMethod::kReplaceFromTemporary},
      {"read-only", {.exists = true, .readOnly = true}, SaveMethod::kRefuse},
      {"symbolic link", {.exists = true, .link = true}, SaveMethod::kWriteInPlace},
      {"hard link", {.exists = true, .hardLinks = 2}, SaveMethod::kWriteInPlace},
      {"open without delete sharing",
       {.exists = true, .openWithoutDeleteSharing = true},
       SaveMethod::kWriteInPlace},
      {"long path", {.exists = true, .roomForTemporary = false}, SaveMethod::kWriteInPlace},
  };
  for (const Row& row : rows) EXPECT_EQ(ChooseSaveMethod(row.facts), row.method) << row.target;
}

}  // namespace
}  // namespace pravex
