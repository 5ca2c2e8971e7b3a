#include "tests/e2e/driver/message_box.h"

#include <stdexcept>

#include "tests/e2e/driver/top_windows.h"
#include "tests/e2e/driver/window_input.h"
#include "tests/e2e/driver/window_probe.h"

namespace pravex::e2e {

namespace {

constexpr wchar_t kDialogClass[] = L"#32770";
constexpr int kPromptId = 0xFFFF;
constexpr UINT kAnswerLimitMs = 5000;

bool IsIconStatic(HWND control) {
  return ClassNameOf(control) == L"Static" &&
         (::GetWindowLongW(control, GWL_STYLE) & SS_TYPEMASK) == SS_ICON;
}

bool HoldsIcon(HWND iconStatic) {
  DWORD_PTR icon = 0;
  return ::IsWindowVisible(iconStatic) &&
         ::SendMessageTimeoutW(iconStatic, STM_GETICON, 0, 0, SMTO_ABORTIFHUNG | SMTO_BLOCK,
                               kAnswerLimitMs, &icon) &&
         icon != 0;
}

BOOL CALLBACK FindOtherControl(HWND control, LPARAM lParam) {
  const std::wstring kind = ClassNameOf(control);
  if (kind != L"Static" && kind != L"Button") {
    *reinterpret_cast<bool*>(lParam) = true;
    return FALSE;
  }
  return TRUE;
}

// Other dialogs of the same class, such as the common file dialogs, have
// fields and lists besides their statics and buttons.
bool IsMessageBox(HWND dialog) {
  if (!::GetDlgItem(dialog, kPromptId)) return false;
  bool hasOtherControl = false;
  ::EnumChildWindows(dialog, &FindOtherControl, reinterpret_cast<LPARAM>(&hasOtherControl));
  return !hasOtherControl;
}

BOOL CALLBACK FindShownIcon(HWND control, LPARAM lParam) {
  if (IsIconStatic(control) && HoldsIcon(control)) {
    *reinterpret_cast<HWND*>(lParam) = control;
    return FALSE;
  }
  return TRUE;
}

}  // namespace

std::vector<HWND> FindMessageBoxes(DWORD processId) {
  std::vector<HWND> boxes;
  for (HWND dialog : FindTopWindows(processId, {.className = kDialogClass})) {
    if (IsMessageBox(dialog)) boxes.push_back(dialog);
  }
  return boxes;
}

HWND ShownIconControl(HWND box) {
  HWND icon = nullptr;
  ::EnumChildWindows(box, &FindShownIcon, reinterpret_cast<LPARAM>(&icon));
  return icon;
}

MessageBoxView ReadMessageBox(HWND box) {
  MessageBoxView view;
  view.handle = box;
  view.title = TextOf(box);
  const HWND prompt = ChildById(box, kPromptId);
  view.text = TextOf(prompt);
  view.promptSize = OuterSize(prompt);
  view.hasIcon = ShownIconControl(box) != nullptr;
  return view;
}

MessageBoxView WaitForMessageBox(DWORD processId, Milliseconds limit) {
  const HWND box = WaitFor<HWND>(
      [&]() -> std::optional<HWND> {
        const std::vector<HWND> found = FindMessageBoxes(processId);
        if (found.empty()) return std::nullopt;
        // A thread that was blocked for seconds counts as hung until it next
        // asks for a message, so a box it has only just shown may not answer.
        if (!TryTextOf(found.front())) return std::nullopt;
        return found.front();
      },
      limit, "an answering message box in process " + std::to_string(processId));
  return ReadMessageBox(box);
}

void AnswerMessageBox(HWND box, int buttonId, Milliseconds limit) {
  PressButton(ChildById(box, buttonId));
  WaitUntil([&] { return !::IsWindow(box); }, limit,
            "the message box to close after pressing button " + std::to_string(buttonId));
}

}  // namespace pravex::e2e
