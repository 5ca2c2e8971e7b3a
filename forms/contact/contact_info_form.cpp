#include "forms/contact/contact_info_form.h"

#include "common/errors.h"
#include "common/module1.h"
#include "forms/forms.h"
#include "net/remote_name.h"

namespace pravex {

namespace {

constexpr ControlRef kText1 = ControlNamed(kContactInfoFormDef, L"Text1");  // name
constexpr ControlRef kText2 = ControlNamed(kContactInfoFormDef, L"Text2");  // company
constexpr ControlRef kText3 = ControlNamed(kContactInfoFormDef, L"Text3");  // e-mail address
constexpr ControlRef kOKButton = ControlNamed(kContactInfoFormDef, L"OKButton");
constexpr ControlRef kCancelButton = ControlNamed(kContactInfoFormDef, L"CancelButton");

constexpr ClickBinding kClicks[] = {
    On<&ContactInfoForm::OKButton_Click>(kOKButton),
    On<&ContactInfoForm::CancelButton_Click>(kCancelButton),
};

}  // namespace

std::wstring EmailLine(std::wstring_view email) {
  return QuotedRecord(L"Customer's e-mail is: " + WithoutControlCharacters(email, L' '));
}

ContactInfoForm::ContactInfoForm(Module1& module, Forms& forms)
    : Form(forms, ContactInfoFormDef(), kClicks), m_(module) {}

void ContactInfoForm::Form_Load() {
  m_.WriteTrace(L"ContactInfoForm.Form_Load() 1: Will obtain registry value");
  Ctl(kText1).SetText(m_.GetSetting(L"Name", L""));
  Ctl(kText2).SetText(m_.GetSetting(L"Company", L""));
  Ctl(kText3).SetText(m_.GetSetting(L"email", L""));
  m_.WriteTrace(L"ContactInfoForm.Form_Load() 2: Registry value obtained");
}

std::wstring_view ContactInfoForm::MissingFieldMessage() {
  if (Ctl(kText1).Text().empty()) return L"Fill in your name";
  if (Ctl(kText2).Text().empty()) return L"Fill in your Company's name";
  if (Ctl(kText3).Text().empty()) return L"Fill in your e-mail address";
  return {};
}

void ContactInfoForm::OKButton_Click() {
  if (const std::wstring_view missing = MissingFieldMessage(); !missing.empty()) {
    m_.MsgBox(missing, mb::kExclamation);
    return;
  }
  const std::wstring name = Ctl(kText1).Text();
  const std::wstring company = Ctl(kText2).Text();
  const std::wstring email = Ctl(kText3).Text();

  m_.WriteTrace(L"OKButton_Click() 1: Will save information to registry");
  m_.SaveSetting(L"Name", name);
  m_.SaveSetting(L"Company", company);
  m_.SaveSetting(L"email", email);
  m_.WriteTrace(L"OKButton_Click() 2: Information saved to registry");
  m_.WriteTrace(L"OKButton_Click() 3: Will check to see if the output temp file exists");
  if (m_.oFSO->FileExists(m_.sResultFile)) {
    m_.WriteTrace(L"OKButton_Click() 4: File exists");
    AppendEmailLine(email);
  } else {
    m_.WriteTrace(L"OKButton_Click() 5: File does NOT exist");
  }
  m_.bContactOK = true;
  forms().Unload(*this);
}

// A report that cannot take the line is still worth sending: the user hears
// about it and the send goes on without the address.
void ContactInfoForm::AppendEmailLine(const std::wstring& email) {
  try {
    m_.platform.files.WriteText(m_.sResultFile, OpenMode::kAppend, EmailLine(email));
  } catch (...) {
    m_.ReportTrappedError(L"ContactInfoForm.OKButton_Click", CurrentErrorInfo(),
                          L"Your e-mail address could not be added to the report file " +
                              m_.sResultFile + L"; the report is sent without it.");
  }
}

void ContactInfoForm::CancelButton_Click() {
  m_.bContactOK = false;
  forms().Unload(*this);
}

}  // namespace pravex
