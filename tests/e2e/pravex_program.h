// What drives Pravex from outside (the end-to-end tests, the benchmark, the
// screenshot tour) knows of it: its windows and controls by the names the
// form tables give them, where it finds the stand-in tools, and what a run
// leaves behind, by names of the tests' own so that a renamed file shows.
#pragma once

#include <windows.h>

#include <string>
#include <string_view>
#include <vector>

#include "tests/e2e/driver/environment_block.h"
#include "ui/form_def.h"

namespace pravex::e2e {

inline constexpr std::wstring_view kSettingsKey = L"Software\\QuorvelPravex";
inline constexpr std::wstring_view kInfoKey = L"Software\\QuorvelPravex\\Info";
inline constexpr std::wstring_view kTraceFile = L"C:\\QuorvelPravexTrace.txt";

// Each form's window class is "Pravex" followed by the form's name.
std::wstring FormWindowClass(const FormDef& form);

// A control of a live form window, found by its name in the form table;
// throws std::logic_error for a name the table lacks.
HWND FormControl(HWND formWindow, const FormDef& form, std::wstring_view name);

// Chooses a menu item of the main window by its name in the form table.
void ChooseMainMenu(HWND mainWindow, std::wstring_view item);

// The stand-ins the driver was given, as a run of Pravex looks for them: the
// interpreter shim as %ComSpec% (Wine's own cmd.exe cannot run Pravex's
// command line; Wine takes ComSpec from the environment given) and the status
// tool's folder first on PATH.
void UseStandInTools(EnvironmentBlock& environment);

// The report files a diagnosis leaves on C:, C:\QuorvelPravexResult_*.txt.
std::vector<std::wstring> ReportFiles();

// Deletes Pravex's settings, its trace and its report files.
void RemoveSettingsAndFiles();

}  // namespace pravex::e2e
