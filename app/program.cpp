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
      formResult(module1, forms, contactInfoForm, ResultKind::kResult),
      formIssueA(module1, forms, contactInfoForm, ResultKind::kIssueA),
      formIssueB(module1, forms, contactInfoForm, ResultKind::kIssueB),
      formIssueC(module1, forms, contactInfoForm, ResultKind::kIssueC),
      formIssueD(module1, forms, contactInfoForm, ResultKind::kIssueD),
      contactInfoForm(module1, forms) {}

void Program::Start() {
  forms.Show(mainForm);
}

}  // namespace pravex
