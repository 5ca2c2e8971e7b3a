#include "app/program.h"

namespace pravex {

Program::Program(Platform& platform)
    : module1(platform),
      forms(module1, platform.windows),
      mainForm(*this),
      formHelp(*this) {}

void Program::Start() { forms.Show(mainForm); }

}  // namespace pravex
