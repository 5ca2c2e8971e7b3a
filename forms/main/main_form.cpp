#include "forms/main/main_form.h"

#include "app/debug_switch.h"
#include "app/errors.h"
#include "app/program.h"
#include "forms/main/main_form_def.h"

namespace pravex {

MainForm::MainForm(Program& program)
    : Form(program.forms, MainFormDef()), program_(program), m_(program.module1) {}

void MainForm::Click(std::wstring_view name) {
  if (name == L"ButtonDiagnose")
    ButtonDiagnose_Click();
  else if (name == L"MenuExit")
    MenuExit_Click();
  else if (name == L"MenuHelpContents")
    MenuHelpContents_Click();
  else if (name == L"MenuAbout")
    MenuAbout_Click();
}

void MainForm::Form_Load() {
  try {
    ReadDebugSwitch(m_);
    m_.bFtpSent = false;
    SetCaption(L"Quorvel Pravex Ver " + std::wstring(kVersion));
    m_.WriteTrace(L"ExecCommand() 1: Will create objects");
    m_.oShell = m_.platform.objects.CreateShell();
    m_.oFSO = m_.platform.objects.CreateFileSystemObject();
    Ctl(L"OptionVastrel").SetValue(false);
    Ctl(L"OptionZPX").SetValue(false);
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
  forms().Show(program_.formHelp);
}

void MainForm::MenuAbout_Click() {
  m_.MsgBox(L"Quorvel Pravex\r\nVersion " + std::wstring(kVersion), mb::kOkOnly,
            L"Quorvel QuorvelCare");
}

}  // namespace pravex
