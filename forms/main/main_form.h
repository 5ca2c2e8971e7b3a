// The main window: start-up, the product choice, Diagnose and the menus.
#pragma once

#include <string>
#include <string_view>

#include "diagnosis/guidance.h"
#include "forms/form.h"
#include "forms/main/main_form_def.h"

namespace pravex {

class FormHelp;
class Forms;
class Module1;
class ResultForm;

// The windows the main window opens.
struct MainFormWindows {
  FormHelp& formHelp;
  ResultForm& formResult;
  ResultForm& formIssueA;
  ResultForm& formIssueB;
  ResultForm& formIssueC;
  ResultForm& formIssueD;
};

class MainForm : public Form {
 public:
  MainForm(Module1& module, Forms& forms, const MainFormWindows& windows);

  // The controls and menu items its code reaches.
  static constexpr ControlRef kOptionVastrel = ControlNamed(kMainFormDef, L"OptionVastrel");
  static constexpr ControlRef kOptionZPX = ControlNamed(kMainFormDef, L"OptionZPX");
  static constexpr ControlRef kButtonDiagnose = ControlNamed(kMainFormDef, L"ButtonDiagnose");
  static constexpr MenuItemRef kMenuExit = MenuItemNamed(kMainFormDef, L"MenuExit");
  static constexpr MenuItemRef kMenuHelpContents = MenuItemNamed(kMainFormDef, L"MenuHelpContents");
  static constexpr MenuItemRef kMenuAbout = MenuItemNamed(kMainFormDef, L"MenuAbout");

  void Form_Load() override;

  void ButtonDiagnose_Click();
  void MenuExit_Click();
  void MenuHelpContents_Click();
  void MenuAbout_Click();

  // Runs `sCommand` with its output redirected into a new report file and
  // returns the report's text (empty when there is none).
  std::wstring ExecCommand(const std::wstring& sCommand);

 private:
  void CreateReportFile();
  Form& ResultWindow(ResultKind kind);

  Module1& m_;
  MainFormWindows windows_;
};

}  // namespace pravex
