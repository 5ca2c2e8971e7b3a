// The fonts of the forms, created for a given DPI.
#pragma once

#include <windows.h>

#include "ui/form_def.h"
#include "win32/handles.h"

namespace pravex::win32 {

// "MS Sans Serif" is a bitmap font drawn for 96 dpi: scaled to other sizes
// it turns blocky. At any other DPI its outline twin, "Microsoft Sans
// Serif", which has the same metrics, takes its place where it exists.
UniqueFont CreateFormFont(const FontSpec& wanted, UINT dpi);

}  // namespace pravex::win32
