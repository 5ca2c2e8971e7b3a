// The common Save dialog (GetSaveFileNameW) of another process: finding it,
// reading and typing its file name, and closing it with Save or Cancel.
//
// It is a "#32770" dialog like a message box; what tells it apart is its
// file name field. In the Explorer-style dialog that is the combo box with
// control ID 1148 (cmb13), on Windows and on Wine alike.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "tests/e2e/driver/deadline.h"

namespace pravex::e2e {

// The process's visible file dialogs, topmost first.
std::vector<HWND> FindSaveDialogs(DWORD processId);

// The process's topmost file dialog once one is shown; throws WaitTimeout
// if none is within `limit`.
HWND WaitForSaveDialog(DWORD processId, Milliseconds limit);

// What the file name field shows.
std::wstring SaveDialogFileName(HWND dialog);

// Types `path` into the file name field and presses Save; returns once the
// dialog has gone, or throws WaitTimeout (the dialog may have answered with
// a box of its own).
void SaveAs(HWND dialog, std::wstring_view path, Milliseconds limit);

// Presses Cancel and waits up to `limit` for the dialog to go.
void CancelSaveDialog(HWND dialog, Milliseconds limit);

}  // namespace pravex::e2e
