#include "tests/e2e/pravex_program.h"

#include <stdexcept>

#include "forms/main/main_form_def.h"
#include "tests/e2e/driver/files.h"
#include "tests/e2e/driver/options.h"
#include "tests/e2e/driver/user_registry.h"
#include "tests/e2e/driver/wide_text.h"
#include "tests/e2e/driver/window_input.h"
#include "tests/e2e/driver/window_probe.h"

namespace pravex::e2e {

std::wstring FormWindowClass(const FormDef& form) {
  return L"Pravex" + std::wstring(form.name);
}

HWND FormControl(HWND formWindow, const FormDef& form, std::wstring_view name) {
  const int id = ControlId(form, name);
  if (id < 0) {
    throw std::logic_error("form " + Quoted(form.name) + " has no control " + Quoted(name));
  }
  return ChildById(formWindow, id);
}

void ChooseMainMenu(HWND mainWindow, std::wstring_view item) {
  const int id = MenuItemId(MainFormDef(), item);
  if (id < 0) throw std::logic_error("the main form has no menu item " + Quoted(item));
  ChooseMenuItem(mainWindow, id);
}

void UseStandInTools(EnvironmentBlock& environment) {
  environment.Set(L"ComSpec", CmdShimPath());
  environment.Set(L"PATH", StatusToolFolder() + L";" + environment.Get(L"PATH").value_or(L""));
}

std::vector<std::wstring> ReportFiles() {
  return FilesMatching(L"C:\\", L"QuorvelPravexResult_*.txt");
}

void RemoveSettingsAndFiles() {
  DeleteUserKey(kSettingsKey);
  DeleteFileIfPresent(std::wstring(kTraceFile));
  for (const std::wstring& report : ReportFiles()) DeleteFileIfPresent(report);
}

}  // namespace pravex::e2e
