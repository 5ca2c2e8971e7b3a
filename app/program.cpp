#include "app/program.h"

namespace pravex {

Program::Program(Platform& platform)
    : module1(platform),
      forms(module1, platform.windows),
      // A window may be given windows constructed after it: it only stores
      // the references, and uses them once the program has started.
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
