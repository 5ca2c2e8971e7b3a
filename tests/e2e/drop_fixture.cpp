#include "tests/e2e/drop_fixture.h"

#include <algorithm>

#include "forms/contact/contact_info_form_def.h"

namespace pravex::e2e {

void DropTest::SetUp() {
  ContactTest::SetUp();
  if (HasFatalFailure()) return;
  if (const auto why = SupportDrop::Unavailable()) GTEST_SKIP() << *why;
  drop_.Reset();
}

std::wstring DropTest::RemoteName(const ContactDetails& details) {
  std::wstring name = L"QuorvelPravexResult_" + details.name + L"_" + details.company + L"_" +
                      ReportStamp() + L".txt";
  std::replace(name.begin(), name.end(), L' ', L'_');
  return name;
}

DiagnosisTest::ShownBox DropTest::Send(const ResultWindow& window, const ContactDetails& details,
                                       Milliseconds limit) {
  const HWND contact = OpenContactWindow(window);
  Fill(contact, details);
  ShownBox box = ConfirmAndWaitForBox(contact, limit);
  EXPECT_TRUE(FormWindows(ContactInfoFormDef()).empty()) << "the contact window stayed";
  return box;
}

}  // namespace pravex::e2e
