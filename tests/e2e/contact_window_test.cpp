// The Contact Information window that Send opens: modal over the result
// window, filled from the stored details; Enter is no OK, and OK first wants
// every field. Each way of sending ends with a box, so no box means nothing
// was sent.
#include <windows.h>

#include <gtest/gtest.h>

#include "forms/contact/contact_info_form_def.h"
#include "tests/e2e/contact_fixture.h"
#include "tests/e2e/driver/window_input.h"
#include "tests/e2e/driver/window_probe.h"

namespace pravex::e2e {
namespace {

class ContactWindowTest : public ContactTest {
 protected:
  void SettleContact(HWND contact) { SettleThrough(ContactControl(contact, L"CancelButton")); }
};

TEST_F(ContactWindowTest, ShowsTheStoredDetailsOverTheDisabledResultWindow) {
  const ContactDetails stored{L"Stored Name", L"Stored Company", L"stored@example.com"};
  Store(stored);
  const ResultWindow window = OpenResultWindow(L"missing", Product::kVastrel, ResultKind::kIssueB);
  const HWND contact = OpenContactWindow(window);
  EXPECT_EQ(TextOf(contact), L"Contact Information");
  EXPECT_EQ(ShownDetails(contact), stored);
  EXPECT_EQ(TextOf(ContactControl(contact, L"OKButton")), L"&OK");
  EXPECT_EQ(TextOf(ContactControl(contact, L"CancelButton")), L"&Cancel");
  EXPECT_FALSE(::IsWindowEnabled(window.handle)) << "the contact window is not modal";

  PressButton(ContactControl(contact, L"CancelButton"));
  WaitUntilFormClosed(ContactInfoFormDef());
  Settle(window);
  EXPECT_TRUE(::IsWindowEnabled(window.handle));
  EXPECT_EQ(ReadStored(), AsStored(stored));
}

TEST_F(ContactWindowTest, EnterInAFieldDoesNotPressOk) {
  const ResultWindow window = OpenResultWindow(L"healthy", Product::kVastrel, ResultKind::kResult);
  const std::string report = ReportBytes();
  const HWND contact = OpenContactWindow(window);
  Fill(contact, {L"Ann", L"Acme", L"ann@acme.example"});
  const wchar_t* fields[] = {L"Text1", L"Text2", L"Text3"};
  for (std::size_t row = 0; row < std::size(fields); ++row) {
    PressKey(ContactControl(contact, fields[row]), VK_RETURN);
    SettleContact(contact);
    EXPECT_EQ(FormWindows(ContactInfoFormDef()), std::vector<HWND>{contact}) << "row " << row;
    EXPECT_TRUE(FindMessageBoxes(Pid()).empty()) << "row " << row;
  }
  EXPECT_EQ(ReadStored(), StoredContact{});
  EXPECT_EQ(ReportBytes(), report);
  // Esc, typed the same way, does reach the window: the keys above were heard.
  PressKey(ContactControl(contact, L"Text3"), VK_ESCAPE);
  WaitUntilFormClosed(ContactInfoFormDef());
}

TEST_F(ContactWindowTest, OkNamesTheFirstEmptyFieldAndStoresNothing) {
  struct Row {
    ContactDetails typed;
    const wchar_t* message;
  };
  const Row rows[] = {
      {{L"", L"", L""}, L"Fill in your name"},
      {{L"", L"Co", L"e@x"}, L"Fill in your name"},
      {{L"N", L"", L""}, L"Fill in your Company's name"},
      {{L"N", L"", L"e@x"}, L"Fill in your Company's name"},
      {{L"N", L"Co", L""}, L"Fill in your e-mail address"},
  };
  const ResultWindow window = OpenResultWindow(L"disabled", Product::kZpx, ResultKind::kIssueC);
  const std::string report = ReportBytes();
  const HWND contact = OpenContactWindow(window);
  for (std::size_t row = 0; row < std::size(rows); ++row) {
    Fill(contact, rows[row].typed);
    const ShownBox box = ConfirmAndWaitForBox(contact);
    EXPECT_EQ(box.view.text, rows[row].message) << "row " << row;
    EXPECT_EQ(box.view.title, L"Pravex") << "row " << row;
    EXPECT_EQ(box.icon, BoxIcon::kExclamation) << "row " << row;
    PressOk(box.view);
    SettleContact(contact);
    EXPECT_EQ(FormWindows(ContactInfoFormDef()), std::vector<HWND>{contact}) << "row " << row;
    EXPECT_EQ(ShownDetails(contact), rows[row].typed) << "row " << row << ": the fields changed";
    EXPECT_EQ(ReadStored(), StoredContact{}) << "row " << row;
  }
  EXPECT_EQ(ReportBytes(), report);
  PressButton(ContactControl(contact, L"CancelButton"));
  WaitUntilFormClosed(ContactInfoFormDef());
  EXPECT_TRUE(FindMessageBoxes(Pid()).empty());
}

}  // namespace
}  // namespace pravex::e2e
