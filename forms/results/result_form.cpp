#include "forms/results/result_form.h"

#include "common/errors.h"
#include "common/module1.h"
#include "common/save_policy.h"
#include "forms/contact/contact_info_form.h"
#include "forms/forms.h"
#include "forms/results/result_family.h"
#include "net/ftp_result.h"

namespace pravex {

namespace {

constexpr std::wstring_view kSuggestedFileName = L"Quorvel_Pravex_Result.txt";

constexpr ClickBinding kClicks[] = {
    On<&ResultForm::CopyToClipboard_Click>(ResultForm::kCopyButton),
    On<&ResultForm::Save_Click>(ResultForm::kSave),
    On<&ResultForm::FTP_Click>(ResultForm::kFTP),
};

}  // namespace

ResultForm::ResultForm(Module1& module, Forms& forms, ContactInfoForm& contactInfoForm,
                       ResultKind kind)
    : Form(forms, ResultFormDef(kind), kClicks),
      m_(module),
      contactInfoForm_(contactInfoForm),
      variant_(VariantOf(kind)),
      CommonDialog1(module.platform.saveDialog) {}

void ResultForm::FillText() {
  // The window takes the report over: nothing reads it after this, and a
  // large report then lives in memory once instead of twice.
  Ctl(kText1).SetText(
      ComposeResultText(variant_.kind, m_.bChoseVastrel, m_.bChoseZpx, std::move(m_.sResultText)));
  m_.sResultText.clear();
}

void ResultForm::Form_Load() {
  if (!variant_.trapsLoadErrors) {
    FillText();
    return;
  }
  try {
    FillText();
  } catch (...) {
    const ErrorInfo error = CurrentErrorInfo();
    m_.MsgBox(L"Error in Form_Load for " + std::wstring(Name()) + L": " + ErrorText(error));
  }
}

void ResultForm::Form_Resize() {
  const TwipsSize size = FittedTextSize({Width(), Height()}, 300, 1200);
  Control text = Ctl(kText1);
  text.SetWidth(size.width);
  text.SetHeight(size.height);
}

void ResultForm::CopyToClipboard_Click() {
  m_.platform.clipboard.SetText(Ctl(kText1).Text());
}

void ResultForm::Save_Click() {
  try {
    CommonDialog1.FileName = std::wstring(kSuggestedFileName);
    CommonDialog1.CancelError = true;
    CommonDialog1.ShowSave();
    SaveText(m_.platform.files, CommonDialog1.FileName, Ctl(kText1).Text() + L"\r\n");
  } catch (const SaveError& failure) {
    // A save that failed must not pass for one that worked, and says where
    // the text is.
    ReportFailure(L"Save_Click", {failure.Number(), failure.Description()},
                  failure.WhereTheTextIs());
  } catch (...) {
    const ErrorInfo error = CurrentErrorInfo();
    if (error.number == error::kCancelSelected) return;
    ReportFailure(L"Save_Click", error, TextStillInWindow(CommonDialog1.FileName));
  }
}

void ResultForm::FTP_Click() {
  forms().Show(contactInfoForm_, ShowMode::kModal);
  if (!m_.bContactOK) return;
  // Every upload needs its own OK, also one that failed with an error.
  try {
    FTPResult(m_);
  } catch (...) {
    m_.bContactOK = false;
    throw;
  }
  m_.bContactOK = false;
}

void ResultForm::Form_Unload() {
  if (!m_.bDiagnosed) return;
  m_.WriteTrace(std::wstring(Name()) + L".Form_Unload() 1: Temp file will be deleted");
  try {
    m_.platform.files.Kill(m_.sResultFile);
  } catch (...) {
    const ErrorInfo error = CurrentErrorInfo();
    if (error.number == error::kFileNotFound) return;  // already gone: nothing left to do
    ReportFailure(L"Form_Unload", error,
                  L"The report file " + m_.sResultFile + L" could not be deleted.");
  }
}

void ResultForm::ReportFailure(std::wstring_view handler, const ErrorInfo& error,
                               std::wstring_view consequence) {
  m_.ReportTrappedError(std::wstring(Name()) + L"." + std::wstring(handler), error, consequence);
}

}  // namespace pravex
