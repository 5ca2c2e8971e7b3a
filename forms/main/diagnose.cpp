#include "app/program.h"
#include "forms/main/main_form.h"

namespace pravex {

void MainForm::ButtonDiagnose_Click() {}

std::wstring MainForm::ExecCommand(const std::wstring& sCommand) {
  (void)sCommand;
  return {};
}

}  // namespace pravex
