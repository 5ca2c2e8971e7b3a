// A result window: the guidance for one class of problem above the whole
// report, with Copy, Save as... and Send. Closing it deletes the report file.
#pragma once

#include <string_view>

#include "common/errors.h"

#include "forms/form.h"
#include "forms/results/common_dialog.h"
#include "forms/results/result_form_def.h"

namespace pravex {

class ContactInfoForm;
class Forms;
class Module1;

class ResultForm : public Form {
 public:
  ResultForm(Module1& module, Forms& forms, ContactInfoForm& contactInfoForm, ResultKind kind);

  // The controls its code reaches, the same in all five windows.
  static constexpr ControlRef kCopyButton = ResultCopyButton();
  static constexpr ControlRef kSave = ResultControlNamed(L"Save");
  static constexpr ControlRef kFTP = ResultControlNamed(L"FTP");
  static constexpr ControlRef kText1 = ResultControlNamed(L"Text1");

  void Form_Load() override;
  void Form_Resize() override;
  void Form_Unload() override;

  void CopyToClipboard_Click();
  void Save_Click();
  void FTP_Click();

 private:
  void FillText();
  // A trapped error of one of this window's handlers, and what it means.
  void ReportFailure(std::wstring_view handler, const ErrorInfo& error,
                     std::wstring_view consequence);

  Module1& m_;
  ContactInfoForm& contactInfoForm_;
  const ResultVariant& variant_;
  CommonDialog CommonDialog1;
};

}  // namespace pravex
