#include <gtest/gtest.h>

#include "common/errors.h"
#include "common/private_access.h"
#include "tests/fakes/fake_platform.h"

namespace pravex::testing {
namespace {

// The trace and the report are made with these permissions.
TEST(PrivateFileDescriptor, GrantsTheUserSystemAndAdministratorsOnlyAndTakesNothingButASid) {
  EXPECT_EQ(PrivateFileDescriptor(L"S-1-5-21-1004336348-1177238915-682003330-1001"),
            L"D:P(A;;FA;;;S-1-5-21-1004336348-1177238915-682003330-1001)(A;;FA;;;SY)(A;;FA;;;BA)");
  for (const wchar_t* notASid :
       {L"", L"S-1-", L"S-1-5-", L"S-1-5--21", L"s-1-5-18", L"BA", L"S-1-5-18)(A;;FA;;;WD"}) {
    EXPECT_THROW(PrivateFileDescriptor(notASid), HostError) << ToAnsi(notASid);
  }
}

}  // namespace
}  // namespace pravex::testing
