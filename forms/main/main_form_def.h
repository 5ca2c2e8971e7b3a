#pragma once

#include "forms/form_def.h"

namespace pravex {

const FormDef& MainFormDef();

}  // namespace pravex
