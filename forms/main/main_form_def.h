#pragma once

#include "ui/form_def.h"

namespace pravex {

const FormDef& MainFormDef();

}  // namespace pravex
