// The main window: start-up, the product choice, Diagnose and the menus.
#pragma once

#include <string>
#include <string_view>

#include "forms/form.h"
#include "forms/results/guidance.h"

namespace pravex {

class Program;
class Module1;

class MainForm : public Form {
 public:
  explicit MainForm(Program& program);

  void Form_Load() override;
  void Click(std::wstring_view name) override;

  void ButtonDiagnose_Click();
  void MenuExit_Click();
  void MenuHelpContents_Click();
  void MenuAbout_Click();

  // Runs `sCommand` with its output redirected into a new report file and
  // returns the report's text (empty when there is none).
  std::wstring ExecCommand(const std::wstring& sCommand);

 private:
  Form& ResultWindow(ResultKind kind);

  Program& program_;
  Module1& m_;
};

}  // namespace pravex
