#include "app/program.h"

namespace pravex {

Program::Program(Platform& platform)
    : module1(platform),
      forms(module1, platform.windows),
      mainForm(*this),
      formHelp(*this),
      formResult(*this, ResultKind::Result),
      formIssueA(*this, ResultKind::IssueA),
      formIssueB(*this, ResultKind::IssueB),
      formIssueC(*this, ResultKind::IssueC),
      formIssueD(*this, ResultKind::IssueD),
      contactInfoForm(*this) {}

void Program::Start() {
  forms.Show(mainForm);
}

}  // namespace pravex
