// The whole program: the shared module, the form runtime and the default
// instance of every window, each given the windows it opens. Start-up is the
// load of the main window.
#pragma once

#include "common/module1.h"
#include "forms/contact/contact_info_form.h"
#include "forms/forms.h"
#include "forms/help/help_form.h"
#include "forms/main/main_form.h"
#include "forms/results/result_form.h"

namespace pravex {

class Program {
 public:
  explicit Program(Platform& platform);
  Program(const Program&) = delete;
  Program& operator=(const Program&) = delete;

  // Loads and shows the main window; the caller then runs the message loop,
  // which ends when the last window has been unloaded.
  void Start();

  Module1 module1;
  Forms forms;

  MainForm mainForm;
  FormHelp formHelp;
  ResultForm formResult;
  ResultForm formIssueA;
  ResultForm formIssueB;
  ResultForm formIssueC;
  ResultForm formIssueD;
  ContactInfoForm contactInfoForm;
};

}  // namespace pravex
