#include "tests/e2e/driver/save_dialog.h"

#include "tests/e2e/driver/top_windows.h"
#include "tests/e2e/driver/window_input.h"
#include "tests/e2e/driver/window_probe.h"

namespace pravex::e2e {

namespace {

constexpr wchar_t kDialogClass[] = L"#32770";
constexpr int kFileNameField = 1148;

bool IsSaveDialog(HWND dialog) {
  return ::GetDlgItem(dialog, kFileNameField) != nullptr;
}

std::vector<HWND> SaveDialogsAmong(const std::vector<HWND>& dialogs) {
  std::vector<HWND> found;
  for (HWND dialog : dialogs) {
    if (IsSaveDialog(dialog)) found.push_back(dialog);
  }
  return found;
}

void PressAndWaitUntilGone(HWND dialog, int buttonId, Milliseconds limit, const char* what) {
  PressButton(ChildById(dialog, buttonId));
  WaitUntil([&] { return !::IsWindow(dialog); }, limit,
            std::string("the Save dialog to close after pressing ") + what);
}

}  // namespace

std::vector<HWND> FindSaveDialogs(DWORD processId) {
  return SaveDialogsAmong(FindTopWindows(processId, {.className = kDialogClass}));
}

HWND WaitForSaveDialog(DWORD processId, Milliseconds limit) {
  return WaitFor<HWND>(
      [&]() -> std::optional<HWND> {
        const std::vector<HWND> found = FindSaveDialogs(processId);
        if (found.empty()) return std::nullopt;
        return found.front();
      },
      limit, "a Save dialog in process " + std::to_string(processId));
}

std::wstring SaveDialogFileName(HWND dialog) {
  return TextOf(ChildById(dialog, kFileNameField));
}

void SaveAs(HWND dialog, std::wstring_view path, Milliseconds limit) {
  ReplaceText(ChildById(dialog, kFileNameField), path);
  PressAndWaitUntilGone(dialog, IDOK, limit, "Save");
}

void CancelSaveDialog(HWND dialog, Milliseconds limit) {
  PressAndWaitUntilGone(dialog, IDCANCEL, limit, "Cancel");
}

}  // namespace pravex::e2e
