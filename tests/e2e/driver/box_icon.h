// Which of the standard icons a message box shows. Icon handles cannot be
// compared across processes (each loads its own copy), so the icon is told
// by its pixels on the screen, against the same icons drawn here.
#pragma once

#include <windows.h>

#include <ostream>

#include "tests/e2e/driver/deadline.h"

namespace pravex::e2e {

enum class BoxIcon { kNone, kInformation, kExclamation, kCritical, kQuestion, kUnrecognised };

std::ostream& operator<<(std::ostream& out, BoxIcon icon);

// The box's icon once it has been painted; kUnrecognised if what shows
// still matches none of the standard icons after `limit`.
BoxIcon ShownIcon(HWND box, Milliseconds limit);

}  // namespace pravex::e2e
