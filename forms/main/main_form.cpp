#include "forms/main/main_form.h"

#include "common/debug_switch.h"
#include "common/errors.h"
#include "common/module1.h"
#include "forms/forms.h"
#include "forms/help/help_form.h"

namespace pravex {

namespace {

constexpr ClickBinding kClicks[] = {
    On<&MainForm::ButtonDiagnose_Click>(MainForm::kButtonDiagnose),
    On<&MainForm::MenuExit_Click>(MainForm::kMenuExit),
    On<&MainForm::MenuHelpContents_Click>(MainForm::kMenuHelpContents),
    On<&MainForm::MenuAbout_Click>(MainForm::kMenuAbout),
};

}  // namespace

MainForm::MainForm(Module1& module, Forms& forms, const MainFormWindows& windows)
    : Form(forms, MainFormDef(), kClicks), m_(module), windows_(windows) {}

void MainForm::Form_Load() {
  try {
    ReadDebugSwitch(m_);
    m_.bFtpSent = false;
    SetCaption(L"Quorvel Pravex Ver " + std::wstring(kVersion));
    m_.WriteTrace(L"ExecCommand() 1: Will create objects");
    m_.oShell = m_.platform.objects.CreateShell();
    m_.oFSO = m_.platform.objects.CreateFileSystemObject();
    Ctl(kOptionVastrel).SetValue(false);
    Ctl(kOptionZPX).SetValue(false);
  } catch (...) {
    const ErrorInfo error = CurrentErrorInfo();
    if (error.number == error::kPathNotFound) {
      m_.MsgBox(L"Error: " + ErrorText(error) + L"\r\nPossible reason: C drive is not available");
    } else {
      m_.ReportTrappedError(L"Form_Load", error);
    }
  }
}

void MainForm::MenuExit_Click() {
  forms().Unload(*this);
}

void MainForm::MenuHelpContents_Click() {
  forms().Show(windows_.formHelp);
}

void MainForm::MenuAbout_Click() {
  m_.MsgBox(L"Quorvel Pravex\r\nVersion " + std::wstring(kVersion), mb::kOkOnly,
            L"Quorvel QuorvelCare");
}

}  // namespace pravex
