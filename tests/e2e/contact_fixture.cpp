#include "tests/e2e/contact_fixture.h"

#include "forms/contact/contact_info_form.h"
#include "tests/e2e/driver/ansi_text.h"
#include "tests/e2e/driver/wide_text.h"
#include "tests/e2e/driver/window_input.h"
#include "tests/e2e/driver/window_probe.h"

namespace pravex::e2e {

namespace {

constexpr std::wstring_view kNameValue = L"Name";
constexpr std::wstring_view kCompanyValue = L"Company";
constexpr std::wstring_view kEmailValue = L"email";

void PrintStored(std::ostream& out, const char* label, const std::optional<RegistryValue>& value) {
  out << label << " ";
  if (value) {
    out << *value;
  } else {
    out << "(none)";
  }
}

}  // namespace

std::ostream& operator<<(std::ostream& out, const ContactDetails& details) {
  return out << "{name " << Quoted(details.name) << ", company " << Quoted(details.company)
             << ", e-mail " << Quoted(details.email) << "}";
}

std::ostream& operator<<(std::ostream& out, const StoredContact& stored) {
  out << "{";
  PrintStored(out, "Name", stored.name);
  PrintStored(out, ", Company", stored.company);
  PrintStored(out, ", email", stored.email);
  return out << "}";
}

StoredContact AsStored(const ContactDetails& details) {
  return {RegistryValue{REG_SZ, details.name}, RegistryValue{REG_SZ, details.company},
          RegistryValue{REG_SZ, details.email}};
}

std::string EmailLine(std::wstring_view email) {
  return "\"Customer's e-mail is: " + WideToAnsi(email) + "\"\r\n";
}

HWND ContactTest::OpenContactWindow(const ResultWindow& window) {
  PressButton(window.Control(L"FTP"));
  return WaitForFormWindow(ContactInfoFormDef());
}

HWND ContactTest::ContactControl(HWND contact, std::wstring_view name) {
  return FormControl(contact, ContactInfoFormDef(), name);
}

void ContactTest::Fill(HWND contact, const ContactDetails& details) {
  ReplaceText(ContactControl(contact, L"Text1"), details.name);
  ReplaceText(ContactControl(contact, L"Text2"), details.company);
  ReplaceText(ContactControl(contact, L"Text3"), details.email);
}

ContactDetails ContactTest::ShownDetails(HWND contact) {
  return {TextOf(ContactControl(contact, L"Text1")), TextOf(ContactControl(contact, L"Text2")),
          TextOf(ContactControl(contact, L"Text3"))};
}

DiagnosisTest::ShownBox ContactTest::ConfirmAndWaitForBox(HWND contact, Milliseconds limit) {
  PressButton(ContactControl(contact, L"OKButton"));
  return WaitForBox(limit);
}

void ContactTest::Store(const ContactDetails& details) {
  WriteUserString(kInfoKey, kNameValue, details.name);
  WriteUserString(kInfoKey, kCompanyValue, details.company);
  WriteUserString(kInfoKey, kEmailValue, details.email);
}

StoredContact ContactTest::ReadStored() {
  return {ReadUserValue(kInfoKey, kNameValue), ReadUserValue(kInfoKey, kCompanyValue),
          ReadUserValue(kInfoKey, kEmailValue)};
}

}  // namespace pravex::e2e
