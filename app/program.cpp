#include "app/program.h"

namespace pravex {

Program::Program(Platform& platform)
    : module1(platform),
      forms(module1, platform.windows),
      // A window may be given windows declared after it: it only keeps the
      // references until the program starts.
      mainForm(module1, forms,
               {formHelp, formResult, formIssueA, formIssueB, formIssueC, formIssueD}),
      formHelp(forms),
      formResult(module1, forms, contactInfoForm, ResultKind::Result),
      formIssueA(module1, forms, contactInfoForm, ResultKind::IssueA),
      formIssueB(module1, forms, contactInfoForm, ResultKind::IssueB),
      formIssueC(module1, forms, contactInfoForm, ResultKind::IssueC),
      formIssueD(module1, forms, contactInfoForm, ResultKind::IssueD),
      contactInfoForm(module1, forms) {}

void Program::Start() {
  forms.Show(mainForm);
}

}  // namespace pravex
