// Pravex's windows as the form tables name them, and the steps every
// diagnosis run takes before Diagnose is pressed.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>

#include "tools/bench/launched_process.h"
#include "ui/form_def.h"

namespace pravex::bench {

// Each form's window class is "Pravex" followed by the form's name.
std::wstring FormWindowClass(const FormDef& form);

// A control of a live form window, found by its name in the form table.
HWND FormControl(HWND formWindow, const FormDef& form, std::wstring_view name);

// Waits for Pravex's main window and selects Vastrel in it; the main window.
HWND MainWindowWithVastrelSelected(const LaunchedProcess& pravex);

}  // namespace pravex::bench
