// The contact window: name, company and e-mail address before a report is
// sent. OK stores them for next time and adds the e-mail address to the
// report file; Cancel sends nothing.
#pragma once

#include <string>
#include <string_view>

#include "forms/contact/contact_info_form_def.h"
#include "forms/form.h"

namespace pravex {

class Forms;
class Module1;

// The line added to the report file for one confirmed send. Control
// characters, which only an edited settings store can bring in, become
// blanks so that the line stays one line.
std::wstring EmailLine(std::wstring_view email);

class ContactInfoForm : public Form {
 public:
  ContactInfoForm(Module1& module, Forms& forms);

  void Form_Load() override;

  void OKButton_Click();
  void CancelButton_Click();

 private:
  // The first empty field's message, or nothing when all are filled.
  std::wstring_view MissingFieldMessage();
  void AppendEmailLine(const std::wstring& email);

  Module1& m_;
};

}  // namespace pravex
