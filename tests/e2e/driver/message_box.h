// Standard message boxes ("#32770" dialogs made by MessageBoxW) of another
// process: finding them, reading them and pressing their buttons. Other
// dialogs of that class, such as the file dialogs, are told apart by having
// more than statics and buttons.
//
// The prompt is the static control with ID 0xFFFF, on Windows and on Wine
// alike. The icon is a static control with SS_ICON: Windows leaves it out
// when the box has no icon, Wine 8 always creates it (ID 0x440) and leaves
// it empty, so "has an icon" means an icon static that holds an icon.
#pragma once

#include <windows.h>

#include <string>
#include <vector>

#include "tests/e2e/driver/deadline.h"
#include "tests/e2e/driver/window_probe.h"

namespace pravex::e2e {

struct MessageBoxView {
  HWND handle = nullptr;
  std::wstring title;
  std::wstring text;
  // The prompt's control is as tall as its lines of text.
  PixelSize promptSize;
  bool hasIcon = false;
};

// The process's visible message boxes, topmost first.
std::vector<HWND> FindMessageBoxes(DWORD processId);

MessageBoxView ReadMessageBox(HWND box);

// The box's icon control when it shows an icon, else null.
HWND ShownIconControl(HWND box);

// The process's topmost message box once one is shown and answers; throws
// WaitTimeout if none is within `limit`.
MessageBoxView WaitForMessageBox(DWORD processId, Milliseconds limit);

// Presses the box's button with this ID (IDOK, IDCANCEL, ...) and waits up
// to `limit` for the box to go.
void AnswerMessageBox(HWND box, int buttonId, Milliseconds limit);

}  // namespace pravex::e2e
